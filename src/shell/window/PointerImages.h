#pragma once

#include <QCursor>
#include <QString>
#include <array>

#include "view/ClickZones.h"

namespace tavelo {

class ResourceLocator;

// The four pointers of the view's click zones, read once from their icon files. An image
// that is missing or cannot be read gives the standard arrow instead: a pointer is never
// worth ending the program for.
class PointerImages {
public:
    // The zones of the view from left to right, and what a click there does.
    using Zone = ClickZones::Zone;
    static constexpr std::array<Zone, 4> kZones = {Zone::FarLeft, Zone::Left, Zone::Right,
                                                   Zone::FarRight};

    // Reads the four files found by `resources`.
    explicit PointerImages(const ResourceLocator& resources);

    // The pointer to show over `zone`.
    [[nodiscard]] const QCursor& cursor(Zone zone) const;
    // False when the zone's image could not be read and the standard arrow stands in.
    [[nodiscard]] bool isFromFile(Zone zone) const;
    // The icon file of `zone`, for example "arrow_normal_left_p.ico".
    [[nodiscard]] static QString fileName(Zone zone);

private:
    std::array<QCursor, 4> cursors_;
    std::array<bool, 4> fromFile_ = {};
};

}  // namespace tavelo
