#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "common/Error.h"
#include "flow/FlowLayout.h"

namespace tavelo::flow {
namespace {

using prose::Paragraph;
using prose::ProseDocument;
using Kind = FlowLayout::Cell::Kind;

ProseDocument documentOf(std::vector<Paragraph> paragraphs) {
    ProseDocument d;
    d.paragraphs = std::move(paragraphs);
    return d;
}

Paragraph paragraph(std::u32string text) {
    Paragraph p;
    p.text = std::move(text);
    return p;
}

// Paragraphs of kana, kanji, punctuation, brackets, digits and marks, with ruby and notes and
// every paragraph attribute, drawn from a seed.
ProseDocument randomDocument(unsigned seed, int paragraphs) {
    std::mt19937 random(seed);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const std::u32string pieces[] = {U"あ", U"い", U"か", U"の", U"ア", U"漢", U"字", U"永",
                                     U"、", U"。", U"」", U"「", U"ー", U"っ", U"ゃ", U"々",
                                     U"・", U"！", U"？", U"〜", U"――", U"……", U"12", U"2024",
                                     U"!?", U"（", U"）", U"，", U"ゝ", U"ヵ"};
    std::vector<Paragraph> result;
    for (int i = 0; i < paragraphs; ++i) {
        Paragraph p;
        const int pieceCount = pick(8) == 0 ? 0 : pick(60);
        for (int k = 0; k < pieceCount; ++k) {
            const auto start = static_cast<Offset>(p.text.size());
            if (pick(12) == 0) {  // a word with ruby
                p.text += U"漢字語";
                p.ruby.push_back({start + 1, start + 3, U"かんじご"});
                continue;
            }
            p.text += pieces[pick(std::size(pieces))];
            if (pick(25) == 0) p.notes.push_back({U"傍点", start, start + 1, U"傍点"});
        }
        if (pick(10) == 0) {
            const auto start = static_cast<Offset>(p.text.size());
            p.text += U"割注の文字";
            p.notes.push_back({U"割り注", start, start + 5, U""});
        }
        if (pick(10) == 0) {
            const auto start = static_cast<Offset>(p.text.size());
            p.text += U"ABC";
            p.notes.push_back({U"縦中横", start, start + 3, U""});
        }
        if (pick(8) == 0) {  // larger or smaller text, with a closing mark to break by
            const std::u32string sizes[] = {U"大きな文字", U"二段階大きな文字", U"小さな文字",
                                            U"３段階小さな文字"};
            const std::u32string& size = sizes[pick(4)];
            const auto start = static_cast<Offset>(p.text.size());
            p.text += U"大小の文字、」を書く";
            p.notes.push_back({size.substr(size.size() - 5), start, start + 10, size});
        }
        if (pick(10) == 0) {
            auto at = static_cast<Offset>(pick(static_cast<int>(p.text.size()) + 1));
            for (const prose::Ruby& r : p.ruby)  // not inside a base, which it would split
                if (r.start < at && at < r.end) at = r.end;
            const auto before = std::find_if(p.notes.begin(), p.notes.end(),
                                             [&](const prose::Note& n) { return n.start > at; });
            p.notes.insert(before, {U"挿絵", at, at, U"庭の図"});
        }
        p.indent = pick(3);
        p.hangingIndent = pick(3) == 0 ? pick(3) : 0;
        if (pick(12) == 0) {
            p.align = prose::Align::Bottom;
            p.raise = pick(3);
        }
        if (pick(20) == 0) p.heading = prose::Heading::Medium;
        if (pick(20) == 0) p.breakBefore = prose::BreakBefore::Page;
        result.push_back(std::move(p));
    }
    return documentOf(std::move(result));
}

// Code points in decimal, for messages.
std::string codes(std::u32string_view text) {
    std::string out;
    for (char32_t c : text) out += std::to_string(static_cast<unsigned long>(c)) + " ";
    return out;
}

bool breakAllowed(char32_t before, char32_t after, const LineBreakRules::Settings& rules) {
    return LineBreakRules::mayStartColumn(after, rules.loose) &&
           LineBreakRules::mayEndColumn(before) && !LineBreakRules::inseparable(before, after);
}

// Every page of a layout, asked for in order.
std::vector<FlowLayout::Page> allPages(FlowLayout& layout) {
    std::vector<FlowLayout::Page> pages;
    const int count = layout.pageCount();
    for (int p = 0; p < count; ++p) pages.push_back(layout.page(p));
    return pages;
}

// The properties every layout keeps, checked page by page.
void expectFlowKeepsTheRules(const ProseDocument& d, FlowLayout& layout,
                             const LineBreakRules::Settings& rules) {
    const int n = layout.metrics().charactersPerColumn;
    const int m = layout.metrics().columnsPerPage;
    const std::vector<FlowLayout::ColumnSpan> spans = layout.columns();
    std::size_t next = 0;  // into spans
    Offset paragraphEnd = 0;
    const FlowLayout::Column* previous = nullptr;
    const std::vector<FlowLayout::Page> pages = allPages(layout);
    for (const FlowLayout::Page& page : pages) {
        ASSERT_LE(page.columns.size(), static_cast<std::size_t>(m));
        for (std::size_t c = 0; c < page.columns.size(); ++c) {
            const FlowLayout::Column& column = page.columns[c];
            SCOPED_TRACE(testing::Message() << "paragraph " << column.paragraph << " from "
                                            << column.start << " page " << page.number);
            ASSERT_LT(next, spans.size());
            EXPECT_EQ(
                (FlowLayout::ColumnSpan{column.paragraph, column.start, column.end, page.number}),
                spans[next]);
            EXPECT_EQ(column.index, static_cast<int>(c));
            const std::u32string& text = d.paragraphs[column.paragraph].text;
            const bool first = next == 0 || spans[next - 1].paragraph != column.paragraph;
            const bool last =
                next + 1 == spans.size() || spans[next + 1].paragraph != column.paragraph;
            ++next;
            // In order, each character once.
            EXPECT_EQ(column.start, first ? 0 : paragraphEnd);
            paragraphEnd = column.end;
            if (last) {
                EXPECT_EQ(column.end, text.size());
            }
            std::vector<Offset> held;
            int bodyRows = column.cells.empty() ? 0 : column.cells.front().row;
            for (const FlowLayout::Cell& cell : column.cells) {
                for (Offset o = cell.start; o < cell.end; ++o) held.push_back(o);
                for (Offset o = cell.leftStart; o < cell.leftEnd; ++o) held.push_back(o);
                if (cell.kind == Kind::Hanging) {
                    EXPECT_TRUE(LineBreakRules::mayHang(text[cell.start]));
                    EXPECT_EQ(&cell, &column.cells.back());
                    EXPECT_EQ(cell.row, bodyRows);
                } else {
                    bodyRows += cell.rows;
                    EXPECT_GE(cell.row, 0);
                    EXPECT_LE(cell.row + cell.rows, n);
                    // Characters of another size fit the rows their cell takes.
                    if (cell.kind == Kind::Plain) {
                        EXPECT_LE((cell.end - cell.start) * cell.scale, cell.rows + 1e-9);
                    }
                }
                // A figure stands alone in its column, but for a mark hanging below it; one
                // inside a group set in one cell comes after the cell.
                if (cell.kind == Kind::Figure) {
                    const Offset at = d.paragraphs[column.paragraph].notes.at(cell.figure).start;
                    EXPECT_LE(at, cell.start);
                    EXPECT_LE(cell.start, at + 4);
                    EXPECT_EQ(column.cells.front(), cell);
                    EXPECT_LE(column.cells.size(), 2U);
                }
            }
            std::sort(held.begin(), held.end());
            std::vector<Offset> expected(column.end - column.start);
            std::iota(expected.begin(), expected.end(), column.start);
            EXPECT_EQ(held, expected);
            EXPECT_LE(bodyRows, n);
            // The rules at the column's head, unless no break in the column before kept them.
            auto unbreakable = [&](std::size_t j) {  // cells [j − 1, j] of the previous column
                const auto kind = [&](std::size_t i) { return previous->cells[i].kind; };
                return kind(j) == Kind::Warichu || kind(j - 1) == Kind::Warichu ||
                       kind(j) == Kind::Figure || kind(j - 1) == Kind::Figure;
            };
            if (!first && column.start > 0 && column.start < text.size() &&
                column.cells.front().kind != Kind::Figure &&
                previous->cells.back().kind != Kind::Figure &&
                !breakAllowed(text[column.start - 1], text[column.start], rules)) {
                for (std::size_t j = 1; j < previous->cells.size(); ++j) {
                    const FlowLayout::Cell& cell = previous->cells[j];
                    if (unbreakable(j)) continue;
                    EXPECT_FALSE(breakAllowed(text[cell.start - 1], text[cell.start], rules))
                        << "could break at " << cell.start << " in "
                        << codes(std::u32string_view(text).substr(previous->start,
                                                                  column.end - previous->start));
                }
            }
            // A ruby group fits every column here: it is split only where the column before
            // had no break that kept it and every other rule.
            const std::vector<prose::Ruby>& ruby = d.paragraphs[column.paragraph].ruby;
            auto splits = [&](Offset at) {
                return std::any_of(ruby.begin(), ruby.end(), [&](const prose::Ruby& r) {
                    return r.start < at && r.end > at;
                });
            };
            if (!first && splits(column.start)) {
                for (std::size_t j = 1; j < previous->cells.size(); ++j) {
                    const Offset at = previous->cells[j].start;
                    if (unbreakable(j)) continue;
                    EXPECT_FALSE(breakAllowed(text[at - 1], text[at], rules) && !splits(at))
                        << "could break at " << at;
                }
            }
            previous = &column;
        }
    }
    EXPECT_EQ(next, spans.size());
}

// --- Properties over generated documents ---
TEST(FlowLayoutTest, generatedDocuments_placeEveryCharacterOnceAndKeepTheRules) {
    const std::vector<FlowSettings> settings = {{449, 624, 100, false, true, true},
                                                {300, 260, 100, true, true, true},
                                                {200, 200, 50, false, false, false},
                                                {600, 240, 100, false, true, true},
                                                {100, 100, 300, false, true, true}};
    for (unsigned seed = 1; seed <= 6; ++seed) {
        const ProseDocument d = randomDocument(seed, 120);
        for (const FlowSettings& s : settings) {
            SCOPED_TRACE(testing::Message() << "seed " << seed << " view " << s.viewWidth << "x"
                                            << s.viewHeight << " zoom " << s.zoomPercent);
            FlowLayout layout(d, s);
            expectFlowKeepsTheRules(d, layout, {s.looseBreaking, s.hanging});
        }
    }
}

TEST(FlowLayoutTest, pagesAreTheSameWhateverOrderTheyAreAskedFor) {
    const ProseDocument d = randomDocument(7, 300);
    FlowLayout inOrder(d, FlowSettings{});
    const std::vector<FlowLayout::Page> expected = allPages(inOrder);
    ASSERT_GT(expected.size(), 5U);
    std::mt19937 random(11);
    FlowLayout shuffled(d, FlowSettings{});
    std::vector<int> order(expected.size());
    std::iota(order.begin(), order.end(), 0);
    std::shuffle(order.begin(), order.end(), random);
    for (int p : order) {
        const Place first = shuffled.firstPlaceOn(p);
        EXPECT_EQ(shuffled.pageOf(first), p);
        EXPECT_EQ(shuffled.page(p), expected[static_cast<std::size_t>(p)]) << p;
    }
    // Laying out in small steps from an idle timer ends where everything at once does.
    FlowLayout stepped(d, FlowSettings{});
    int steps = 0;
    while (!stepped.layOutMore(500)) ++steps;
    EXPECT_GT(steps, 3);
    EXPECT_EQ(stepped.columns(), inOrder.columns());
    EXPECT_THROW((void)inOrder.page(static_cast<int>(expected.size())), Error);
}

TEST(FlowLayoutTest, theFirstCharacterOfAPageStaysInViewAcrossResizeAndZoom) {
    const ProseDocument d = randomDocument(3, 200);
    FlowLayout before(d, FlowSettings{});
    const std::vector<FlowSettings> after = {
        {1600, 1000, 100}, {449, 624, 200}, {300, 900, 75}, {449, 624, 100, true, false}};
    for (int p = 0; p < before.pageCount(); p += 3) {
        const Place place = before.firstPlaceOn(p);
        for (const FlowSettings& s : after) {
            FlowLayout layout(d, s);
            const FlowLayout::Page page = layout.page(layout.pageOf(place));
            const bool shown = std::any_of(
                page.columns.begin(), page.columns.end(), [&](const FlowLayout::Column& c) {
                    return c.paragraph == place.paragraph && c.start <= place.offset &&
                           (place.offset < c.end || c.start == c.end);
                });
            EXPECT_TRUE(shown) << "page " << p << " zoom " << s.zoomPercent;
        }
    }
}

TEST(FlowLayoutTest, metrics_fitTheGridInTheView_andNoMore) {
    for (int zoom : {10, 50, 100, 137, 200, 400})
        for (auto [w, h] : {std::pair{449, 624}, {1600, 1000}, {120, 90}, {2000, 300}}) {
            const FlowMetrics m = FlowMetrics::of({w, h, zoom});
            SCOPED_TRACE(testing::Message() << w << "x" << h << " zoom " << zoom);
            EXPECT_GE(m.fontSize, 6);
            EXPECT_GT(m.columnPitch, m.fontSize + m.rubySize);
            const bool roomy = w >= 2 * m.marginX + m.columnPitch && h >= 3 * m.fontSize;
            if (!roomy) continue;
            EXPECT_GE(m.columnX(m.columnsPerPage - 1), m.marginX);
            EXPECT_LT(m.columnX(m.columnsPerPage), m.marginX);
            EXPECT_LE(m.rowY(m.charactersPerColumn), h - m.marginBottom);
            EXPECT_GT(m.rowY(m.charactersPerColumn + 1), h - m.marginBottom);
        }
    const FlowMetrics sheet = FlowMetrics::grid(20, 20);
    EXPECT_EQ(sheet.charactersPerColumn, 20);
    EXPECT_EQ(sheet.columnsPerPage, 20);
}

// --- Hand-made cases, four cells to a column ---
// The columns of a one-paragraph document as text, cells split by "|" where they are not one
// character.
std::vector<std::u32string> columnTexts(const Paragraph& p, int n = 4) {
    const ProseDocument d = documentOf({p});
    FlowLayout layout(d, n, 50);
    std::vector<std::u32string> texts;
    for (const FlowLayout::Column& c : layout.page(0).columns)
        texts.push_back(p.text.substr(c.start, c.end - c.start));
    return texts;
}

TEST(FlowLayoutTest, sentencesBreakByTheRules) {
    struct Case {
        const char* rule;
        std::u32string text;
        std::vector<std::u32string> columns;
    };
    const std::vector<Case> cases = {
        {"wave dash", U"あいうえ〜か", {U"あいう", U"え〜か"}},
        {"closing quote after a full stop", U"あいうえ。」か", {U"あいう", U"え。」か"}},
        {"hanging full stop", U"私は猫だ。名は", {U"私は猫だ。", U"名は"}},
        {"an upright pair is one cell", U"第12回の会", {U"第12回の", U"会"}},
        {"a longer number is not upright and not split", U"第一123回", {U"第一", U"123回"}},
        {"an opening bracket goes on", U"あいう「か」", {U"あいう", U"「か」"}},
    };
    for (const Case& c : cases) EXPECT_EQ(columnTexts(paragraph(c.text)), c.columns) << c.rule;
}

TEST(FlowLayoutTest, cellsCarryUprightGroupsWarichuAndHangingMarks) {
    Paragraph p = paragraph(U"12!?ABC割注文字。");
    p.notes = {{U"縦中横", 4, 7, U""}, {U"割り注", 7, 11, U""}};
    const ProseDocument d = documentOf({p});
    FlowLayout layout(d, 5, 10);
    const std::vector<FlowLayout::Cell> cells = layout.page(0).columns.at(0).cells;
    const std::vector<FlowLayout::Cell> expected = {
        {0, 2, 0, 1, Kind::Upright, 0, 0},   {2, 4, 1, 1, Kind::Upright, 0, 0},
        {4, 7, 2, 1, Kind::Upright, 0, 0},   {7, 8, 3, 1, Kind::Warichu, 9, 10},
        {8, 9, 4, 1, Kind::Warichu, 10, 11}, {11, 12, 5, 1, Kind::Hanging, 0, 0}};
    EXPECT_EQ(cells, expected);
}

TEST(FlowLayoutTest, sizedTextTakesWholeRowsAtItsScale_andAFigureTakesAColumn) {
    struct Case {
        std::u32string value;
        double scale;
        int rows;  // of a run of six characters at that scale, by the least waste in ≤ 6 rows
    };
    const std::vector<Case> cases = {
        {U"大きな文字", 1.2, 6 + 2},         // 5 in 6 rows, then 1 in ⌈1.2⌉
        {U"二段階大きな文字", 1.44, 3 * 3},  // 2 in 3 rows (2.88)
        {U"十段階大きな文字", 1.5, 3 * 3},   // capped: 2 in 3
        {U"小さな文字", 0.8, 4 + 1},         // 5 in 4 rows, then 1 in ⌈0.8⌉
        {U"３段階小さな文字", 0.512, 4},     // 11 in 6 rows; six take ⌈3.07⌉
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.scale);
        const std::u32string kind = c.value.substr(c.value.size() - 5);
        const prose::Note note{kind, 1, 7, c.value};
        EXPECT_NEAR(FlowLayout::sizeScale(note), c.scale, 1e-9);
        Paragraph p = paragraph(U"あ文字の大きさ。い");
        p.notes = {note};
        const ProseDocument d = documentOf({p});
        FlowLayout layout(d, 40, 5);
        const FlowLayout::Column column = layout.page(0).columns.at(0);
        int rows = 0;
        for (const FlowLayout::Cell& cell : column.cells)
            if (cell.start >= 1 && cell.end <= 7) {
                EXPECT_DOUBLE_EQ(cell.scale, FlowLayout::sizeScale(note));
                rows += cell.rows;
            } else {
                EXPECT_EQ(cell.scale, 1);  // the text around is the body's
            }
        EXPECT_EQ(rows, c.rows);
        EXPECT_EQ(column.cells.back().row, 1 + c.rows + 1);  // あ, the run, 。 and い after it
    }
    EXPECT_EQ(FlowLayout::sizeScale({U"傍点", 0, 1, U"傍点"}), 1);

