#include "shell/print/QtPrintDialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

#include "common/Version.h"
#include "shell/print/PaperSizeDialog.h"

namespace tavelo {

std::optional<QString> QtPrintDialogs::askPdfFile(const QString& suggested) {
    // The window asks about an existing file itself, after the page size is known.
    const QString path = QFileDialog::getSaveFileName(parent_, QStringLiteral("PDFに書き出す"),
                                                      suggested, QStringLiteral("PDF (*.pdf)"),
                                                      nullptr, QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty()) return std::nullopt;
    return path;
}

bool QtPrintDialogs::confirmOverwrite(const QString& path) {
    return QMessageBox::question(
               parent_, QString::fromUtf16(version::kTitle),
               QFileInfo(path).fileName() + QStringLiteral(" は既に存在します。\n上書きしますか？"),
               QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

std::optional<DocumentPrinter::Paper> QtPrintDialogs::askPaper() {
    PaperSizeDialog dialog(parent_);
    dialog.setPaper(paper_);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    paper_ = dialog.paper();
    return paper_;
}

bool QtPrintDialogs::askPrinter(QPrinter& printer) {
    QPrintDialog dialog(&printer, parent_);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace tavelo
