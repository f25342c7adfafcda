#pragma once

#include "common/ClassicTypes.h"

class QFrame;
class QToolButton;

namespace tavelo {

class Toolbar;

// One button of a Toolbar with the classic properties. Widths are in twips. Changing the
// style, the width or the visibility lays the toolbar out again.
class ToolbarButton {
public:
    enum Style : Integer {
        tbrDefault = 0,
        tbrCheck = 1,
        tbrButtonGroup = 2,
        tbrSeparator = 3,
        tbrPlaceholder = 4,
    };

    // Made by Toolbar::AddButton.
    ToolbarButton(Toolbar& toolbar, Integer index, QToolButton& button, QFrame& separator);
    ToolbarButton(const ToolbarButton&) = delete;
    ToolbarButton& operator=(const ToolbarButton&) = delete;

    [[nodiscard]] Integer Index() const { return index_; }
    [[nodiscard]] const String& Key() const { return key_; }
    void Key(const String& vNewValue) { key_ = vNewValue; }
    [[nodiscard]] Integer Style() const { return style_; }
    // Error 380 for a style the toolbar does not know.
    void Style(Integer vNewValue);
    [[nodiscard]] Integer Image() const { return image_; }
    // An index into the toolbar's image list, 0 for no image; error 380 beyond the list.
    void Image(Integer vNewValue);
    [[nodiscard]] bool Enabled() const;
    void Enabled(bool vNewValue);
    [[nodiscard]] bool Visible() const { return visible_; }
    void Visible(bool vNewValue);
    [[nodiscard]] Single Width() const;
    // Only a placeholder takes a width (error 383 otherwise); it keeps that space free.
    void Width(Single vNewValue);
    [[nodiscard]] const String& ToolTipText() const { return toolTipText_; }
    void ToolTipText(const String& vNewValue);
    [[nodiscard]] const String& Description() const { return description_; }
    void Description(const String& vNewValue) { description_ = vNewValue; }
    // A check button's pressed state: 1 pressed, 0 not.
    [[nodiscard]] Integer Value() const;
    void Value(Integer vNewValue);

    // The widget of a button or check button (hidden for the other styles).
    [[nodiscard]] QToolButton& button() const { return button_; }
    [[nodiscard]] int widthInPixels() const;
    // Puts the button's widget into its slot of the toolbar.
    void place(int left, int top, int height);

private:
    void showStyle();

    Toolbar& toolbar_;
    QToolButton& button_;
    QFrame& separator_;
    Integer index_;
    String key_;
    Integer style_ = tbrDefault;
    Integer image_ = 0;
    bool visible_ = true;
    int placeholderPixels_ = 0;
    String toolTipText_;
    String description_;
};

}  // namespace tavelo
