#pragma once

#include <QMenu>
#include <QObject>
#include <QPointer>

#include "common/ClassicTypes.h"

class QAction;
class QWidget;

namespace tavelo {

// One entry of the window's menus with the classic properties: a command, a separator (the
// caption "-") or a menu title with its own drop-down menu.
//
// Checked shows a check mark that only the program sets: choosing the item does not toggle
// it. Items have no shortcut keys; "&" in the caption marks the mnemonic.
class MenuItem : public QObject {
    Q_OBJECT
public:
    enum class Kind { Command, Menu };

    // Adds the item to `container` (a menu or the menu bar), before `before` when given and
    // at the end otherwise.
    MenuItem(QWidget& container, const String& caption, Kind kind = Kind::Command,
             QAction* before = nullptr);
    ~MenuItem() override;
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    [[nodiscard]] const String& Caption() const { return caption_; }
    void Caption(const String& vNewValue);
    [[nodiscard]] bool Enabled() const { return enabled_; }
    void Enabled(bool vNewValue);
    [[nodiscard]] bool Visible() const;
    void Visible(bool vNewValue);
    [[nodiscard]] bool Checked() const { return checked_; }
    void Checked(bool vNewValue);

    // The drop-down menu of a menu title; null for a command.
    [[nodiscard]] QMenu* subMenu() const { return menu_.data(); }
    [[nodiscard]] QAction& action() const { return *action_; }

signals:
    // A command was chosen, or a menu title opened its drop-down menu.
    void Click();

private:
    void triggered();

    // Owned here; also a child of the container, which may be destroyed first.
    QPointer<QMenu> menu_;
    QAction* action_ = nullptr;
    String caption_;
    // Kept here: Qt reports a hidden action as disabled, the classic item keeps both apart.
    bool enabled_ = true;
    bool checked_ = false;
};

}  // namespace tavelo
