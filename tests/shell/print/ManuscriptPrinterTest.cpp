#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "common/RecordingMessageSink.h"
#include "layout/CEisuuCyotai.h"
#include "layout/qt/FontMeasuringDevice.h"
#include "layout/qt/QtScreenFonts.h"
#include "shell/print/ManuscriptPrinter.h"
#include "store/CViewData.h"
#include "store/CViewDataS.h"
#include "store/DocumentLoader.h"
#include "support/GuiTesting.h"
#include "support/LargeDocuments.h"
#include "support/PdfInspection.h"
#include "view/ManuscriptLayout.h"

namespace tavelo {

class ManuscriptPrinterTest : public QObject {
    Q_OBJECT

private slots:
    void pdf_hasThePagesCountedByHand_data();
    void pdf_hasThePagesCountedByHand();
    void glyphs_sitOnTheirCellsOfTheGrid();
    void pdf_embedsTheFontsAndReadsInOrder();
    void refusals_writeNothing();
    void length_countsCharactersAndSheets();
};

namespace {

// A document made from tl2 bytes, laid out for the classic view.
struct Document {
    explicit Document(const std::string& bytes) {
        fonts.ScreenFont(QtScreenFonts());
        DocumentLoader loader(messages, device);
        loader.keepOnlyWholeCells(true);
        loader.loadBytes(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), u"doc.tl2");
        loader.addTo(documents, u"doc");
    }
    [[nodiscard]] ManuscriptPrinter::Job job(int n, int m) const {
        ManuscriptPrinter::Job job;
        job.view = &documents.Item(1);
        job.settings.charactersPerColumn = n;
        job.settings.columnsPerPage = m;
        return job;
    }
    RecordingMessageSink messages;
    FontMeasuringDevice device{449, 624};
    CEisuuCyotai fonts;
    CViewDataS documents;
};

// Body lines, each under a ruby line of one slot (an empty ruby line is a line of its own).
std::string lines(std::initializer_list<const char*> bodies) {
    std::string bytes;
    for (const char* body : bodies)
        bytes +=
            CodePage932::encode(u"ｱ") + "\r\n" + CodePage932::encode(utf8::toUtf16(body)) + "\r\n";
    return bytes;
}

}  // namespace

// One column per line that fits in N, more for longer ones; M columns a page.
void ManuscriptPrinterTest::pdf_hasThePagesCountedByHand_data() {
    QTest::addColumn<int>("lineCount");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("m");
    QTest::addColumn<int>("pages");
    QTest::newRow("120 x 20 at 40x30: 120 columns") << 120 << 20 << 40 << 30 << 4;
    QTest::newRow("60 x 55 at 40x30: 2 columns a line") << 60 << 55 << 40 << 30 << 4;
    QTest::newRow("120 x 20 at 20x20: 120 columns") << 120 << 20 << 20 << 20 << 6;
    QTest::newRow("10 x 45 at 20x20: 3 columns a line") << 10 << 45 << 20 << 20 << 2;
    QTest::newRow("41 x 1 at 30x40: one column over") << 41 << 1 << 30 << 40 << 2;
}

void ManuscriptPrinterTest::pdf_hasThePagesCountedByHand() {
    QFETCH(int, lineCount);
    QFETCH(int, length);
    QFETCH(int, n);
    QFETCH(int, m);
    QFETCH(int, pages);
    const Document document(testing::large_documents::uniformLines(
        static_cast<std::size_t>(lineCount), static_cast<std::size_t>(length)));
    QTemporaryDir folder;
    const QString out = folder.filePath(QStringLiteral("pages.pdf"));
    QVERIFY(ManuscriptPrinter::writePdf(out, document.job(n, m), document.fonts));
    const testing::PdfInspection pdf = testing::inspectPdf(out);
    QCOMPARE(pdf.pages, pages);
}

