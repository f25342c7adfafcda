#include "shell/controls/TextBox.h"

#include <QCursor>
#include <QMouseEvent>

#include "shell/controls/ClassicMouse.h"
#include "shell/controls/Twips.h"

namespace tavelo {

TextBox::TextBox(QWidget* parent) : QLineEdit(parent) {
    setMouseTracking(true);
}

void TextBox::MousePointer(Integer vNewValue) {
    const auto cursor = classicmouse::cursorFor(vNewValue, QCursor());
    mousePointer_ = vNewValue;
    setCursor(cursor ? *cursor : QCursor(Qt::IBeamCursor));
}

void TextBox::mouseMoveEvent(QMouseEvent* event) {
    const QPointF position = event->position();
    emit MouseMove(classicmouse::buttonsOf(event->buttons()),
                   classicmouse::shiftOf(event->modifiers()), twips::fromPixels(position.x()),
                   twips::fromPixels(position.y()));
    QLineEdit::mouseMoveEvent(event);
}

}  // namespace tavelo
