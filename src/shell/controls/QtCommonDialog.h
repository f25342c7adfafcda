#pragma once

#include <QStringList>

#include "shell/controls/CommonDialog.h"

namespace tavelo {

// The common dialog over OpenFileDialog (names as the system's bytes) and QColorDialog, modal
// to the active window. The open dialog takes a typed name of a file that does not exist unless the
// flags ask for an existing file; the colour dialog starts at Color when the flags ask for it.
class QtCommonDialog : public CommonDialog {
public:
    // The classic "description|pattern|" filter as Qt name filters ("description (pattern)").
    [[nodiscard]] static QStringList nameFilters(const String& filter);

protected:
    [[nodiscard]] std::optional<String> askOpenFile() override;
    [[nodiscard]] std::optional<Long> askColor() override;
};

}  // namespace tavelo
