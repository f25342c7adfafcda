#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QTest>

#include "flow/FlowLayout.h"
#include "prose/AozoraReader.h"
#include "shell/print/PrintDialogs.h"
#include "support/GuiTesting.h"
#include "support/PdfInspection.h"
#include "support/WindowDriver.h"
#include "support/WindowFixture.h"
#include "view/DocumentPages.h"
#include "view/ManuscriptLayout.h"

namespace tavelo {

using testing::drive;
using testing::q;

namespace {

// Answers the print dialogs as the test says, and counts the questions.
class FakePrintDialogs : public PrintDialogs {
public:
    struct Script {
        std::optional<QString> file;
        bool overwrite = false;
        std::optional<PrintChoice> layout =
            PrintChoice::screen(DocumentPrinter::Paper::A4Landscape);
        bool printer = false;
        QString suggested;  // what the file dialog was offered
        int fileAsked = 0;
        int overwriteAsked = 0;
        int layoutAsked = 0;
        int printerAsked = 0;
        String length;  // what the page dialog showed
    };
    explicit FakePrintDialogs(Script& script) : script_(script) {}

    std::optional<QString> askPdfFile(const QString& suggested) override {
        ++script_.fileAsked;
        script_.suggested = suggested;
        return script_.file;
    }
    bool confirmOverwrite(const QString&) override {
        ++script_.overwriteAsked;
        return script_.overwrite;
    }
    std::optional<PrintChoice> askLayout(const PrintPreview& document) override {
        ++script_.layoutAsked;
        script_.length = document.length;
        return script_.layout;
    }
    bool askPrinter(QPrinter& printer) override {
        ++script_.printerAsked;
        if (!script_.printer) return false;
        // Printing goes to a file here, as a PDF.
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(*script_.file);
        return true;
    }

private:
    Script& script_;
};

}  // namespace

class frmMainPrintTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<testing::WindowFixture> w;
    FakePrintDialogs::Script script;

    void openDocument(int lines = 40) {
        w->open(w->writeDocument(QStringLiteral("doc.tl2"), lines, 30));
        QCOMPARE(drive(*w->form).documentCount(), Long{1});
    }
    [[nodiscard]] QString pdfPath(const QString& name) const { return w->folder.filePath(name); }

private slots:
    void init() {
        script = {};
        w = std::make_unique<testing::WindowFixture>();
        w->form->setPrintDialogs(std::make_unique<FakePrintDialogs>(script));
    }
    void cleanup() { w.reset(); }

    // --- The menu ---
    void menu_standsBelowOpen_andIsEnabledOnlyWithADocument() {
        frmMain& f = *w->form;
        const QList<QAction*> actions = drive(f).mnuFile().subMenu()->actions();
        QVERIFY(actions.size() >= 3);
        QCOMPARE(actions[0]->text(), QStringLiteral("開く(&O)"));
        QCOMPARE(actions[1]->text(), QStringLiteral("PDFに書き出す(&E)..."));
        QCOMPARE(actions[2]->text(), QStringLiteral("印刷(&P)..."));
        QVERIFY(!drive(f).mnuFileExportPdf().Enabled());
        QVERIFY(!drive(f).mnuFilePrint().Enabled());
        w->dialog.nextFile.reset();
        f.mnuFileOpen_Click();  // cancelled
        QVERIFY(!drive(f).mnuFileExportPdf().Enabled());
        openDocument();
        QVERIFY(drive(f).mnuFileExportPdf().Enabled());
        QVERIFY(drive(f).mnuFilePrint().Enabled());
    }

    void unreadableFile_leavesTheCommandsDisabled() {
        w->open(u"/nonexistent/なし.tl2");
        QVERIFY(!drive(*w->form).mnuFileExportPdf().Enabled());
        QVERIFY(!drive(*w->form).mnuFilePrint().Enabled());
    }

    // --- The PDF export ---
    void export_writesTheDocumentsPagesInTheCurrentStyle() {
        openDocument(70);
        w->form->mnuStyleType_Click(1);
        script.file = pdfPath(QStringLiteral("out.pdf"));
        script.layout = PrintChoice::screen(DocumentPrinter::Paper::B5);
        w->form->mnuFileExportPdf_Click();
        QCOMPARE(script.suggested, pdfPath(QStringLiteral("doc.pdf")));
        QCOMPARE(script.overwriteAsked, 0);
        QVERIFY(w->messages.messages().empty());
        const testing::PdfInspection pdf = testing::inspectPdf(*script.file);
        const auto pages = DocumentPages::pagesOf(w->current(), 1, 449);
        QCOMPARE(pdf.pages, static_cast<int>(pages.size()));
        QVERIFY(pdf.pages >= 4);
    }

    void cancelledDialogs_writeNothingAndSayNothing() {
        openDocument();
        script.file.reset();
        w->form->mnuFileExportPdf_Click();
        QCOMPARE(script.fileAsked, 1);
        QCOMPARE(script.layoutAsked, 0);
        script.file = pdfPath(QStringLiteral("never.pdf"));
        script.layout.reset();
        w->form->mnuFileExportPdf_Click();
        QVERIFY(!QFileInfo::exists(*script.file));
        QVERIFY(w->messages.messages().empty());
    }

