// The main window's print commands: the PDF export and printing of the current document.
#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <filesystem>
#include <system_error>

#include "common/MessageSink.h"
#include "common/PathBytes.h"
#include "shell/controls/CommonDialog.h"
#include "shell/print/DocumentPrinter.h"
#include "shell/print/ManuscriptPrinter.h"
#include "shell/print/PrintChoice.h"
#include "shell/print/PrintDialogs.h"
#include "shell/print/PrintPreview.h"
#include "shell/print/ProseManuscriptPrinter.h"
#include "shell/print/ProsePrinter.h"
#include "shell/window/frmMain.h"
#include "store/CViewData.h"

namespace tavelo {
namespace {

constexpr int kWrittenShownMs = 8000;

ManuscriptPrinter::Job manuscriptJob(const CViewData& view, const PrintChoice& choice) {
    ManuscriptPrinter::Job job;
    job.view = &view;
    job.settings = choice.settings();
    if (choice.title) job.title = view.FileName();
    return job;
}

// What the page dialog shows of the current document, of either kind.
PrintPreview printPreview(const CViewData& view, const ProseDocumentView& prose,
                          const CEisuuCyotai& fonts) {
    return prose.holds(view.ID()) ? PrintPreview::of(prose.document(view.ID()))
                                  : PrintPreview::of(view, fonts);
}

}  // namespace

void frmMain::setPrintDialogs(std::unique_ptr<PrintDialogs> dialogs) {
    printDialogs_ = std::move(dialogs);
}

DocumentPrinter::Job frmMain::printJob() const {
    DocumentPrinter::Job job;
    if (m_obViewS.Count() == 0) return job;
    job.view = &m_obViewS.Item(m_ViewIndex);
    job.style = largeStyle() ? 1 : 0;
    job.viewSize = picView.logicalSize();
    job.isSearch = m_IsSearch;
    job.hitColor = static_cast<COLORREF>(cdlFileOpen.Color());
    return job;
}

bool frmMain::writePdf(const QString& path, DocumentPrinter::Paper paper) {
    return writePdf(path, PrintChoice::screen(paper));
}

bool frmMain::writePdf(const QString& path, const PrintChoice& choice) {
    const DocumentPrinter::Job job = printJob();
    if (job.view == nullptr) {
        messages_.showMessage(u"まだファイルが開かれていません。");
        return false;
    }
    const std::optional<DocumentPrinter::Paper> screenPaper = choice.screenPaper();
    const bool screen = choice.kind == PrintChoice::Kind::Screen;
    bool written = false;
    if (currentIsProse()) {
        // The flowing pages as the view shows them, or manuscript sheets of the same breaks.
        const String& id = job.view->ID();
        written = screen ? ProsePrinter::writePdf(path, prose_.printJob(id, job.hitColor))
                         : ProseManuscriptPrinter::writePdf(path, prose_.manuscriptJob(id, choice));
    } else {
        written = screen ? screenPaper &&
                               DocumentPrinter::writePdf(path, *screenPaper, job, m_obEisuuCyotai)
                         : ManuscriptPrinter::writePdf(path, manuscriptJob(*job.view, choice),
                                                       m_obEisuuCyotai);
    }
    if (!written) {
        messages_.showMessage(PathBytes::display(path.toStdU16String()) +
                              u" に書き出せませんでした。");
        return false;
    }
    // Nothing else on screen changes: the status bar says where the file went.
    showPassingStatus(u"PDFを書き出しました: " + PathBytes::display(path.toStdU16String()),
                      kWrittenShownMs);
    return true;
}

void frmMain::mnuFileExportPdf_Click() {
    const DocumentPrinter::Job job = printJob();
    if (job.view == nullptr) return;
    // The document's own name and folder, as a PDF.
    const QFileInfo source(QString::fromStdU16String(job.view->FullPathName()));
    const QString suggested =
        source.dir().filePath(source.completeBaseName() + QStringLiteral(".pdf"));
    const std::optional<QString> path = printDialogs_->askPdfFile(suggested);
    if (!path) return;
    // The suggested name keeps the bytes of a document's Shift-JIS folder: look for those.
    std::error_code error;
    if (std::filesystem::exists(PathBytes::toSystem(path->toStdU16String()), error) &&
        !printDialogs_->confirmOverwrite(*path))
        return;
    const std::optional<PrintChoice> choice =
        printDialogs_->askLayout(printPreview(*job.view, prose_, m_obEisuuCyotai));
    if (!choice) return;
    writePdf(*path, *choice);
}

void frmMain::mnuFilePrint_Click() {
    const DocumentPrinter::Job job = printJob();
    if (job.view == nullptr) return;
    const std::optional<PrintChoice> choice =
        printDialogs_->askLayout(printPreview(*job.view, prose_, m_obEisuuCyotai));
    if (!choice) return;
    const std::optional<DocumentPrinter::Paper> screenPaper = choice->screenPaper();
    const bool screen = choice->kind == PrintChoice::Kind::Screen;
    if (screen && !screenPaper) return;
    QPrinter printer(QPrinter::HighResolution);
    const ManuscriptPrinter::Job manuscript = manuscriptJob(*job.view, *choice);
    printer.setPageLayout(
        screen ? DocumentPrinter::pageLayout(*screenPaper)
               : ManuscriptPrinter::pageLayout(ManuscriptGeometry(manuscript.settings)));
    printer.setDocName(QString::fromStdU16String(job.view->FileName()));
    if (!printDialogs_->askPrinter(printer)) return;
    int pages = -1;
    if (currentIsProse()) {
        const String& id = job.view->ID();
        pages = screen ? ProsePrinter::print(printer, prose_.printJob(id, job.hitColor))
                       : ProseManuscriptPrinter::print(printer, prose_.manuscriptJob(id, *choice));
    } else {
        pages = screen ? DocumentPrinter::print(printer, job, m_obEisuuCyotai)
                       : ManuscriptPrinter::print(printer, manuscript, m_obEisuuCyotai);
    }
    if (pages < 0) messages_.showMessage(u"印刷できませんでした。");
}

}  // namespace tavelo
