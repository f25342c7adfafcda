#pragma once

#include <optional>
#include <vector>

#include "common/ClassicTypes.h"

namespace tavelo {

class CViewData;

// Where the search hits of a document can be seen: the scroll positions that put a line (in
// the large style, a tier of a line) holding a marked character first in the view, and
// moving from one such position to the next or the previous, round the document's end.
class SearchNavigation {
public:
    // vStyle 0 small (position g - 1 shows line g first), 1 large (2(g - 1) its upper tier,
    // 2(g - 1) + 1 its lower tier).
    [[nodiscard]] static std::vector<Integer> hitPositions(const CViewData& view, Integer vStyle);
    // The first hit position after `value`, or the first of all past the last; nullopt when the
    // document has no hits.
    [[nodiscard]] static std::optional<Integer> next(const CViewData& view, Integer vStyle,
                                                     Integer value);
    // The last hit position before `value`, or the last of all before the first.
    [[nodiscard]] static std::optional<Integer> previous(const CViewData& view, Integer vStyle,
                                                         Integer value);
    // Marks every occurrence of `word` in the body text as a hit: each line is searched on its
    // own, character codes compared exactly, occurrences not overlapping; earlier marks stay.
    // Returns the number of occurrences.
    static long markHits(CViewData& view, const String& word);
};

}  // namespace tavelo
