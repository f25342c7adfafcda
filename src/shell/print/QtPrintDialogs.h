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
    [[nodiscard]] std::optional<PrintChoice> askLayout(const PrintPreview& document) override;
    [[nodiscard]] bool askPrinter(QPrinter& printer) override;

private:
    QWidget* parent_;
};

}  // namespace tavelo
