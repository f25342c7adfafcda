#include "shell/print/QtPrintDialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QSettings>

#include "common/Version.h"
#include "shell/print/PageSetupDialog.h"

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

std::optional<PrintChoice> QtPrintDialogs::askLayout(const PrintPreview& document) {
    // The choice of the last run is offered again, from the user's settings of the program.
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Tavelo"),
                       QStringLiteral("tavelo"));
    PageSetupDialog dialog(document, parent_);
    dialog.setChoice(PrintChoice::load(settings));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const PrintChoice choice = dialog.choice();
    choice.save(settings);
    return choice;
}

bool QtPrintDialogs::askPrinter(QPrinter& printer) {
    QPrintDialog dialog(&printer, parent_);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace tavelo
