#pragma once

#include <optional>

#include "common/ClassicTypes.h"

namespace tavelo {

// The classic common-dialog control as the window uses it: the open dialog and the colour
// dialog, with properties the caller sets before and reads after. Both dialogs are modal.
// Implementations only show the dialogs (the Qt dialogs, or a double in tests); the rules
// for cancelling live here.
class CommonDialog {
public:
    // Flags of the open dialog.
    static constexpr Long cdlOFNHideReadOnly = 0x4;
    static constexpr Long cdlOFNFileMustExist = 0x1000;
    // Flags of the colour dialog.
    static constexpr Long cdlCCRGBInit = 0x1;
    static constexpr Long cdlCCPreventFullOpen = 0x4;

    virtual ~CommonDialog() = default;

    [[nodiscard]] Long Flags() const { return flags_; }
    void Flags(Long vNewValue) { flags_ = vNewValue; }
    [[nodiscard]] bool CancelError() const { return cancelError_; }
    void CancelError(bool vNewValue) { cancelError_ = vNewValue; }
    [[nodiscard]] const String& DialogTitle() const { return dialogTitle_; }
    void DialogTitle(const String& vNewValue) { dialogTitle_ = vNewValue; }
    // "description|pattern|description|pattern|", patterns separated by ";".
    [[nodiscard]] const String& Filter() const { return filter_; }
    void Filter(const String& vNewValue) { filter_ = vNewValue; }
    [[nodiscard]] const String& FileName() const { return fileName_; }
    void FileName(const String& vNewValue) { fileName_ = vNewValue; }
    [[nodiscard]] const String& FileTitle() const { return fileTitle_; }
    // 0x00BBGGRR.
    [[nodiscard]] Long Color() const { return color_; }
    void Color(Long vNewValue) { color_ = vNewValue; }

    // Afterwards FileName is the chosen file's full path and FileTitle its name without
    // folder. Cancelling empties both; it fails with error 32755 only when CancelError is set.
    void ShowOpen();
    // Afterwards Color is the chosen colour. Cancelling keeps the colour set before; it fails
    // with error 32755 only when CancelError is set.
    void ShowColor();

protected:
    // Shows the open dialog; the chosen path, or nullopt when cancelled.
    [[nodiscard]] virtual std::optional<String> askOpenFile() = 0;
    // Shows the colour dialog; the chosen colour, or nullopt when cancelled.
    [[nodiscard]] virtual std::optional<Long> askColor() = 0;

private:
    Long flags_ = 0;
    bool cancelError_ = false;
    String dialogTitle_;
    String filter_;
    String fileName_;
    String fileTitle_;
    Long color_ = 0;
};

}  // namespace tavelo
