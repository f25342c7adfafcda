#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include "support/GuiTesting.h"
#include "support/PdfInspection.h"
#include "common/RecordingMessageSink.h"
#include "layout/CEisuuCyotai.h"
#include "layout/qt/FontMeasuringDevice.h"
#include "layout/qt/QtScreenFonts.h"
#include "shell/print/DocumentPrinter.h"
#include "store/CViewData.h"
#include "store/CViewDataS.h"
#include "store/DocumentLoader.h"
#include "view/DocumentPages.h"
#include "view/SearchNavigation.h"

namespace tavelo {

class DocumentPrinterTest : public QObject {
    Q_OBJECT

private slots:
    // The PDF of a sample
    void pdf_hasOnePagePerPageOfWholeColumns_data();
    void pdf_hasOnePagePerPageOfWholeColumns();
    void pdf_holdsTheFontsNotAPicture();
    void pdf_carriesTheHitsInTheirColourWhileShown();
    void pageState_drawsOnlyThePagesLinesAtItsOffset();

    // Paper
    void papers_haveTheirSizesAndOrientations();

    // Failures
    void unwritableFolder_failsAndLeavesNoFile();
    void noDocument_drawsNoPage();
};

namespace {

const QString kSample = QStringLiteral(TAVELO_SAMPLES_DIR "/wagahai.tl2");

// The sample laid out for the classic view, as a print job in the given style.
struct OpenSample {
    explicit OpenSample(Integer style, const QString& path = kSample) {
        fonts.ScreenFont(QtScreenFonts());
        DocumentLoader loader(messages, device);
        loader.loadFile(path.toStdU16String(), QFileInfo(path).fileName().toStdU16String());
        loader.addTo(documents, u"sample");
        job.view = &documents.Item(1);
        job.style = style;
    }
    [[nodiscard]] bool writePdf(const QString& out, DocumentPrinter::Paper paper) const {
        return DocumentPrinter::writePdf(out, paper, job, fonts);
    }
    RecordingMessageSink messages;
    FontMeasuringDevice device{449, 624};
    CEisuuCyotai fonts;
    CViewDataS documents;
    DocumentPrinter::Job job;
};

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

void DocumentPrinterTest::pdf_hasOnePagePerPageOfWholeColumns_data() {
    QTest::addColumn<QString>("sample");
    QTest::addColumn<int>("style");
    for (const char* name : {"wagahai.tl2", "kumo-no-ito.tl2"}) {
        const QString path = QStringLiteral(TAVELO_SAMPLES_DIR "/") + QLatin1String(name);
        QTest::newRow((std::string(name) + " small").c_str()) << path << 0;
        QTest::newRow((std::string(name) + " large").c_str()) << path << 1;
    }
}

void DocumentPrinterTest::pdf_hasOnePagePerPageOfWholeColumns() {
    QFETCH(QString, sample);
    QFETCH(int, style);
    OpenSample open(static_cast<Integer>(style), sample);
    const DocumentPrinter::Job job = open.job;
    QCOMPARE(job.style, static_cast<Integer>(style));
    const auto expected = DocumentPages::pagesOf(*job.view, job.style, job.viewSize.width());
    QVERIFY(expected.size() >= 2);

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("out.pdf"));
    QVERIFY(open.writePdf(path, DocumentPrinter::Paper::A4Landscape));
    QVERIFY(open.messages.messages().empty());
    const testing::PdfInspection pdf = testing::inspectPdf(path);
    QVERIFY(pdf.readable);
    QCOMPARE(pdf.pages, static_cast<int>(expected.size()));
}

void DocumentPrinterTest::pdf_holdsTheFontsNotAPicture() {
    OpenSample open(0);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("fonts.pdf"));
    QVERIFY(open.writePdf(path, DocumentPrinter::Paper::A5));
    const testing::PdfInspection pdf = testing::inspectPdf(path);
    qInfo("read by %s", pdf.byPoppler ? "pdfinfo and pdffonts" : "the file's objects");
    QVERIFY(!pdf.embeddedFonts.isEmpty());
    QVERIFY(pdf.embeddedFonts.join(QLatin1Char(' ')).contains(QStringLiteral("Mincho")));
    const QByteArray bytes = bytesOf(path);
    QVERIFY(!bytes.contains("/Subtype /Image"));
}

void DocumentPrinterTest::pdf_carriesTheHitsInTheirColourWhileShown() {
    OpenSample open(0);
    QTemporaryDir folder;
    // The page content is compressed: compare the sizes of the same document with and
    // without the hits, and the colour operator for the hit colour.
    const QString plain = folder.filePath(QStringLiteral("plain.pdf"));
    QVERIFY(open.writePdf(plain, DocumentPrinter::Paper::A4Landscape));
    QVERIFY(SearchNavigation::markHits(open.documents.Item(1), u"猫") > 0);
    open.job.isSearch = true;
    const QString hits = folder.filePath(QStringLiteral("hits.pdf"));
    QVERIFY(open.writePdf(hits, DocumentPrinter::Paper::A4Landscape));
    QVERIFY(bytesOf(plain) != bytesOf(hits));
}

void DocumentPrinterTest::pageState_drawsOnlyThePagesLinesAtItsOffset() {
    OpenSample open(1);
    DocumentPrinter::Job job = open.job;
    job.isSearch = true;
    job.hitColor = RGB(1, 2, 3);
    const auto pages = DocumentPages::pagesOf(*job.view, job.style, job.viewSize.width());
    const DocumentPages::Page& page = pages.at(2);
    const PaintState state = DocumentPrinter::pageState(job, page);
    QCOMPARE(state.firstLine, page.firstLine);
    QCOMPARE(state.lastLine, page.lastLine);
    QVERIFY(state.lastLine < job.view->GyouArraySize());
    QCOMPARE(state.offsetX, page.offsetX);
    QVERIFY(state.isSearch);
    QCOMPARE(state.hitColor, RGB(1, 2, 3));
}

void DocumentPrinterTest::papers_haveTheirSizesAndOrientations() {
    const auto size = [](DocumentPrinter::Paper paper) {
        return DocumentPrinter::pageLayout(paper).fullRect(QPageLayout::Millimeter).size().toSize();
    };
    QCOMPARE(size(DocumentPrinter::Paper::A4Landscape), QSize(297, 210));
    QCOMPARE(size(DocumentPrinter::Paper::A4Portrait), QSize(210, 297));
    QCOMPARE(size(DocumentPrinter::Paper::B5), QSize(182, 257));
    QCOMPARE(size(DocumentPrinter::Paper::A5), QSize(148, 210));
    QCOMPARE(
        QString::fromStdU16String(DocumentPrinter::caption(DocumentPrinter::Paper::A4Landscape)),
        QStringLiteral("A4 横"));
}

void DocumentPrinterTest::unwritableFolder_failsAndLeavesNoFile() {
    OpenSample open(0);
    const QString path = QStringLiteral("/nonexistent-folder/out.pdf");
    QVERIFY(!open.writePdf(path, DocumentPrinter::Paper::A4Landscape));
    QVERIFY(!QFileInfo::exists(path));
}

void DocumentPrinterTest::noDocument_drawsNoPage() {
    QTemporaryDir folder;
    DocumentPrinter::Job job;
    CEisuuCyotai fonts;
    QVERIFY(!DocumentPrinter::writePdf(folder.filePath(QStringLiteral("none.pdf")),
                                       DocumentPrinter::Paper::A4Landscape, job, fonts));
}

}  // namespace tavelo

TAVELO_GUI_TEST_MAIN(tavelo::DocumentPrinterTest)
#include "DocumentPrinterTest.moc"