    void existingFile_isReplacedOnlyAfterConfirmation() {
        openDocument();
        script.file = pdfPath(QStringLiteral("old.pdf"));
        {
            QFile old(*script.file);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("keep me");
        }
        script.overwrite = false;
        w->form->mnuFileExportPdf_Click();
        QCOMPARE(script.overwriteAsked, 1);
        QCOMPARE(script.layoutAsked, 0);
        {
            QFile old(*script.file);
            QVERIFY(old.open(QIODevice::ReadOnly));
            QCOMPARE(old.readAll(), QByteArray("keep me"));
        }
        script.overwrite = true;
        w->form->mnuFileExportPdf_Click();
        QCOMPARE(script.overwriteAsked, 2);
        QVERIFY(testing::inspectPdf(*script.file).readable);
    }

    void unwritableFolder_isToldThroughTheMessageSink() {
        openDocument();
        script.file = QStringLiteral("/nonexistent-folder/out.pdf");
        w->form->mnuFileExportPdf_Click();
        QCOMPARE(w->messages.messages().size(), std::size_t{1});
        QCOMPARE(q(w->messages.messages().back()),
                 QStringLiteral("/nonexistent-folder/out.pdf に書き出せませんでした。"));
    }

    // Manuscript pages through both commands: one column per line of 30 characters at 40 x 30
    // (70 lines, 3 pages), two at 20 x 20 (140 columns, 7 pages).
    void manuscriptPages_throughExportAndPrint_data() {
        QTest::addColumn<int>("preset");
        QTest::addColumn<bool>("print");
        QTest::addColumn<int>("pages");
        QTest::newRow("export 40x30") << int(PrintChoice::Preset::Grid40x30) << false << 3;
        QTest::newRow("export 20x20") << int(PrintChoice::Preset::Grid20x20) << false << 7;
        QTest::newRow("print 40x30") << int(PrintChoice::Preset::Grid40x30) << true << 3;
    }
    void manuscriptPages_throughExportAndPrint() {
        QFETCH(int, preset);
        QFETCH(bool, print);
        QFETCH(int, pages);
        openDocument(70);
        PrintChoice choice;
        choice.preset = static_cast<PrintChoice::Preset>(preset);
        script.layout = choice;
        script.file = pdfPath(QStringLiteral("manuscript.pdf"));
        script.printer = true;
        if (print)
            w->form->mnuFilePrint_Click();
        else
            w->form->mnuFileExportPdf_Click();
        QVERIFY(w->messages.messages().empty());
        QCOMPARE(ManuscriptLayout::of(w->current(), {choice.settings().charactersPerColumn,
                                                     choice.settings().columnsPerPage})
                     .pageCount(),
                 pages);
        QCOMPARE(testing::inspectPdf(*script.file).pages, pages);
    }

    // A prose document's manuscript pages: its sheets on a 20 x 20 grid, after the title page,
    // through the export and the printer; the dialog shows the prose length.
    void proseManuscript_throughExportAndPrint() {
        QByteArray text = QStringLiteral("物語\n作者\n\n").toUtf8();
        for (int p = 0; p < 30; ++p)
            text += QStringLiteral(
                        "　｜吾輩《わがはい》は猫である。名前はまだ無い。どこで生れたか"
                        "とんと見当がつかぬ。\n")
                        .toUtf8();
        const QString path = pdfPath(QStringLiteral("story.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(text), text.size());
        file.close();
        w->open(path.toStdU16String());
        QVERIFY(drive(*w->form).currentIsProse());
        const flow::FlowLayout::Length length = flow::FlowLayout::length(
            prose::readProseBytes(std::string_view(text.constData(), text.size())));
        PrintChoice choice;
        choice.preset = PrintChoice::Preset::Grid20x20;
        choice.title = true;
        script.layout = choice;
        script.printer = true;
        for (const bool print : {false, true}) {
            script.file =
                pdfPath(print ? QStringLiteral("printed.pdf") : QStringLiteral("out.pdf"));
            if (print)
                w->form->mnuFilePrint_Click();
            else
                w->form->mnuFileExportPdf_Click();
            QVERIFY(w->messages.messages().empty());
            QCOMPARE(testing::inspectPdf(*script.file).pages, length.sheets400 + 1);
        }
        QVERIFY(testing::q(script.length)
                    .endsWith(QStringLiteral("(400字詰め %1枚)").arg(length.sheets400)));
    }

    // --- Printing ---
    void print_goesThroughThePrintDialog() {
        openDocument(40);
        script.file = pdfPath(QStringLiteral("printed.pdf"));
        script.printer = false;
        w->form->mnuFilePrint_Click();
        QCOMPARE(script.layoutAsked, 1);
        QCOMPARE(script.printerAsked, 1);
        QVERIFY(!QFileInfo::exists(*script.file));
        script.printer = true;
        w->form->mnuFilePrint_Click();
        QVERIFY(w->messages.messages().empty());
        const testing::PdfInspection pdf = testing::inspectPdf(*script.file);
        QCOMPARE(pdf.pages, static_cast<int>(DocumentPages::pagesOf(w->current(), 0, 449).size()));
    }
};

}  // namespace tavelo

TAVELO_GUI_TEST_MAIN(tavelo::frmMainPrintTest)
#include "frmMainPrintTest.moc"
