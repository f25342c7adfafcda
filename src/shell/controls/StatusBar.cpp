#include "shell/controls/StatusBar.h"

#include <QCursor>
#include <QMouseEvent>

#include "shell/controls/ClassicMouse.h"
#include "shell/controls/StatusBarPanel.h"
#include "shell/controls/Twips.h"

namespace tavelo {
StatusBar::StatusBar(QWidget* parent) : QWidget(parent), panel_(new StatusBarPanel(this)) {
    setMouseTracking(true);
}

StatusBarPanel& StatusBar::Panels(Integer vIndex) const {
    if (vIndex != 1) throw Error::subscriptOutOfRange("Panels");
    return *panel_;
}

Single StatusBar::Width() const {
    return twips::fromPixels(width());
}

void StatusBar::MousePointer(Integer vNewValue) {
    classicmouse::applyPointer(*this, vNewValue);
    mousePointer_ = vNewValue;
}

void StatusBar::mousePressEvent(QMouseEvent* event) {
    const QPointF position = event->position();
    emit MouseDown(classicmouse::buttonOf(event->button()),
                   classicmouse::shiftOf(event->modifiers()), twips::fromPixels(position.x()),
                   twips::fromPixels(position.y()));
}

void StatusBar::mouseMoveEvent(QMouseEvent* event) {
    const QPointF position = event->position();
    emit MouseMove(classicmouse::buttonsOf(event->buttons()),
                   classicmouse::shiftOf(event->modifiers()), twips::fromPixels(position.x()),
                   twips::fromPixels(position.y()));
}

void StatusBar::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPointF position = event->position();
    emit DblClick(classicmouse::buttonOf(event->button()),
                  classicmouse::shiftOf(event->modifiers()), twips::fromPixels(position.x()),
                  twips::fromPixels(position.y()));
}

void StatusBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    panel_->fitToBar();
}

}  // namespace tavelo
