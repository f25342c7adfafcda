#pragma once

namespace tavelo {

class CViewData;
class MeasuringDevice;

// Lays a stored document out again for the device's present size, as opening did (small
// style, then large style, on a fresh calculator fed from the record's own line lengths and
// ruby flags), and writes the new pitches, font sizes, positions, tier lengths and width into
// the record. The text, the typefaces, the highlights, the ID and the file names stay.
//
// All or nothing: a failing layout step throws before the record is changed.
class RecordRelayout {
public:
    static void layOutAgain(CViewData& view, MeasuringDevice& device);
};

}  // namespace tavelo
