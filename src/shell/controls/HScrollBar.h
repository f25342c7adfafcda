#pragma once

#include <QScrollBar>

#include "common/ClassicTypes.h"

namespace tavelo {

// A horizontal scroll bar with the classic value semantics the window's handlers rely on.
//
// The bar's left end is Min and its right end Max, also when Min is greater than Max: the
// viewer keeps Max at 0 and Min at the last position, so values grow towards the left as
// the vertical text does.
// - Assigning Value raises Change at once, and only when the value differs; a value outside
//   Min..Max fails with error 380.
// - Setting Min or Max never raises Change: a Value outside the new range is moved inside
//   silently (the callers always redraw themselves).
// - The arrows, the arrow keys and clicks in the trough step by SmallChange or LargeChange,
//   one Change per step; dragging the thumb raises one Change at its release.
// - The mouse wheel does nothing, as on the classic control.
// The QScrollBar underneath counts in a mirrored scale while Min > Max: callers use the
// classic members only.
class HScrollBar : public QScrollBar {
    Q_OBJECT
public:
    explicit HScrollBar(QWidget* parent);

    [[nodiscard]] Integer Min() const { return min_; }
    void Min(Integer vNewValue);
    [[nodiscard]] Integer Max() const { return max_; }
    void Max(Integer vNewValue);
    [[nodiscard]] Integer Value() const { return value_; }
    void Value(Integer vNewValue);
    [[nodiscard]] Integer SmallChange() const { return smallChange_; }
    void SmallChange(Integer vNewValue);
    [[nodiscard]] Integer LargeChange() const { return largeChange_; }
    void LargeChange(Integer vNewValue);

    [[nodiscard]] bool Enabled() const { return isEnabled(); }
    void Enabled(bool vNewValue) { setEnabled(vNewValue); }
    // Gives the keyboard focus to the bar. A disabled bar cannot take the focus; the request
    // is then ignored instead of failing the handler that made it.
    void SetFocus();
    [[nodiscard]] Integer MousePointer() const { return mousePointer_; }
    void MousePointer(Integer vNewValue);

signals:
    void Change();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    [[nodiscard]] bool mirrored() const { return min_ > max_; }
    [[nodiscard]] int toSlider(Integer value) const;
    [[nodiscard]] Integer fromSlider(int position) const;
    [[nodiscard]] Integer clampedToRange(Integer value) const;
    void syncSlider();
    void sliderValueChanged(int position);

    // Classic defaults of a new bar.
    Integer min_ = 0;
    Integer max_ = 32767;
    Integer value_ = 0;
    Integer smallChange_ = 1;
    Integer largeChange_ = 1;
    Integer mousePointer_ = 0;
    // Set while this class moves the slider itself, so that Qt's valueChanged is not taken
    // for a move by the user.
    bool syncing_ = false;
};

}  // namespace tavelo
