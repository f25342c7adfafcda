#pragma once

#include <QString>
#include <optional>

#include "shell/print/PrintChoice.h"
#include "shell/print/PrintPreview.h"

class QPrinter;

namespace tavelo {

// The dialogs of the PDF export and of printing, behind an interface so that tests can answer
// them. Every question may be cancelled: nullopt or false, and the command does nothing more.
class PrintDialogs {
public:
    virtual ~PrintDialogs() = default;

    // The file to write, starting from `suggested`; the dialog itself does not ask about an
    // existing file.
    [[nodiscard]] virtual std::optional<QString> askPdfFile(const QString& suggested) = 0;
    // Whether the existing file may be replaced.
    [[nodiscard]] virtual bool confirmOverwrite(const QString& path) = 0;
    // The pages: manuscript pages or the screen's, and their paper, with a preview of the
    // document's first page.
    [[nodiscard]] virtual std::optional<PrintChoice> askLayout(const PrintPreview& document) = 0;
    // The printer and its settings, in Qt's print dialog.
    [[nodiscard]] virtual bool askPrinter(QPrinter& printer) = 0;
};

}  // namespace tavelo
