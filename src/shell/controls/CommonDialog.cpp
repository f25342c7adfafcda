#include "shell/controls/CommonDialog.h"

#include "shell/controls/ControlErrors.h"

namespace tavelo {

void CommonDialog::ShowOpen() {
    const std::optional<String> chosen = askOpenFile();
    if (!chosen || chosen->empty()) {
        fileName_.clear();
        fileTitle_.clear();
        if (cancelError_) throw controlerrors::cancelSelected("CommonDialog");
        return;
    }
    fileName_ = *chosen;
    const auto slash = fileName_.find_last_of(u"/\\");
    fileTitle_ = slash == String::npos ? fileName_ : fileName_.substr(slash + 1);
}

void CommonDialog::ShowColor() {
    const std::optional<Long> chosen = askColor();
    if (!chosen) {
        if (cancelError_) throw controlerrors::cancelSelected("CommonDialog");
        return;
    }
    color_ = *chosen;
}

}  // namespace tavelo
