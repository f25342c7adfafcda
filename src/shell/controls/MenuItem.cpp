#include "shell/controls/MenuItem.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

namespace tavelo {

MenuItem::MenuItem(QWidget& container, const String& caption, Kind kind, QAction* before) {
    if (kind == Kind::Menu) {
        // A child of the container, so that it takes the window's font and style.
        menu_ = new QMenu(&container);
        action_ = menu_->menuAction();
        connect(menu_.data(), &QMenu::aboutToShow, this, &MenuItem::Click);
    } else {
        action_ = new QAction(this);
        connect(action_, &QAction::triggered, this, &MenuItem::triggered);
    }
    Caption(caption);
    container.insertAction(before, action_);
}

MenuItem::~MenuItem() {
    delete menu_.data();
}

void MenuItem::Caption(const String& vNewValue) {
    caption_ = vNewValue;
    const bool separator = vNewValue == u"-";
    action_->setSeparator(separator);
    action_->setText(separator ? QString() : QString::fromStdU16String(vNewValue));
}

void MenuItem::Enabled(bool vNewValue) {
    enabled_ = vNewValue;
    action_->setEnabled(vNewValue);
}
bool MenuItem::Visible() const {
    return action_->isVisible();
}
void MenuItem::Visible(bool vNewValue) {
    action_->setVisible(vNewValue);
}

void MenuItem::Checked(bool vNewValue) {
    checked_ = vNewValue;
    // Only a checked item is checkable, so that an unchecked one shows no empty check box.
    action_->setCheckable(vNewValue);
    action_->setChecked(vNewValue);
}

void MenuItem::triggered() {
    // Qt toggles a checkable action before it reports the trigger; the mark stays as set.
    action_->setChecked(checked_);
    emit Click();
}

}  // namespace tavelo
