#pragma once

#include <optional>

#include "common/ClassicTypes.h"

namespace tavelo {

// The four zones of the view that a click pages through, and where a click moves to.
//
// Given: the view's width w and the pointer's X in the same scale (single precision, as the
// mouse reports it); the scroll position, the last position and the page step. Calculated:
// the zone under the pointer (none on the boundaries w/8, w/2 and 7w/8 themselves) and the
// position after a left click in it. Larger positions lie further into the document, which
// runs from right to left: the left zones move forward, the right zones back, a far zone by
// a page, a near zone by one position, never past either end.
class ClickZones {
public:
    enum class Zone {
        FarLeft,   // a page forward
        Left,      // one step forward
        Right,     // one step back
        FarRight,  // a page back
    };

    [[nodiscard]] static std::optional<Zone> zoneAt(Single X, Single width);
    [[nodiscard]] static Integer positionAfterClick(Zone zone, Integer value, Integer last,
                                                    Integer pageStep);
};

}  // namespace tavelo
