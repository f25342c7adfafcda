#include "shell/print/PaperSizeDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>

namespace tavelo {
namespace {

constexpr DocumentPrinter::Paper kPapers[] = {
    DocumentPrinter::Paper::A4Landscape, DocumentPrinter::Paper::A4Portrait,
    DocumentPrinter::Paper::B5, DocumentPrinter::Paper::A5};

}  // namespace

PaperSizeDialog::PaperSizeDialog(QWidget* parent) : QDialog(parent), sizes_(new QComboBox(this)) {
    setWindowTitle(QStringLiteral("用紙サイズ"));
    for (const DocumentPrinter::Paper paper : kPapers)
        sizes_->addItem(QString::fromStdU16String(DocumentPrinter::caption(paper)),
                        static_cast<int>(paper));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("用紙(&S):"), sizes_);
    layout->addRow(buttons);
}

DocumentPrinter::Paper PaperSizeDialog::paper() const {
    return static_cast<DocumentPrinter::Paper>(sizes_->currentData().toInt());
}

void PaperSizeDialog::setPaper(DocumentPrinter::Paper paper) {
    sizes_->setCurrentIndex(sizes_->findData(static_cast<int>(paper)));
}

}  // namespace tavelo
