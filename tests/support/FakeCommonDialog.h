#pragma once

#include <optional>

#include "shell/controls/CommonDialog.h"

namespace tavelo::testing {

// Answers the dialogs as scripted, without showing anything, and counts how often each was
// shown.
class FakeCommonDialog : public CommonDialog {
public:
    std::optional<String> nextFile;  // nullopt: the user cancels
    std::optional<Long> nextColor;   // nullopt: the user cancels
    int openCount = 0;
    int colorCount = 0;

protected:
    std::optional<String> askOpenFile() override {
        ++openCount;
        return nextFile;
    }
    std::optional<Long> askColor() override {
        ++colorCount;
        return nextColor;
    }
};

}  // namespace tavelo::testing
