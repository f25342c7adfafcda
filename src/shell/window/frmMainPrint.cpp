// The main window's print commands: the PDF export and printing of the current document.
#include <QDir>
#include <QFileInfo>
#include <QPrinter>

#include "shell/controls/CommonDialog.h"
#include "shell/print/DocumentPrinter.h"
#include "shell/print/PrintDialogs.h"
#include "common/MessageSink.h"
#include "shell/window/frmMain.h"
#include "store/CViewData.h"

namespace tavelo {

void frmMain::setPrintDialogs(std::unique_ptr<PrintDialogs> dialogs) {
    printDialogs_ = std::move(dialogs);
}

DocumentPrinter::Job frmMain::printJob() const {
    DocumentPrinter::Job job;
    if (m_obViewS.Count() == 0) return job;
    job.view = &m_obViewS.Item(m_ViewIndex);
    job.style = largeStyle() ? 1 : 0;
    job.viewSize = picView.image().size();
    job.isSearch = m_IsSearch;
    job.hitColor = static_cast<COLORREF>(cdlFileOpen.Color());
    return job;
}

bool frmMain::writePdf(const QString& path, DocumentPrinter::Paper paper) {
    const DocumentPrinter::Job job = printJob();
    if (job.view == nullptr) {
        messages_.showMessage(u"まだファイルが開かれていません。");
        return false;
    }
    if (!DocumentPrinter::writePdf(path, paper, job, m_obEisuuCyotai)) {
        messages_.showMessage(path.toStdU16String() + u" に書き出せませんでした。");
        return false;
    }
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
    if (QFileInfo::exists(*path) && !printDialogs_->confirmOverwrite(*path)) return;
    const std::optional<DocumentPrinter::Paper> paper = printDialogs_->askPaper();
    if (!paper) return;
    writePdf(*path, *paper);
}

void frmMain::mnuFilePrint_Click() {
    const DocumentPrinter::Job job = printJob();
    if (job.view == nullptr) return;
    const std::optional<DocumentPrinter::Paper> paper = printDialogs_->askPaper();
    if (!paper) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(DocumentPrinter::pageLayout(*paper));
    printer.setDocName(QString::fromStdU16String(job.view->FileName()));
    if (!printDialogs_->askPrinter(printer)) return;
    if (DocumentPrinter::print(printer, job, m_obEisuuCyotai) < 0)
        messages_.showMessage(u"印刷できませんでした。");
}

}  // namespace tavelo
