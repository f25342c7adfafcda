#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "prose/AozoraNotation.h"
#include "prose/ProseDocument.h"

namespace tavelo::prose {

// Reads the body of an Aozora Bunko text line by line into a document's paragraphs.
//
// Given: the body's lines one at a time, without their line ends. Calculated: one paragraph per
// line of text or empty line, with ruby, gaiji and the notes' spans and attributes; a line that
// holds nothing but notes about blocks or breaks (［＃ここから２字下げ］, ［＃改ページ］) makes no
// paragraph of its own. What a block note starts lasts until its end note or the body's end.
// Each line is read in time linear in its length: brackets are paired once per line; a note
// that names earlier text (［＃「X」に傍点］) looks for it only in the kSearchWindow characters
// before the note, and takes one of the first kQuoteEndsTried 」 of the note as the end of X.
class AozoraBodyReader {
public:
    static constexpr std::size_t kSearchWindow = 2000;
    static constexpr int kQuoteEndsTried = 8;

    explicit AozoraBodyReader(ProseDocument& document) : document_(document) {}

    void readLine(std::u32string_view line);
    // Drops the empty lines before the first and after the last line of text.
    void finish();

    // The line with its notation removed (ruby readings and bars, notes, accent marks; gaiji
    // as their character or 〓), for the head and the colophon.
    [[nodiscard]] std::u32string plainLine(std::u32string_view line);

private:
    struct OpenStyle {
        aozora::Style style;
        std::size_t line = 0;  // the line the note stood on
        Offset start = 0;      // where it started on that line
    };
    struct Block {
        int indent = 0;
        int hangingIndent = 0;
        bool bottom = false;
        int raise = 0;
        Heading heading = Heading::None;
    };

    void pairBrackets();
    void markRubyBars();
    void readRange(std::size_t begin, std::size_t end);
    [[nodiscard]] std::u32string plain(std::size_t begin, std::size_t end) const;
    [[nodiscard]] std::optional<std::u32string> accentAt(std::size_t open) const;
    [[nodiscard]] bool isNoteAt(std::size_t at, std::size_t end) const;

    void addGaiji(std::u32string_view body);
    [[nodiscard]] bool addRuby(std::size_t open);
    [[nodiscard]] aozora::Script scriptAt(Offset at) const;

    void applyNote(std::size_t begin, std::size_t end);
    [[nodiscard]] bool applyQuoted(std::size_t begin, std::size_t end);
    [[nodiscard]] bool applyTarget(std::size_t targetBegin, std::size_t targetEnd,
                                   std::u32string_view rest, std::u32string_view body);
    [[nodiscard]] bool applyDirective(std::u32string_view body);
    [[nodiscard]] bool applyPoint(std::u32string_view body);
    [[nodiscard]] bool applySpan(std::size_t targetBegin, std::size_t targetEnd,
                                 std::optional<std::pair<std::size_t, std::size_t>> last,
                                 std::u32string_view rest, std::u32string_view body);
    [[nodiscard]] std::optional<Offset> findBefore(std::u32string_view target,
                                                   std::size_t limit) const;
    void addNote(std::u32string_view kind, Offset start, Offset end, std::u32string value);
    void changeBlock(const Block& block);
    void openStyle(aozora::Style style);
    [[nodiscard]] bool closeStyle(std::u32string_view name);
    void endLine();

    [[nodiscard]] std::size_t indexOf(std::u32string_view part) const {
        return static_cast<std::size_t>(part.data() - line_.data());
    }

    ProseDocument& document_;
    std::vector<bool> fromEmptyLine_;  // per paragraph
    std::size_t lineNumber_ = 0;

    // What lasts from line to line.
    Block block_;
    std::vector<OpenStyle> styles_;
    BreakBefore pendingBreak_ = BreakBefore::None;

    // The line being read: its partners (the index of the ］ 》 〕 closing a ［ 《 〔, or -1;
    // 1 for a ｜ that starts a ruby base), and what its notes said.
    std::u32string_view line_;
    std::vector<std::int32_t> partner_;
    std::vector<std::int32_t> stack_;
    Paragraph paragraph_;
    Offset lastRubyEnd_ = 0;
    std::optional<Offset> barAt_;
    Block lineBlock_;
    std::optional<int> lineIndent_;
    std::optional<int> lineHanging_;
    std::optional<int> lineRaise_;  // 地付き is 0
    Heading lineHeading_ = Heading::None;
    BreakBefore breakAfter_ = BreakBefore::None;
    bool anyNote_ = false;
    bool marksText_ = false;  // a note put something on the text or at a point of it
    std::vector<std::u32string> unknown_;
    std::vector<std::u32string> pendingUnknown_;  // from lines that made no paragraph
};

}  // namespace tavelo::prose
