#pragma once

#include <QWidget>

#include "common/ClassicTypes.h"

namespace tavelo {

class StatusBarPanel;

// A status bar with one panel (index 1). Width and the X and Y of the mouse events are in
// twips, so that a handler can compare X with a fraction of Width.
class StatusBar : public QWidget {
    Q_OBJECT
public:
    explicit StatusBar(QWidget* parent);

    // The panel `vIndex`; the bar has only panel 1, error 9 for any other.
    [[nodiscard]] StatusBarPanel& Panels(Integer vIndex) const;
    [[nodiscard]] Single Width() const;
    [[nodiscard]] Integer MousePointer() const { return mousePointer_; }
    void MousePointer(Integer vNewValue);

signals:
    void MouseDown(tavelo::Integer Button, tavelo::Integer Shift, tavelo::Single X,
                   tavelo::Single Y);
    void MouseMove(tavelo::Integer Button, tavelo::Integer Shift, tavelo::Single X,
                   tavelo::Single Y);
    void DblClick(tavelo::Integer Button, tavelo::Integer Shift, tavelo::Single X,
                  tavelo::Single Y);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    StatusBarPanel* panel_;
    Integer mousePointer_ = 0;
};

}  // namespace tavelo
