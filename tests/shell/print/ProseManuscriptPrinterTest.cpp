#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "prose/AozoraReader.h"
#include "shell/print/ProseManuscriptPrinter.h"
#include "support/GuiTesting.h"
#include "support/PdfInspection.h"

namespace tavelo {

class ProseManuscriptPrinterTest : public QObject {
    Q_OBJECT

private slots:
    void pdf_embedsTheFontsAndReadsInOrder();
    void refusals_writeNothing();
};

namespace {

ProseManuscriptPrinter::Job job(const prose::ProseDocument& document, int n, int m) {
    ProseManuscriptPrinter::Job job;
    job.document = &document;
    job.settings.charactersPerColumn = n;
    job.settings.columnsPerPage = m;
    return job;
}

QString pdfText(const QString& path) {
    QProcess process;
    process.start(QStandardPaths::findExecutable(QStringLiteral("pdftotext")),
                  {QStringLiteral("-raw"), path, QStringLiteral("-")});
    if (!process.waitForFinished(60000)) return {};
    QString text = QString::fromUtf8(process.readAllStandardOutput());
    return text.remove(QRegularExpression(QStringLiteral("\\s")));
}

}  // namespace

void ProseManuscriptPrinterTest::pdf_embedsTheFontsAndReadsInOrder() {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is not installed");
    const prose::ProseDocument document = prose::readAozoraText(
        U"猫\n夏目漱石\n\n吾輩は猫である\n名前はまだ無い\n［＃改ページ］\n国境の長い\n");
    QTemporaryDir folder;
    const QString out = folder.filePath(QStringLiteral("text.pdf"));
    ProseManuscriptPrinter::Job titled = job(document, 20, 10);
    titled.titlePage = true;
    QVERIFY(ProseManuscriptPrinter::writePdf(out, titled));
    const testing::PdfInspection pdf = testing::inspectPdf(out);
    QCOMPARE(pdf.pages, 3);  // the title page, then the page break's two pages
    QVERIFY(!pdf.embeddedFonts.isEmpty());
    // The title page, then each page's columns from the right, top to bottom, and its number.
    // (Characters set in their vertical forms, 、。 and small kana, keep no text in Qt's PDF
    // writer, in the screen's pages as here: the text is chosen without them.)
    QCOMPARE(pdfText(out), QStringLiteral("猫夏目漱石吾輩は猫である名前はまだ無い１国境の長い２"));
}

void ProseManuscriptPrinterTest::refusals_writeNothing() {
    const prose::ProseDocument document = prose::readAozoraText(U"猫\n\n本文\n");
    QTemporaryDir folder;
    const QString out = folder.filePath(QStringLiteral("never.pdf"));
    QVERIFY(!ProseManuscriptPrinter::writePdf(out, job(document, 200, 200)));
    QVERIFY(!ProseManuscriptPrinter::writePdf(out, job(document, 0, 30)));
    QVERIFY(!ProseManuscriptPrinter::writePdf(folder.filePath(QStringLiteral("no/such/x.pdf")),
                                              job(document, 40, 30)));
    QVERIFY(!QFileInfo::exists(out));
    QVERIFY(ProseManuscriptPrinter::preview(job(document, 200, 200), 1).isNull());
}

}  // namespace tavelo

TAVELO_GUI_TEST_MAIN(tavelo::ProseManuscriptPrinterTest)
#include "ProseManuscriptPrinterTest.moc"
