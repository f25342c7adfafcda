#pragma once

#include "shell/print/PrintDialogs.h"

class QWidget;

namespace tavelo {

// The print dialogs as Qt shows them, modal over the main window.
class QtPrintDialogs : public PrintDialogs {
public:
    explicit QtPrintDialogs(QWidget* parent) : parent_(parent) {}

    [[nodiscard]] std::optional<QString> askPdfFile(const QString& suggested) override;
    [[nodiscard]] bool confirmOverwrite(const QString& path) override;
    [[nodiscard]] std::optional<DocumentPrinter::Paper> askPaper() override;
    [[nodiscard]] bool askPrinter(QPrinter& printer) override;

private:
    QWidget* parent_;
    // The page size chosen last is offered again.
    DocumentPrinter::Paper paper_ = DocumentPrinter::Paper::A4Landscape;
};

}  // namespace tavelo
