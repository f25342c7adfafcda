#pragma once

#include <string>
#include <vector>

#include "prose/ProseDocument.h"

namespace tavelo::fuzzing {

// The promises the notation reader keeps for any bytes whatever: every span lies inside its
// paragraph's text, spans come in order (ruby and gaiji without overlapping), the gaiji counts
// agree with the gaiji listed, every unknown note names a paragraph that exists and is a whole
// ［＃…］ note, no text holds a line end, and the title is the head's first line.
class ProseInvariants {
public:
    // One entry per broken promise, "name: detail", the names being ruby, notes, gaiji,
    // gaijiCounts, unknownNotes, lineEnds, attributes and title. Empty when all hold.
    [[nodiscard]] static std::vector<std::string> violations(const prose::ProseDocument& document);
};

}  // namespace tavelo::fuzzing
