#pragma once

#include "shell/controls/CommonDialog.h"

namespace tavelo {

// The common dialog of a window that nobody sees (the benchmarks' windows): every dialog is
// cancelled at once.
class HeadlessCommonDialog : public CommonDialog {
protected:
    [[nodiscard]] std::optional<String> askOpenFile() override { return std::nullopt; }
    [[nodiscard]] std::optional<Long> askColor() override { return std::nullopt; }
};

}  // namespace tavelo
