#include "shell/controls/CommandButton.h"

#include <QCursor>
#include <QMouseEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

#include "shell/controls/ClassicMouse.h"
#include "shell/controls/Twips.h"

namespace tavelo {

CommandButton::CommandButton(const String& caption, QWidget* parent)
    : QPushButton(QString::fromStdU16String(caption), parent) {
    setMouseTracking(true);
    connect(this, &QPushButton::clicked, this, &CommandButton::Click);
}

void CommandButton::MousePointer(Integer vNewValue) {
    classicmouse::applyPointer(*this, vNewValue);
    mousePointer_ = vNewValue;
}

void CommandButton::mouseMoveEvent(QMouseEvent* event) {
    const QPointF position = event->position();
    emit MouseMove(classicmouse::buttonsOf(event->buttons()),
                   classicmouse::shiftOf(event->modifiers()), twips::fromPixels(position.x()),
                   twips::fromPixels(position.y()));
    QPushButton::mouseMoveEvent(event);
}

}  // namespace tavelo

namespace tavelo {

void CommandButton::paintEvent(QPaintEvent* /*event*/) {
    // The style keeps margins meant for wide buttons and cuts a caption like "終" in a
    // button of 17 pixels; the caption is centred on the whole button instead.
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    painter.drawItemText(rect(), Qt::AlignCenter | Qt::TextShowMnemonic, palette(), isEnabled(),
                         text(), QPalette::ButtonText);
}

}  // namespace tavelo
