#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "prose/ProseDocument.h"

// What a reader does with the text of a prose document besides reading it: counting where a
// character stands, copying a passage, picking out a word and listing the headings.
namespace tavelo::prose {

// A character of a prose document: its paragraph and its code-point offset in it. The end of
// a paragraph (offset == its length) is a place too: where a selection or a search ends.
struct Place {
    std::size_t paragraph = 0;
    Offset offset = 0;

    friend auto operator<=>(const Place&, const Place&) = default;
};

// The characters of a document counted through its paragraphs: place to index and back.
// Built once per document (one sum per paragraph); the questions are logarithmic.
class CharacterIndex {
public:
    explicit CharacterIndex(const ProseDocument& document);

    [[nodiscard]] long total() const { return starts_.empty() ? 0 : starts_.back(); }
    // The characters before a place (an offset past its paragraph counts as its end; a
    // paragraph past the last gives the total).
    [[nodiscard]] long indexOf(Place place) const;
    // The place of character `index` (0-based), clamped into the document: an index past the
    // end gives the end of the last paragraph.
    [[nodiscard]] Place placeOf(long index) const;
    // The place moved into the document, and whether it had to move.
    [[nodiscard]] std::pair<Place, bool> clamp(Place place) const;

private:
    std::vector<long> starts_;  // the index of each paragraph's first character, then the total
};

// The text between two places [from, to), paragraphs joined by "\n". With `withRuby` a
// reading whose base lies wholly inside comes after it in the notation ｜base《reading》; a
// base cut by either end is copied as plain text.
[[nodiscard]] std::u32string textBetween(const ProseDocument& document, Place from, Place to,
                                         bool withRuby);

// The word-like run round a character: the characters of its script on either side, in its
// paragraph (kanji with 々〆ヶ, hiragana, katakana with ー, Latin letters and digits in either
// width); any other character is a run of its own. Empty for a place past its paragraph.
[[nodiscard]] std::pair<Place, Place> wordAt(const ProseDocument& document, Place place);

struct HeadingEntry {
    std::size_t paragraph = 0;
    Heading level = Heading::Medium;
    std::u32string text;
};
// The document's headings (見出し notes) in order.
[[nodiscard]] std::vector<HeadingEntry> headingsOf(const ProseDocument& document);
// The heading whose chapter holds a paragraph: the last at or before it, or none (-1).
[[nodiscard]] long chapterOf(const std::vector<HeadingEntry>& headings, std::size_t paragraph);

}  // namespace tavelo::prose
