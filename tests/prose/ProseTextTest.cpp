#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "prose/AozoraReader.h"
#include "prose/ProseText.h"

namespace tavelo::prose {
namespace {

// The text after a head of title and author.
ProseDocument documentOf(std::u32string_view body) {
    return readAozoraText(U"題名\n著者\n\n" + std::u32string(body));
}

// Every character has one index and back, empty paragraphs and the ends included.
TEST(CharacterIndex, IndexAndPlaceRoundTrip) {
    const ProseDocument document = documentOf(U"あいう\n\n\nかき\nさ\n");
    const CharacterIndex index(document);
    ASSERT_EQ(index.total(), 6);
    long expected = 0;
    for (std::size_t p = 0; p < document.paragraphs.size(); ++p) {
        for (Offset o = 0; o < document.paragraphs[p].text.size(); ++o) {
            const Place place{p, o};
            EXPECT_EQ(index.indexOf(place), expected);
            EXPECT_EQ(index.placeOf(expected), place) << expected;
            ++expected;
        }
    }
    EXPECT_EQ(index.placeOf(index.total() + 5), (Place{document.paragraphs.size() - 1, 1}));
    EXPECT_EQ(index.placeOf(-3), (Place{0, 0}));
    EXPECT_EQ(index.indexOf({99, 0}), 6);
    EXPECT_EQ(index.clamp({1, 0}), std::make_pair(Place{1, 0}, false));
    EXPECT_EQ(index.clamp({0, 7}), std::make_pair(Place{0, 3}, true));
    EXPECT_EQ(index.clamp({99, 2}), std::make_pair(Place{document.paragraphs.size() - 1, 1}, true));
    EXPECT_EQ(CharacterIndex(ProseDocument{}).clamp({2, 1}).second, true);
}

TEST(TextBetween, CopiesPlainOrWithRubyNotation) {
    const ProseDocument document =
        documentOf(U"昔、｜男子《をのこ》ありけり。\n京に住む人《ひと》。\n");
    ASSERT_EQ(document.paragraphs.size(), 2u);
    struct Case {
        Place from, to;
        bool withRuby;
        std::u32string expected;
    } cases[] = {
        {{0, 0}, {1, 5}, false, U"昔、男子ありけり。\n京に住む人"},
        {{0, 0}, {1, 4}, true, U"昔、｜男子《をのこ》ありけり。\n京に住む"},
        {{0, 1}, {1, 6}, true, U"、｜男子《をのこ》ありけり。\n京に住む｜人《ひと》。"},
        // A base cut by an end is plain text.
        {{0, 3}, {0, 5}, true, U"子あ"},
        {{1, 4}, {1, 5}, true, U"｜人《ひと》"},
        {{0, 9}, {1, 0}, true, U"\n"},
        {{1, 2}, {1, 2}, true, U""},
        {{1, 3}, {1, 1}, false, U""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(textBetween(document, c.from, c.to, c.withRuby), c.expected)
            << c.from.paragraph << ':' << c.from.offset << " - " << c.to.paragraph << ':'
            << c.to.offset;
}

TEST(WordAt, TakesTheRunOfOneScript) {
    const ProseDocument document = documentOf(U"東京タワーへ行った。ABC１２3と、々\n");
    const std::u32string& text = document.paragraphs[0].text;
    struct Case {
        Offset at;
        std::u32string expected;
    } cases[] = {{0, U"東京"}, {1, U"東京"}, {3, U"タワー"}, {5, U"へ"}, {6, U"行"},
                 {7, U"った"}, {9, U"。"}, {11, U"ABC１２3"}, {16, U"と"}, {17, U"、"}, {18, U"々"}};
    for (const Case& c : cases) {
        const auto [from, to] = wordAt(document, {0, c.at});
        EXPECT_EQ(text.substr(from.offset, to.offset - from.offset), c.expected) << c.at;
    }
    EXPECT_EQ(wordAt(document, {0, 99}).first, wordAt(document, {0, 99}).second);
}

TEST(Headings, ListedInOrderWithTheirChapters) {
    const ProseDocument document = documentOf(
        U"前書き\n一［＃「一」は中見出し］\n本文\n二［＃「二」は中見出し］\n本文\n本文\n");
    const std::vector<HeadingEntry> headings = headingsOf(document);
    ASSERT_EQ(headings.size(), 2u);
    EXPECT_EQ(headings[0].text, U"一");
    EXPECT_EQ(headings[1].text, U"二");
    EXPECT_EQ(headings[1].level, Heading::Medium);
    EXPECT_EQ(chapterOf(headings, 0), -1);
    EXPECT_EQ(chapterOf(headings, headings[0].paragraph), 0);
    EXPECT_EQ(chapterOf(headings, headings[1].paragraph + 2), 1);
    EXPECT_TRUE(headingsOf(documentOf(U"見出しなし\n")).empty());
}

}  // namespace
}  // namespace tavelo::prose
