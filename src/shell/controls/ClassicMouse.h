#pragma once

#include <QCursor>
#include <Qt>
#include <optional>

#include "common/ClassicTypes.h"

class QWidget;

// Mouse buttons, shift state and pointers in the classic controls' terms.

namespace tavelo::classicmouse {

inline constexpr Integer kLeftButton = 1;
inline constexpr Integer kRightButton = 2;
inline constexpr Integer kMiddleButton = 4;

inline constexpr Integer kShiftMask = 1;
inline constexpr Integer kCtrlMask = 2;
inline constexpr Integer kAltMask = 4;

inline constexpr Integer kDefaultPointer = 0;
inline constexpr Integer kArrowPointer = 1;
inline constexpr Integer kCustomPointer = 99;

// The one button of a press or release: 1 left, 2 right, 4 middle, 0 any other.
[[nodiscard]] Integer buttonOf(Qt::MouseButton button);
// The buttons held during a move, as a sum of the values above.
[[nodiscard]] Integer buttonsOf(Qt::MouseButtons buttons);
// 1 Shift, 2 Ctrl, 4 Alt, added together.
[[nodiscard]] Integer shiftOf(Qt::KeyboardModifiers modifiers);

// The cursor a MousePointer value stands for: nullopt for 0 (the control's own default),
// `customIcon` for 99. Any value the classic controls do not know fails with error 380.
[[nodiscard]] std::optional<QCursor> cursorFor(Integer mousePointer, const QCursor& customIcon);
// Shows the cursor of a MousePointer value over `control`: its own default for 0. Fails as
// cursorFor does, leaving the cursor shown before.
void applyPointer(QWidget& control, Integer mousePointer, const QCursor& customIcon = QCursor());

}  // namespace tavelo::classicmouse
