#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "prose/ProseDocument.h"

namespace tavelo::prose {

// A place where a searched word stands: [start, end) of one paragraph's text.
struct TextHit {
    std::size_t paragraph = 0;
    Offset start = 0;
    Offset end = 0;

    friend bool operator==(const TextHit&, const TextHit&) = default;
};

// Every occurrence of `word` in the paragraphs' text, in reading order, overlapping ones
// included (as the tl2 search marks every start). Nothing for an empty word.
[[nodiscard]] std::vector<TextHit> findAll(const ProseDocument& document, std::u32string_view word);

// The hits of several words merged into one list in reading order, overlapping spans joined.
[[nodiscard]] std::vector<TextHit> mergeHits(std::vector<TextHit> hits);

}  // namespace tavelo::prose
