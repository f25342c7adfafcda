#pragma once

#include <QPushButton>

#include "common/ClassicTypes.h"

namespace tavelo {

// A command button with the classic properties; Click reports a press of the button.
// Mouse positions are in twips.
class CommandButton : public QPushButton {
    Q_OBJECT
public:
    CommandButton(const String& caption, QWidget* parent);

    [[nodiscard]] String Caption() const { return text().toStdU16String(); }
    void Caption(const String& vNewValue) { setText(QString::fromStdU16String(vNewValue)); }
    [[nodiscard]] bool Enabled() const { return isEnabled(); }
    void Enabled(bool vNewValue) { setEnabled(vNewValue); }
    [[nodiscard]] Integer MousePointer() const { return mousePointer_; }
    void MousePointer(Integer vNewValue);
    [[nodiscard]] String ToolTipText() const { return toolTip().toStdU16String(); }
    void ToolTipText(const String& vNewValue) { setToolTip(QString::fromStdU16String(vNewValue)); }

signals:
    void Click();
    void MouseMove(tavelo::Integer Button, tavelo::Integer Shift, tavelo::Single X,
                   tavelo::Single Y);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    Integer mousePointer_ = 0;
};

}  // namespace tavelo
