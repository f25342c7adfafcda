#include "view/ClickZones.h"

#include "common/CheckedArithmetic.h"

namespace tavelo {

std::optional<ClickZones::Zone> ClickZones::zoneAt(Single X, Single w) {
    const Single eighth = w / 8;
    const Single half = w / 2;
    const Single sevenEighths = eighth * 7;
    if (X < eighth) return Zone::FarLeft;
    if (X > eighth && X < half) return Zone::Left;
    if (X > half && X < sevenEighths) return Zone::Right;
    if (X > sevenEighths) return Zone::FarRight;
    return std::nullopt;
}

Integer ClickZones::positionAfterClick(Zone zone, Integer value, Integer last, Integer pageStep) {
    switch (zone) {
        case Zone::FarLeft:
            return value < checked::sub(last, checked::sub(pageStep, Integer{1}))
                       ? checked::add(value, pageStep)
                       : last;
        case Zone::Left:
            return value < last ? checked::add(value, Integer{1}) : value;
        case Zone::Right:
            return value > 0 ? checked::sub(value, Integer{1}) : value;
        case Zone::FarRight:
            return value < pageStep ? Integer{0} : checked::sub(value, pageStep);
    }
    return value;
}

}  // namespace tavelo
