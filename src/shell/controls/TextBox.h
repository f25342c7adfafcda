#pragma once

#include <QLineEdit>

#include "common/ClassicTypes.h"

namespace tavelo {

// A one-line text box with the classic properties. Mouse positions are in twips.
class TextBox : public QLineEdit {
    Q_OBJECT
public:
    explicit TextBox(QWidget* parent);

    [[nodiscard]] String Text() const { return text().toStdU16String(); }
    void Text(const String& vNewValue) { setText(QString::fromStdU16String(vNewValue)); }
    [[nodiscard]] bool Enabled() const { return isEnabled(); }
    void Enabled(bool vNewValue) { setEnabled(vNewValue); }
    [[nodiscard]] Integer MousePointer() const { return mousePointer_; }
    // 0 gives back the text box's own I-beam.
    void MousePointer(Integer vNewValue);
    [[nodiscard]] String ToolTipText() const { return toolTip().toStdU16String(); }
    void ToolTipText(const String& vNewValue) { setToolTip(QString::fromStdU16String(vNewValue)); }

signals:
    void MouseMove(tavelo::Integer Button, tavelo::Integer Shift, tavelo::Single X,
                   tavelo::Single Y);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    Integer mousePointer_ = 0;
};

}  // namespace tavelo
