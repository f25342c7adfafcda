#include "shell/controls/HScrollBar.h"

#include <QCursor>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QWheelEvent>
#include <algorithm>

#include "shell/controls/ClassicMouse.h"
#include "shell/controls/ControlErrors.h"

namespace tavelo {

HScrollBar::HScrollBar(QWidget* parent) : QScrollBar(Qt::Horizontal, parent) {
    // No tracking: a drag of the thumb changes the value once, at its release.
    setTracking(false);
    setFocusPolicy(Qt::StrongFocus);
    syncSlider();
    connect(this, &QAbstractSlider::valueChanged, this, &HScrollBar::sliderValueChanged);
}

void HScrollBar::Min(Integer vNewValue) {
    min_ = vNewValue;
    value_ = clampedToRange(value_);
    syncSlider();
}

void HScrollBar::Max(Integer vNewValue) {
    max_ = vNewValue;
    value_ = clampedToRange(value_);
    syncSlider();
}

void HScrollBar::Value(Integer vNewValue) {
    if (vNewValue != clampedToRange(vNewValue)) throw controlerrors::invalidPropertyValue("Value");
    if (vNewValue == value_) return;
    value_ = vNewValue;
    syncSlider();
    emit Change();
}

void HScrollBar::SmallChange(Integer vNewValue) {
    if (vNewValue < 1) throw controlerrors::invalidPropertyValue("SmallChange");
    smallChange_ = vNewValue;
    syncSlider();
}

void HScrollBar::LargeChange(Integer vNewValue) {
    if (vNewValue < 1) throw controlerrors::invalidPropertyValue("LargeChange");
    largeChange_ = vNewValue;
    syncSlider();
}

void HScrollBar::SetFocus() {
    if (isEnabled()) setFocus(Qt::OtherFocusReason);
}

void HScrollBar::MousePointer(Integer vNewValue) {
    classicmouse::applyPointer(*this, vNewValue);
    mousePointer_ = vNewValue;
}

// The keys of the classic bar: Left, Up, Page Up and Home move towards the left end; Right,
// Down, Page Down and End towards the right end. Qt's own mapping follows the slider's
// inverted controls and would run the arrow keys backwards here.
void HScrollBar::keyPressEvent(QKeyEvent* event) {
    SliderAction action = SliderNoAction;
    switch (event->key()) {
        case Qt::Key_Left:
        case Qt::Key_Up:
            action = SliderSingleStepSub;
            break;
        case Qt::Key_Right:
        case Qt::Key_Down:
            action = SliderSingleStepAdd;
            break;
        case Qt::Key_PageUp:
            action = SliderPageStepSub;
            break;
        case Qt::Key_PageDown:
            action = SliderPageStepAdd;
            break;
        case Qt::Key_Home:
            action = SliderToMinimum;
            break;
        case Qt::Key_End:
            action = SliderToMaximum;
            break;
        default:
            QScrollBar::keyPressEvent(event);
            return;
    }
    triggerAction(action);
    event->accept();
}

void HScrollBar::wheelEvent(QWheelEvent* event) {
    event->ignore();
}

// While Min > Max the slider runs from -Min (left) to -Max (right), so that Qt's own
// arrows, keys and trough clicks move towards the end they stand at.
int HScrollBar::toSlider(Integer value) const {
    return mirrored() ? -int{value} : int{value};
}

Integer HScrollBar::fromSlider(int position) const {
    return static_cast<Integer>(mirrored() ? -position : position);
}

Integer HScrollBar::clampedToRange(Integer value) const {
    return std::clamp(value, std::min(min_, max_), std::max(min_, max_));
}

void HScrollBar::syncSlider() {
    const QScopedValueRollback guard(syncing_, true);
    setRange(std::min(toSlider(min_), toSlider(max_)), std::max(toSlider(min_), toSlider(max_)));
    setSingleStep(smallChange_);
    setPageStep(largeChange_);
    setValue(toSlider(value_));
}

void HScrollBar::sliderValueChanged(int position) {
    if (syncing_) return;
    const Integer value = fromSlider(position);
    if (value == value_) return;
    value_ = value;
    emit Change();
}

}  // namespace tavelo
