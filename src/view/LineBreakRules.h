#pragma once

#include <vector>

#include "common/ClassicTypes.h"

namespace tavelo {

// The Japanese line-break rules (kinsoku) at the strict level, for setting one line of body
// text into columns of a fixed number of cells.
//
// Given: the line's characters, the runs of cells that carry ruby (groups, 0-based and
// inclusive) and the cells per column N. Calculated: the length of every column the line
// fills, in order. A column holds at most N cells, or N + 1 when its last cell is a hanging
// 、 or 。 below the last row. No column after the first begins with a character that may not
// begin one, no column but the last ends with one that may not end one, an inseparable pair
// stays whole, and a ruby group of at most N cells is never split: whatever would break these
// moves on to the next column, the character before it with it. Only where no break keeps every
// rule (a group longer than N, a column of nothing but closing marks) is a rule given up: first
// the ruby groups, then everything, so that every column holds at least one cell.
class LineBreakRules {
public:
    struct Group {
        int first = 0;
        int last = 0;
    };

    // Closing brackets and quotes, hyphens, dividing punctuation, middle dots, full stops,
    // commas, iteration marks, the prolonged sound mark and small kana.
    [[nodiscard]] static bool mayStartColumn(char16_t c);
    // Opening brackets and quotes.
    [[nodiscard]] static bool mayEndColumn(char16_t c);
    // 、 and 。 may stand below the last row instead of beginning the next column.
    [[nodiscard]] static bool mayHang(char16_t c);
    // Two dashes or two ellipses in a row are one mark and are not broken.
    [[nodiscard]] static bool inseparable(char16_t before, char16_t after);

    [[nodiscard]] static std::vector<int> columnLengths(const String& text,
                                                        const std::vector<Group>& groups,
                                                        int cellsPerColumn);

private:
    enum class Strictness { All, WithoutGroups };

    // True when a column may end before cell `at` (0 < at < size).
    [[nodiscard]] static bool mayBreakBefore(const String& text, const std::vector<Group>& groups,
                                             int cellsPerColumn, int at, Strictness strictness);
};

}  // namespace tavelo
