#pragma once

#include <vector>

#include "common/ClassicTypes.h"
#include "common/Table.h"

namespace tavelo {

class MessageSink;

// The body text of a document as a fixed table of 1000 lines of at most 55 cells, each cell
// with a typeface short name. The reader appends cells to the current line, ends lines and
// writes typeface names into the line ended last; the page yields the figures the layout
// needs: the last line holding text, the longest ended line and the standard line length.
class CBunInfoPage {
public:
    static constexpr int kMaxLines = 1000;
    static constexpr int kMaxCells = 55;

    // The sources of the failures at the page's limits, so callers can tell which was reached.
    static constexpr const char* kLinesSource = "CBunInfoPage.Lines";
    static constexpr const char* kCellsSource = "CBunInfoPage.Cells";
    static constexpr const char* kTypefaceLineSource = "CBunInfoPage.tl2AddSyotaiInfo.Line";
    static constexpr const char* kTypefaceCellSource = "CBunInfoPage.tl2AddSyotaiInfo.Cell";

    explicit CBunInfoPage(MessageSink& messages);

    void AddChar(const String& vChar, const String& vFontData);
    void tl2AddSyotaiInfo(Single vPos, const String& vFontData);
    void AddString(const String& vString);
    [[nodiscard]] const String& Bun(Integer vGyou) const;
    [[nodiscard]] Integer CountBun(Integer vGyou) const;
    [[nodiscard]] Integer CurrentGyou() const { return currentGyou_; }
    [[nodiscard]] const String& FontData(Integer vGyou, Integer vDan) const;
    void FontData(Integer vGyou, Integer vDan, const String& vFontData);
    void Kaigyou();
    [[nodiscard]] Integer MaxBunDan() const { return maxBunDan_; }
    [[nodiscard]] Integer Page1BunGyou() const { return page1BunGyou_; }
    void InitializeBun();
    // Removes from the line being filled the characters beyond its 55 cells: the one that made
    // the line too long is appended before the failure. Returns whether it removed any.
    bool DropOverlongCells();
    // The even standard line length used to split lines into tiers; never below 8.
    [[nodiscard]] Integer Plusminus1MaxLenDan();

private:
    struct BunInfo {
        String Bun;
        Table<String> FontData{kCellsSource, 1, kMaxCells};
    };

    [[nodiscard]] BunInfo& line(long vGyou);
    [[nodiscard]] const BunInfo& line(long vGyou) const;
    void CountLenDan();

    MessageSink& messages_;
    std::vector<BunInfo> lines_;  // lines 1..n of the 1000, built as they are first written
    Integer currentGyou_ = 1;
    Integer currentDan_ = 1;
    Integer page1BunGyou_ = 0;
    Integer maxBunDan_ = 0;
    Table<Integer> lenDan_{"CBunInfoPage.LenDan", 1, 1};
    // One count per legal line length, so that lines of 52 to 55 cells count too.
    Table<Integer> lenDanCount_{"CBunInfoPage.LenDanCount", 1, kMaxCells};
};

}  // namespace tavelo
