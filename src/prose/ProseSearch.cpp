#include "prose/ProseSearch.h"

#include <algorithm>
#include <functional>
#include <tuple>

namespace tavelo::prose {

std::vector<TextHit> findAll(const ProseDocument& document, std::u32string_view word) {
    std::vector<TextHit> hits;
    if (word.empty()) return hits;
    const std::boyer_moore_horspool_searcher searcher(word.begin(), word.end());
    for (std::size_t p = 0; p < document.paragraphs.size(); ++p) {
        const std::u32string& text = document.paragraphs[p].text;
        auto from = text.begin();
        while (true) {
            const auto found = std::search(from, text.end(), searcher);
            if (found == text.end()) break;
            const auto start = static_cast<Offset>(found - text.begin());
            hits.push_back({p, start, static_cast<Offset>(start + word.size())});
            from = found + 1;
        }
    }
    return hits;
}

std::vector<TextHit> mergeHits(std::vector<TextHit> hits) {
    std::sort(hits.begin(), hits.end(), [](const TextHit& a, const TextHit& b) {
        return std::tie(a.paragraph, a.start, a.end) < std::tie(b.paragraph, b.start, b.end);
    });
    std::vector<TextHit> merged;
    for (const TextHit& hit : hits) {
        if (!merged.empty() && merged.back().paragraph == hit.paragraph &&
            hit.start <= merged.back().end) {
            merged.back().end = std::max(merged.back().end, hit.end);
        } else {
            merged.push_back(hit);
        }
    }
    return merged;
}

}  // namespace tavelo::prose