// A 4 x 3 grid on A5 landscape, drawn through the vector surface into the preview: ink stands
// in exactly the cells the text fills, and each glyph without ruby inside its body's em column.
void ManuscriptPrinterTest::glyphs_sitOnTheirCellsOfTheGrid() {
    const Document document(lines({"国国国国国", "木"}));
    ManuscriptPrinter::Job job = document.job(4, 3);
    job.settings.paper = ManuscriptGeometry::Paper::A5;
    job.pageNumbers = false;
    const ManuscriptGeometry geometry(job.settings);
    QVERIFY(geometry.fits());
    const QImage page = ManuscriptPrinter::preview(job, document.fonts, 1.0);
    QVERIFY(!page.isNull());
    // column 1 holds rows 1-4, column 2 row 1 (the fifth 国), column 3 row 1 (木).
    const bool filled[3][4] = {
        {true, true, true, true}, {true, false, false, false}, {true, false, false, false}};
    for (int column = 1; column <= 3; ++column) {
        for (int row = 1; row <= 4; ++row) {
            const double left =
                geometry.blockLeft() + geometry.blockWidth() - column * geometry.columnPitch();
            const QRect cell = QRectF(left + 2, geometry.rowTop(row) + 2,
                                      geometry.columnPitch() - 4, geometry.rowPitch() - 4)
                                   .toRect();
            QRect ink;
            for (int y = cell.top(); y <= cell.bottom(); ++y)
                for (int x = cell.left(); x <= cell.right(); ++x)
                    if (qGray(page.pixel(x, y)) < 128) ink |= QRect(x, y, 1, 1);
            const QString where = QStringLiteral("column %1 row %2").arg(column).arg(row);
            QVERIFY2(ink.isEmpty() != filled[column - 1][row - 1], qPrintable(where));
            // The first cell of a line has its ruby beside it, right of the body.
            const bool rubi = row == 1 && column != 2;
            if (ink.isEmpty() || rubi) continue;
            const double right = geometry.bodyRight(column);
            QVERIFY2(ink.left() >= right - geometry.fontSize() - 1 && ink.right() <= right + 1,
                     qPrintable(where));
        }
    }
}

void ManuscriptPrinterTest::pdf_embedsTheFontsAndReadsInOrder() {
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty()) QSKIP("pdftotext is not installed");
    const Document document(lines({"吾輩は猫である", "名前はまだ無い", "国境の長い"}));
    QTemporaryDir folder;
    const QString out = folder.filePath(QStringLiteral("text.pdf"));
    // Two columns a page: the third line starts page 2.
    QVERIFY(ManuscriptPrinter::writePdf(out, document.job(20, 2), document.fonts));
    QVERIFY(!testing::inspectPdf(out).embeddedFonts.isEmpty());
    QProcess process;
    process.start(pdftotext, {QStringLiteral("-raw"), out, QStringLiteral("-")});
    QVERIFY(process.waitForFinished(30000));
    QString text = QString::fromUtf8(process.readAllStandardOutput());
    text.remove(QRegularExpression(QStringLiteral("\\s")));
    // Each page: its columns from the right, top to bottom, then the ruby (あ), then the number.
    QCOMPARE(text, QStringLiteral("吾輩は猫である名前はまだ無いああ１国境の長いあ２"));
}

void ManuscriptPrinterTest::refusals_writeNothing() {
    const Document document(lines({"猫"}));
    QTemporaryDir folder;
    const QString out = folder.filePath(QStringLiteral("never.pdf"));
    QVERIFY(!ManuscriptPrinter::writePdf(out, document.job(200, 200), document.fonts));
    QVERIFY(!ManuscriptPrinter::writePdf(out, document.job(0, 30), document.fonts));
    QVERIFY(!ManuscriptPrinter::writePdf(folder.filePath(QStringLiteral("no/such/x.pdf")),
                                         document.job(40, 30), document.fonts));
    QVERIFY(!QFileInfo::exists(out));
    QVERIFY(ManuscriptPrinter::preview(document.job(200, 200), document.fonts, 1).isNull());
}

// 25 characters with their blank: three columns of one 20 x 20 sheet; 430 single-column lines
// fill 22 sheets (20 columns a sheet). Ruby is not counted.
void ManuscriptPrinterTest::length_countsCharactersAndSheets() {
    const Document small(lines({"吾輩は猫である名前はまだ無いどこで生れたかとん", "　猫"}));
    QCOMPARE(testing::q(ManuscriptPrinter::lengthOf(small.documents.Item(1))),
             QStringLiteral("25字 (400字詰め 1枚)"));
    const Document many(testing::large_documents::uniformLines(430, 3));
    QCOMPARE(testing::q(ManuscriptPrinter::lengthOf(many.documents.Item(1))),
             QStringLiteral("1,290字 (400字詰め 22枚)"));
}

}  // namespace tavelo

TAVELO_GUI_TEST_MAIN(tavelo::ManuscriptPrinterTest)
#include "ManuscriptPrinterTest.moc"
