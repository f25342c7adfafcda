#include "shell/controls/ToolbarButton.h"

#include <QFrame>
#include <QIcon>
#include <QToolButton>

#include "shell/controls/ControlErrors.h"
#include "shell/controls/Toolbar.h"
#include "shell/controls/Twips.h"

namespace tavelo {

ToolbarButton::ToolbarButton(Toolbar& toolbar, Integer index, QToolButton& button,
                             QFrame& separator)
    : toolbar_(toolbar), button_(button), separator_(separator), index_(index) {
    showStyle();
}

void ToolbarButton::Style(Integer vNewValue) {
    if (vNewValue < tbrDefault || vNewValue > tbrPlaceholder)
        throw controlerrors::invalidPropertyValue("Style");
    style_ = vNewValue;
    showStyle();
    toolbar_.layoutButtons();
}

void ToolbarButton::Image(Integer vNewValue) {
    if (vNewValue < 0 || vNewValue > toolbar_.ImageCount())
        throw controlerrors::invalidPropertyValue("Image");
    image_ = vNewValue;
    button_.setIcon(vNewValue == 0 ? QIcon() : toolbar_.ImageListImage(vNewValue));
}

bool ToolbarButton::Enabled() const {
    return button_.isEnabled();
}
void ToolbarButton::Enabled(bool vNewValue) {
    button_.setEnabled(vNewValue);
}

void ToolbarButton::Visible(bool vNewValue) {
    visible_ = vNewValue;
    showStyle();
    toolbar_.layoutButtons();
}

Single ToolbarButton::Width() const {
    return twips::fromPixels(widthInPixels());
}

void ToolbarButton::Width(Single vNewValue) {
    if (style_ != tbrPlaceholder) throw controlerrors::propertyReadOnly("Width");
    if (vNewValue < 0) throw controlerrors::invalidPropertyValue("Width");
    placeholderPixels_ = twips::toPixels(vNewValue);
    toolbar_.layoutButtons();
}

void ToolbarButton::ToolTipText(const String& vNewValue) {
    toolTipText_ = vNewValue;
    button_.setToolTip(QString::fromStdU16String(vNewValue));
}

Integer ToolbarButton::Value() const {
    return button_.isChecked() ? 1 : 0;
}
void ToolbarButton::Value(Integer vNewValue) {
    button_.setChecked(vNewValue != 0);
}

int ToolbarButton::widthInPixels() const {
    switch (style_) {
        case tbrSeparator:
            return Toolbar::kSeparatorWidth;
        case tbrPlaceholder:
            return placeholderPixels_;
        default:
            return Toolbar::kButtonWidth;
    }
}

void ToolbarButton::place(int left, int top, int height) {
    button_.setGeometry(left, top, widthInPixels(), height);
    separator_.setGeometry(left, top, widthInPixels(), height);
}

void ToolbarButton::showStyle() {
    const bool isButton = style_ <= tbrButtonGroup;
    button_.setCheckable(style_ == tbrCheck || style_ == tbrButtonGroup);
    button_.setVisible(visible_ && isButton);
    separator_.setVisible(visible_ && style_ == tbrSeparator);
}

}  // namespace tavelo
