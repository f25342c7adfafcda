#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The model of a prose document: an Aozora Bunko text or a plain-text manuscript, read into
// paragraphs of Unicode text with what the notation said about them. It has no classic
// limits: a paragraph may be any length, a document any number of paragraphs, and every
// offset is a count of code points into one paragraph's text.
namespace tavelo::prose {

// A count of code points into a paragraph's text. Spans are [start, end): start inclusive,
// end exclusive.
using Offset = std::uint32_t;

// A reading over base text (beside it on the right; left ruby is a note, 左ルビ).
struct Ruby {
    Offset start = 0;
    Offset end = 0;
    std::u32string reading;

    friend bool operator==(const Ruby&, const Ruby&) = default;
};

// What a ［＃…］ note says about a span of the text. `kind` is the note's own word (傍点, 傍線,
// 縦中横, 太字, 斜体, 大きな文字, 小さな文字, 割り注, 小書き, 横組み, 左ルビ, 返り点,
// 訓点送り仮名, 挿絵, 注記); `value` its detail (白ゴマ傍点, 二段階大きな文字, a left ruby's
// reading, a figure's caption, …). A note about a point (返り点, 挿絵) has start == end.
struct Note {
    std::u32string kind;
    Offset start = 0;
    Offset end = 0;
    std::u32string value;

    friend bool operator==(const Note&, const Note&) = default;
};

// A character the notation wrote as ※［＃…］. Mapped ones are the real character(s) in the
// text; unmapped ones are 〓 in the text, with the note's description kept for the reader.
struct Gaiji {
    Offset start = 0;
    Offset end = 0;
    std::u32string description;
    bool mapped = false;

    friend bool operator==(const Gaiji&, const Gaiji&) = default;
};

enum class Align { Top, Bottom };
enum class Heading { None, Large, Medium, Small };
enum class BreakBefore { None, Page, Sheet, Column };

struct Paragraph {
    std::u32string text;
    std::vector<Ruby> ruby;    // in order of start, not overlapping
    std::vector<Note> notes;   // in order of start
    std::vector<Gaiji> gaiji;  // in order of start
    int indent = 0;            // characters from the top, first column
    int hangingIndent = 0;     // characters from the top, the columns after the first
    Align align = Align::Top;  // Bottom for 地付き
    int raise = 0;             // 地からN字上げ: N, with align Bottom
    Heading heading = Heading::None;
    BreakBefore breakBefore = BreakBefore::None;

    friend bool operator==(const Paragraph&, const Paragraph&) = default;
};

// A ［＃…］ note that was taken out of the text but not understood.
struct UnknownNote {
    std::size_t paragraph = 0;  // index into ProseDocument::paragraphs
    std::u32string text;        // the note as written, ［＃ and ］ included

    friend bool operator==(const UnknownNote&, const UnknownNote&) = default;
};

struct ProseDocument {
    std::string encoding;  // "cp932", "utf-8", "utf-8-bom", "utf-16le", "utf-16be"
    std::size_t undecodable = 0;  // bytes or sequences that became U+FFFD

    std::vector<std::u32string> head;  // notation removed
    std::u32string title;
    std::u32string author;
    std::vector<Paragraph> paragraphs;
    std::vector<std::u32string> colophon;

    std::size_t gaijiMapped = 0;
    std::size_t gaijiUnmapped = 0;
    std::vector<UnknownNote> unknownNotes;
    std::vector<std::string> messages;  // UTF-8, what the reading told the user

    // Code points in all paragraphs' text.
    [[nodiscard]] std::size_t characterCount() const {
        std::size_t count = 0;
        for (const Paragraph& p : paragraphs) count += p.text.size();
        return count;
    }
};

}  // namespace tavelo::prose
