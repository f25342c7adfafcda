#include "SearchNavigation.h"

#include <algorithm>

#include "common/CheckedArithmetic.h"
#include "store/CViewData.h"

namespace tavelo {
namespace {

bool anyHit(const CViewData& view, Integer g, Integer first, Integer last) {
    for (Integer d = first; d <= last; ++d)
        if (view.ReversalChar(g, d)) return true;
    return false;
}

}  // namespace

std::vector<Integer> SearchNavigation::hitPositions(const CViewData& view, Integer vStyle) {
    std::vector<Integer> positions;
    for (Integer g = 1; g <= view.GyouArraySize(); ++g) {
        if (vStyle == 0) {
            if (anyHit(view, g, 1, view.LenBunDan(g))) positions.push_back(g - 1);
            continue;
        }
        const Integer upper = view.LenBigBunDan(0, g);
        const Integer lowerFirst =
            checked::add(checked::intDiv(view.Plusminus1MaxLenDan(), Integer{2}), Integer{1});
        const Integer lowerLast = checked::add(upper, view.LenBigBunDan(1, g));
        const Integer even = checked::mul(checked::sub(g, Integer{1}), Integer{2});
        if (anyHit(view, g, 1, upper)) positions.push_back(even);
        if (anyHit(view, g, lowerFirst, lowerLast))
            positions.push_back(checked::add(even, Integer{1}));
    }
    return positions;
}

std::optional<Integer> SearchNavigation::next(const CViewData& view, Integer vStyle,
                                              Integer value) {
    const auto positions = hitPositions(view, vStyle);
    if (positions.empty()) return std::nullopt;
    const auto after = std::upper_bound(positions.begin(), positions.end(), value);
    return after != positions.end() ? *after : positions.front();
}

std::optional<Integer> SearchNavigation::previous(const CViewData& view, Integer vStyle,
                                                  Integer value) {
    const auto positions = hitPositions(view, vStyle);
    if (positions.empty()) return std::nullopt;
    const auto before = std::lower_bound(positions.begin(), positions.end(), value);
    return before != positions.begin() ? *(before - 1) : positions.back();
}

long SearchNavigation::markHits(CViewData& view, const String& word) {
    if (word.empty()) return 0;
    long count = 0;
    for (Integer g = 1; g <= view.GyouArraySize(); ++g) {
        const String& line = view.Bun(g);
        for (auto at = line.find(word); at != String::npos;
             at = line.find(word, at + word.size())) {
            for (std::size_t k = at; k < at + word.size(); ++k)
                view.ReversalChar(g, static_cast<Integer>(k + 1), true);
            ++count;
        }
    }
    return count;
}

}  // namespace tavelo
