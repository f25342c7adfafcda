#include "shell/controls/ClassicMouse.h"

#include <QCursor>
#include <QWidget>

#include "shell/controls/ControlErrors.h"

namespace tavelo::classicmouse {

Integer buttonOf(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return kLeftButton;
        case Qt::RightButton:
            return kRightButton;
        case Qt::MiddleButton:
            return kMiddleButton;
        default:
            return 0;
    }
}

Integer buttonsOf(Qt::MouseButtons buttons) {
    Integer result = 0;
    if (buttons & Qt::LeftButton) result |= kLeftButton;
    if (buttons & Qt::RightButton) result |= kRightButton;
    if (buttons & Qt::MiddleButton) result |= kMiddleButton;
    return result;
}

Integer shiftOf(Qt::KeyboardModifiers modifiers) {
    Integer result = 0;
    if (modifiers & Qt::ShiftModifier) result |= kShiftMask;
    if (modifiers & Qt::ControlModifier) result |= kCtrlMask;
    if (modifiers & Qt::AltModifier) result |= kAltMask;
    return result;
}

std::optional<QCursor> cursorFor(Integer mousePointer, const QCursor& customIcon) {
    switch (mousePointer) {
        case kDefaultPointer:
            return std::nullopt;
        case kArrowPointer:
            return QCursor(Qt::ArrowCursor);
        case 2:
            return QCursor(Qt::CrossCursor);
        case 3:
            return QCursor(Qt::IBeamCursor);
        case 5:
        case 15:
            return QCursor(Qt::SizeAllCursor);
        case 6:
            return QCursor(Qt::SizeBDiagCursor);
        case 7:
            return QCursor(Qt::SizeVerCursor);
        case 8:
            return QCursor(Qt::SizeFDiagCursor);
        case 9:
            return QCursor(Qt::SizeHorCursor);
        case 10:
            return QCursor(Qt::UpArrowCursor);
        case 11:
            return QCursor(Qt::WaitCursor);
        case 12:
            return QCursor(Qt::ForbiddenCursor);
        case 13:
            return QCursor(Qt::BusyCursor);
        case 14:
            return QCursor(Qt::WhatsThisCursor);
        case kCustomPointer:
            return customIcon;
        default:
            throw controlerrors::invalidPropertyValue("MousePointer");
    }
}

void applyPointer(QWidget& control, Integer mousePointer, const QCursor& customIcon) {
    if (const auto cursor = cursorFor(mousePointer, customIcon)) {
        control.setCursor(*cursor);
    } else {
        control.unsetCursor();
    }
}

}  // namespace tavelo::classicmouse
