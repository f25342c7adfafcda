#include "view/LineBreakRules.h"

#include <string_view>

#include "common/Error.h"

namespace tavelo {
namespace {

// Characters that may not begin a column, by class: closing brackets and quotes (with the
// full-width forms Shift-JIS text holds), hyphens and wave dashes, ！？, middle dots and
// colons, full stops, commas, iteration marks, the prolonged sound mark, small kana.
constexpr std::u16string_view kNoStart =
    u"」』）〕］｝〉》】〙〗〟’”｠»"
    u"‐〜～゠–"
    u"！？‼⁇⁈⁉"
    u"・：；"
    u"。．"
    u"、，"
    u"ゝゞヽヾ々〻"
    u"ー"
    u"ぁぃぅぇぉっゃゅょゎゕゖァィゥェォッャュョヮヵヶㇰㇱㇲㇳㇴㇵㇶㇷㇸㇹㇺㇻㇼㇽㇾㇿ";
// Characters that may not end a column: opening brackets and quotes.
constexpr std::u16string_view kNoEnd = u"「『（〔［｛〈《【〘〖〝‘“｟«";
constexpr std::u16string_view kHanging = u"、。";
// Marks written twice as one: the em dash (Shift-JIS gives the horizontal bar), the ellipsis
// and the two-dot leader.
constexpr std::u16string_view kDoubled = u"—―…‥";

bool holds(std::u16string_view set, char16_t c) {
    return set.find(c) != std::u16string_view::npos;
}

}  // namespace

bool LineBreakRules::mayStartColumn(char16_t c) {
    return !holds(kNoStart, c);
}

bool LineBreakRules::mayEndColumn(char16_t c) {
    return !holds(kNoEnd, c);
}

bool LineBreakRules::mayHang(char16_t c) {
    return holds(kHanging, c);
}

bool LineBreakRules::inseparable(char16_t before, char16_t after) {
    return before == after && holds(kDoubled, before);
}

bool LineBreakRules::mayBreakBefore(const String& text, const std::vector<Group>& groups,
                                    int cellsPerColumn, int at, Strictness strictness) {
    const auto here = static_cast<std::size_t>(at);
    const char16_t before = text[here - 1];
    const char16_t after = text[here];
    if (!mayStartColumn(after) || !mayEndColumn(before) || inseparable(before, after)) return false;
    if (strictness == Strictness::All) {
        for (const Group& group : groups) {
            // A group longer than a column must be split somewhere: it binds nothing.
            if (group.last - group.first + 1 > cellsPerColumn) continue;
            if (group.first < at && group.last >= at) return false;
        }
    }
    return true;
}

std::vector<int> LineBreakRules::columnLengths(const String& text, const std::vector<Group>& groups,
                                               int cellsPerColumn) {
    if (cellsPerColumn < 1) throw Error::invalidArgument("LineBreakRules.columnLengths");
    const auto size = static_cast<int>(text.size());
    std::vector<int> lengths;
    int start = 0;
    while (size - start > cellsPerColumn) {
        const int end = start + cellsPerColumn;  // where the next column starts when it can
        auto mayBreak = [&](int at, Strictness strictness) {
            return at == size || mayBreakBefore(text, groups, cellsPerColumn, at, strictness);
        };
        auto findBreak = [&](Strictness strictness) {
            if (mayBreak(end, strictness)) return end;
            if (mayHang(text[static_cast<std::size_t>(end)]) && mayBreak(end + 1, strictness))
                return end + 1;
            // Pull back: the last characters of this column go on with the one that may not
            // begin the next.
            for (int at = end - 1; at > start; --at)
                if (mayBreak(at, strictness)) return at;
            return -1;
        };
        int next = findBreak(Strictness::All);
        if (next < 0) next = findBreak(Strictness::WithoutGroups);
        if (next < 0) next = end;
        lengths.push_back(next - start);
        start = next;
    }
    // The rest of the line, and the one empty column of an empty line.
    if (start < size || lengths.empty()) lengths.push_back(size - start);
    return lengths;
}

}  // namespace tavelo
