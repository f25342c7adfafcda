#pragma once

#include <optional>

#include "common/ClassicTypes.h"

namespace tavelo {

class CViewData;

// The arithmetic of the view's scroll positions, without the controls.
//
// Given: the document's line count, the style (0 small, 1 large) and its pitches
// (CharSpace(0) and CharSpace(1) of the record). Positions run from 0 (the first line at the
// right edge) to last(): one per line in the small style, two per line in the large style
// (even: the line's upper tier, odd: its lower tier).
//
// Calculated, for a position: the drawing offset, the tier drawn, the line number shown and
// the position as a fraction of the last (what a style switch keeps). An empty document has
// the one position 0.
class ScrollPosition {
public:
    // What the view shows at one position.
    struct Shown {
        Long offsetX = 0;
        Integer tier = 0;       // always 0 in the small style
        String lineNumber;      // the text of the line-number box
        Single valueRatio = 0;  // the position as a fraction of the last
    };

    ScrollPosition(Integer lineCount, Integer style, Single smallPitch, Single largePitch);
    [[nodiscard]] static ScrollPosition of(const CViewData& view, Integer style);

    // The last position: the scroll bar's Min (its Max stays 0).
    [[nodiscard]] Integer last() const;
    // The position, clamped to 0 … last().
    [[nodiscard]] Integer clamp(long position) const;
    // What the view shows at `position`, which must lie in 0 … last().
    [[nodiscard]] Shown at(Integer position) const;
    // The position of the end button: the last line (in the large style its lower tier).
    [[nodiscard]] Integer end() const { return last(); }
    // The position a style switch lands on, given the ratio kept from the other style: the
    // same fraction of the document, in the large style on the upper tier of its line.
    [[nodiscard]] Integer afterStyleSwitch(Single valueRatio) const;

    // How far a page moves: as many positions as the view shows whole columns (at least one
    // line; two positions a line in the large style), so that paging never skips a line.
    [[nodiscard]] static Integer pageStep(const CViewData& view, Integer style, long viewWidth);

private:
    Integer lineCount_;
    Integer style_;
    Single smallPitch_;
    Single largePitch_;
};

}  // namespace tavelo