    // A figure between two sentences, in a paragraph indented by two: the text before it, the
    // figure from the top of the next column to the foot, the text after it.
    Paragraph figured = paragraph(U"前の文。後");
    figured.indent = 2;
    figured.notes = {{U"挿絵", 4, 4, U"庭"}};
    const ProseDocument d = documentOf({figured});
    FlowLayout layout(d, 6, 2);
    const FlowLayout::Page page = layout.page(0);
    ASSERT_EQ(page.columns.size(), 2U);
    EXPECT_EQ(page.columns[0].end, 4U);
    EXPECT_EQ(page.columns[1].cells,
              (std::vector<FlowLayout::Cell>{{4, 4, 0, 6, Kind::Figure, 0, 0, 1, 0}}));
    // The text after it starts where the figure stands, and the next page by it.
    const Place next = layout.firstPlaceOn(1);
    EXPECT_EQ(next, (Place{0, 4}));
    EXPECT_EQ(layout.pageOf(next), 1);
}

TEST(FlowLayoutTest, indentsAlignmentHeadingsAndPageBreaksPlaceColumns) {
    Paragraph indented = paragraph(U"あいうえおかきくけ");
    indented.indent = 2;
    indented.hangingIndent = 1;
    Paragraph foot = paragraph(U"あい");
    foot.align = prose::Align::Bottom;
    foot.raise = 1;
    Paragraph heading = paragraph(U"見出し");
    heading.heading = prose::Heading::Large;
    Paragraph broken = paragraph(U"次");
    broken.breakBefore = prose::BreakBefore::Page;
    const ProseDocument d = documentOf({indented, foot, heading, broken});
    FlowLayout layout(d, 5, 10);
    const FlowLayout::Page first = layout.page(0);
    auto firstRows = [&](std::size_t c) { return first.columns.at(c).cells.front().row; };
    // あいう from row 2, えおかき and くけ from row 1, あい against the foot one row up.
    ASSERT_EQ(first.columns.size(), 7U);
    EXPECT_EQ(firstRows(0), 2);
    EXPECT_EQ(firstRows(1), 1);
    EXPECT_EQ(first.columns[1].end - first.columns[1].start, 4U);
    EXPECT_EQ(firstRows(3), 5 - 1 - 2);
    // The heading between two empty columns of its own.
    EXPECT_TRUE(first.columns[4].cells.empty());
    EXPECT_EQ(first.columns[5].heading, prose::Heading::Large);
    EXPECT_TRUE(first.columns[6].cells.empty());
    EXPECT_EQ(layout.pageCount(), 2);
    EXPECT_EQ(layout.pageOf({3, 0}), 1);
    EXPECT_EQ(layout.firstPlaceOn(1), (Place{3, 0}));
}

TEST(FlowLayoutTest, rubyIsCentredBesideItsBase_andSharedWhenItsBaseIsSplit) {
    Paragraph p = paragraph(U"あ漢字いう長い長い語");
    p.ruby = {{1, 3, U"かんじ"}, {5, 10, U"ながいながいご"}};
    p.notes = {{U"左ルビ", 0, 1, U"ひだり"}, {U"傍点", 3, 5, U"傍点"}};
    const ProseDocument d = documentOf({p});
    FlowLayout layout(d, 4, 10);
    const FlowLayout::Page page = layout.page(0);
    // あ漢字い | う長い長 | い語. 漢字 on rows 1–2: its three half-size characters take 1.5
    // rows about row 2. The five-character base is longer than a column and is split 3 + 2:
    // its seven characters 4 + 3.
    const std::vector<FlowLayout::RubyMark> expected = {
        {0, 0, false, 0, 0, 3, 2 - 0.75, 2 + 0.75},
        {0, 0, true, 0, 0, 3, 0.5 - 0.75, 0.5 + 0.75},
        {0, 1, false, 1, 0, 4, 2.5 - 1.0, 2.5 + 1.0},
        {0, 1, false, 2, 4, 7, 1 - 0.75, 1 + 0.75}};
    EXPECT_EQ(page.columns.size(), 3U);
    EXPECT_EQ(page.ruby, expected);
    EXPECT_EQ(page.notes, (std::vector<FlowLayout::NoteMark>{{0, 1, 0, 3, 3}, {0, 1, 1, 0, 0}}));
}

TEST(FlowLayoutTest, lengthCountsTextAndIndents_andSheetsAreTwentyByTwenty) {
    std::vector<Paragraph> paragraphs(41, paragraph(std::u32string(20, U'永')));
    paragraphs[0].indent = 1;  // 21 cells: a second column
    const ProseDocument d = documentOf(paragraphs);
    const FlowLayout::Length length = FlowLayout::length(d);
    EXPECT_EQ(length.characters, 41 * 20 + 1);
    EXPECT_EQ(length.sheets400, 3);  // 42 columns
    EXPECT_EQ(FlowLayout::length(ProseDocument{}).sheets400, 0);
}

}  // namespace
}  // namespace tavelo::flow
