#include "flow/LineBreakRules.h"

#include <algorithm>

#include "common/Error.h"

namespace tavelo::flow {
namespace {

// Characters that may not begin a column whatever the setting, by class: closing brackets and
// quotes (with the full-width and half-width forms Shift-JIS text holds), hyphens and wave
// dashes, dividing punctuation, middle dots and colons, full stops, commas, iteration marks.
constexpr std::u32string_view kNoStart =
    U"」』）〕］｝〉》】〙〗〟’”｠»｣"
    U"‐〜～゠–"
    U"！？‼⁇⁈⁉"
    U"・：；･"
    U"。．｡"
    U"、，､"
    U"ゝゞヽヾ々〻";
// Strict only: the prolonged sound mark and small kana.
constexpr std::u32string_view kNoStartStrict =
    U"ーｰ"
    U"ぁぃぅぇぉっゃゅょゎゕゖァィゥェォッャュョヮヵヶㇰㇱㇲㇳㇴㇵㇶㇷㇸㇹㇺㇻㇼㇽㇾㇿｧｨｩｪｫｬｭｮｯ";
// Characters that may not end a column: opening brackets and quotes.
constexpr std::u32string_view kNoEnd = U"「『（〔［｛〈《【〘〖〝‘“｟«｢";
constexpr std::u32string_view kHanging = U"、。，．";
// Marks written twice as one: the em dash (Shift-JIS gives the horizontal bar), the ellipsis
// and the two-dot leader.
constexpr std::u32string_view kDoubled = U"—―…‥";

bool holds(std::u32string_view set, char32_t c) {
    return set.find(c) != std::u32string_view::npos;
}

bool isDigit(char32_t c) {
    return (c >= U'0' && c <= U'9') || (c >= U'０' && c <= U'９');
}

using Group = LineBreakRules::Group;
using Cell = LineBreakRules::Cell;

// The line being broken, with the rules' settings.
class Breaker {
public:
    Breaker(std::span<const Cell> cells, std::span<const Group> groups,
            LineBreakRules::Settings settings)
        : cells_(cells), groups_(groups), settings_(settings) {}

    // True when a column of `capacity` cells may end before cell `at` (0 < at <= size).
    [[nodiscard]] bool mayBreakBefore(int at, int capacity, bool keepGroups) const {
        if (at == size()) return true;
        const char32_t before = cells_[static_cast<std::size_t>(at - 1)].tail;
        const char32_t after = cells_[static_cast<std::size_t>(at)].head;
        if (!LineBreakRules::mayStartColumn(after, settings_.loose) ||
            !LineBreakRules::mayEndColumn(before) || LineBreakRules::inseparable(before, after))
            return false;
        if (!keepGroups) return true;
        // The first group that ends at or after `at`; it is split when it starts before.
        const auto group = std::lower_bound(groups_.begin(), groups_.end(), at,
                                            [](const Group& g, int a) { return g.last < a; });
        if (group == groups_.end() || group->first >= at) return true;
        // A group longer than a column must be split somewhere: it binds nothing.
        int rows = 0;
        for (int c = group->first; c <= group->last && c < size(); ++c) rows += rowsOf(c);
        return rows > capacity;
    }

    // The cell after the most that fit `capacity` rows from `start`; at least one cell.
    [[nodiscard]] int fill(int start, int capacity) const {
        int at = start;
        for (int used = 0; at < size() && used + rowsOf(at) <= capacity; ++at) used += rowsOf(at);
        return std::max(at, std::min(start + 1, size()));
    }

    // Where the column that starts at `start` with `capacity` rows ends, or -1; `end` is
    // fill(start, capacity), where the next column starts when it can.
    [[nodiscard]] int findBreak(int start, int end, int capacity, bool keepGroups) const {
        if (mayBreakBefore(end, capacity, keepGroups)) return end;
        const Cell& next = cells_[static_cast<std::size_t>(end)];
        if (settings_.hanging && next.rows == 1 && LineBreakRules::mayHang(next.head) &&
            mayBreakBefore(end + 1, capacity, keepGroups))
            return end + 1;
        // Pull back: the last characters of this column go on with the one that may not
        // begin the next.
        for (int at = end - 1; at > start; --at)
            if (mayBreakBefore(at, capacity, keepGroups)) return at;
        return -1;
    }

    [[nodiscard]] int size() const { return static_cast<int>(cells_.size()); }

private:
    [[nodiscard]] int rowsOf(int at) const {
        return std::max(1, cells_[static_cast<std::size_t>(at)].rows);
    }

    std::span<const Cell> cells_;
    std::span<const Group> groups_;
    LineBreakRules::Settings settings_;
};

}  // namespace

bool LineBreakRules::mayStartColumn(char32_t c, bool loose) {
    return !holds(kNoStart, c) && (loose || !holds(kNoStartStrict, c));
}

bool LineBreakRules::mayEndColumn(char32_t c) {
    return !holds(kNoEnd, c);
}

bool LineBreakRules::mayHang(char32_t c) {
    return holds(kHanging, c);
}

bool LineBreakRules::inseparable(char32_t before, char32_t after) {
    return (before == after && holds(kDoubled, before)) || (isDigit(before) && isDigit(after));
}

std::vector<int> LineBreakRules::columnLengths(const String& text, const std::vector<Group>& groups,
                                               int cellsPerColumn) {
    std::vector<Cell> cells;
    cells.reserve(text.size());
    for (char16_t c : text) cells.push_back({c, c});
    std::vector<int> lengths;
    columnLengths(cells, groups, cellsPerColumn, cellsPerColumn, Settings{}, lengths);
    return lengths;
}

std::vector<int> LineBreakRules::columnLengths(std::u32string_view text,
                                               std::span<const Group> groups, int cellsPerColumn,
                                               Settings settings) {
    std::vector<Cell> cells;
    cells.reserve(text.size());
    for (char32_t c : text) cells.push_back({c, c});
    std::vector<int> lengths;
    columnLengths(cells, groups, cellsPerColumn, cellsPerColumn, settings, lengths);
    return lengths;
}

void LineBreakRules::columnLengths(std::span<const Cell> cells, std::span<const Group> groups,
                                   int firstCapacity, int capacity, Settings settings,
                                   std::vector<int>& lengths) {
    if (firstCapacity < 1 || capacity < 1)
        throw Error::invalidArgument("LineBreakRules.columnLengths");
    const Breaker breaker(cells, groups, settings);
    const int size = breaker.size();
    const std::size_t first = lengths.size();
    int start = 0;
    for (;;) {
        const int cap = lengths.size() == first ? firstCapacity : capacity;
        const int end = breaker.fill(start, cap);
        if (end >= size) break;
        int next = breaker.findBreak(start, end, cap, true);
        if (next < 0) next = breaker.findBreak(start, end, cap, false);
        if (next < 0) next = end;
        lengths.push_back(next - start);
        start = next;
    }
    // The rest of the line, and the one empty column of an empty line.
    if (start < size || lengths.size() == first) lengths.push_back(size - start);
}

}  // namespace tavelo::flow
