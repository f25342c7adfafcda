#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "common/ClassicTypes.h"

namespace tavelo::flow {

// The Japanese line-break rules (kinsoku) for setting a line of body text into columns of a
// fixed number of cells; the manuscript pages and the flowing pages both set text by them.
//
// Given: the line's cells (a cell is one character, or a group set upright in one cell), the
// runs of cells that carry ruby (groups, 0-based and inclusive), the cells of the first column
// and of every following one, and the settings. Calculated: the length of every column the
// line fills, in order. A column holds at most its number of cells, or one more when that last
// cell is a hanging 、。，． below the last row (when hanging is on). No column after the first
// begins with a character that may not begin one, no column but the last ends with one that
// may not end one, an inseparable pair (――, ……, ‥‥, two digits) stays whole, and a ruby group
// of at most a column's cells is never split: whatever would break these moves on to the next
// column, the character before it with it. Only where no break keeps every rule (a group
// longer than a column, a column of nothing but closing marks) is a rule given up: first the
// ruby groups, then everything, so that every column holds at least one cell.
class LineBreakRules {
public:
    struct Group {
        int first = 0;
        int last = 0;
    };
    // One cell as the rules see it: the character that faces the cell before it and the one
    // that faces the cell after it (the same character for a cell of one), and the rows of the
    // column it takes (text set larger or smaller, a figure). Capacities count rows; only a
    // cell of one row hangs.
    struct Cell {
        char32_t head = 0;
        char32_t tail = 0;
        int rows = 1;
    };
    struct Settings {
        bool loose = false;   // small kana and ー may begin a column
        bool hanging = true;  // 、。，． may stand below the last row
    };

    // Strict: closing brackets and quotes, hyphens and wave dashes, ？！ and their pairs,
    // middle dots and colons, full stops, commas, iteration marks, the prolonged sound mark
    // and small kana. Loose lets small kana and ー begin a column.
    [[nodiscard]] static bool mayStartColumn(char32_t c, bool loose = false);
    // Opening brackets and quotes.
    [[nodiscard]] static bool mayEndColumn(char32_t c);
    // 、。，． may stand below the last row instead of beginning the next column.
    [[nodiscard]] static bool mayHang(char32_t c);
    // Two dashes, ellipses or two-dot leaders in a row are one mark; a run of digits is one
    // number. Neither is broken.
    [[nodiscard]] static bool inseparable(char32_t before, char32_t after);

    // The manuscript's lines: every UTF-16 unit one cell, N cells to every column, strict
    // breaking with hanging marks.
    [[nodiscard]] static std::vector<int> columnLengths(const String& text,
                                                        const std::vector<Group>& groups,
                                                        int cellsPerColumn);
    // Every code point one cell.
    [[nodiscard]] static std::vector<int> columnLengths(std::u32string_view text,
                                                        std::span<const Group> groups,
                                                        int cellsPerColumn, Settings settings);
    // The general form. Groups are in order and do not overlap. Fails with an invalid-argument
    // Error when a column would have no rows. A cell taller than a column gets one of its own.
    // Appends the lengths (in cells) to `lengths`.
    static void columnLengths(std::span<const Cell> cells, std::span<const Group> groups,
                              int firstCapacity, int capacity, Settings settings,
                              std::vector<int>& lengths);
};

}  // namespace tavelo::flow
