#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "common/Error.h"
#include "flow/LineBreakRules.h"

namespace tavelo::flow {
namespace {

using Group = LineBreakRules::Group;

// The columns a line is set in, as text.
std::vector<String> columnsOf(const String& text, const std::vector<Group>& groups, int n) {
    std::vector<String> columns;
    std::size_t start = 0;
    for (int length : LineBreakRules::columnLengths(text, groups, n)) {
        columns.push_back(text.substr(start, static_cast<std::size_t>(length)));
        start += static_cast<std::size_t>(length);
    }
    return columns;
}

const String kNoStart =
    u"」』）〕］｝〉》】、。，．・：；ー！？ぁぃぅぇぉっゃゅょゎァィゥェォッャュョヮヵヶゝゞヽヾ々";
const String kOpening = u"「『（〔［｛〈《【";

// --- Character classes ---
TEST(LineBreakRulesTest, commasAndFullStopsHang_andOnlyDoubledMarksAndDigitsHoldTogether) {
    for (char32_t c : std::u32string(U"、。，．")) EXPECT_TRUE(LineBreakRules::mayHang(c));
    for (char32_t c : std::u32string(U"」ー！あ,.")) EXPECT_FALSE(LineBreakRules::mayHang(c));
    for (const char32_t* pair : {U"――", U"——", U"……", U"‥‥", U"12", U"１２", U"9０"})
        EXPECT_TRUE(LineBreakRules::inseparable(pair[0], pair[1])) << static_cast<int>(pair[0]);
    for (const char32_t* pair : {U"―…", U"あい", U"1あ", U"一二", U"ーー"})
        EXPECT_FALSE(LineBreakRules::inseparable(pair[0], pair[1])) << static_cast<int>(pair[0]);
    // UTF-16 callers use the same predicates.
    EXPECT_FALSE(LineBreakRules::mayStartColumn(u'」'));
    EXPECT_FALSE(LineBreakRules::mayEndColumn(u'「'));
}

// --- Breaking lines, four cells to a column ---
struct BreakCase {
    const char* rule;
    String text;
    std::vector<Group> groups;
    std::vector<String> columns;
};

TEST(LineBreakRulesTest, linesBreakByEveryRule) {
    const std::vector<BreakCase> cases = {
        {"empty line keeps one empty column", u"", {}, {u""}},
        {"a full column stays one", u"あいうえ", {}, {u"あいうえ"}},
        {"the rest goes to the next column",
         u"あいうえおかきくけ",
         {},
         {u"あいうえ", u"おかきく", u"け"}},
        {"a line may itself begin with a closing mark", u"」あいうえ", {}, {u"」あいう", u"え"}},
        {"a closing bracket takes the last character along",
         u"あいうえ」お",
         {},
         {u"あいう", u"え」お"}},
        {"a run of closing marks takes it along too",
         u"あいうえ」』お",
         {},
         {u"あいう", u"え」』お"}},
        {"a full stop hangs below the last cell", u"あいうえ。お", {}, {u"あいうえ。", u"お"}},
        {"a comma hangs below the last cell", u"あいうえ、お", {}, {u"あいうえ、", u"お"}},
        {"a hanging mark at the end of the line", u"あいうえ。", {}, {u"あいうえ。"}},
        {"no hanging when a closing mark would then begin",
         u"あいうえ。」お",
         {},
         {u"あいう", u"え。」お"}},
        {"a full-width full stop hangs too", u"あいうえ．お", {}, {u"あいうえ．", u"お"}},
        {"a full-width comma hangs too", u"あいうえ，お", {}, {u"あいうえ，", u"お"}},
        {"an opening bracket goes on with what it opens",
         u"あいう「え」",
         {},
         {u"あいう", u"「え」"}},
        {"a dash pair stays whole", u"あいう――え", {}, {u"あいう", u"――え"}},
        {"an ellipsis pair stays whole", u"あいう……え", {}, {u"あいう", u"……え"}},
        {"a ruby group moves whole", u"あいう漢字お", {{3, 4}}, {u"あいう", u"漢字お"}},
        {"a ruby group ending at the break stays", u"あい漢字お", {{2, 3}}, {u"あい漢字", u"お"}},
        {"a group longer than a column splits", u"漢字漢字漢字", {{0, 5}}, {u"漢字漢字", u"漢字"}},
        {"a group gives way when nothing else can", u"漢字漢字」", {{0, 3}}, {u"漢字漢", u"字」"}},
        {"a column of closing marks is cut where it is full",
         u"あ」」」」」",
         {},
         {u"あ」」」", u"」」"}},
    };
    for (const BreakCase& c : cases) EXPECT_EQ(columnsOf(c.text, c.groups, 4), c.columns) << c.rule;
}

TEST(LineBreakRulesTest, everyCharacterThatMayNotBeginAColumn_isKeptFromTheTop) {
    for (char16_t c : kNoStart) {
        const String text = String(u"あいうえ") + c + u"か";
        const std::vector<String> expected =
            LineBreakRules::mayHang(c) ? std::vector<String>{String(u"あいうえ") + c, u"か"}
                                       : std::vector<String>{u"あいう", String(u"え") + c + u"か"};
        EXPECT_EQ(columnsOf(text, {}, 4), expected) << static_cast<int>(c);
    }
    for (char16_t c : kOpening)
        EXPECT_EQ(columnsOf(String(u"あいう") + c + u"か", {}, 4),
                  (std::vector<String>{u"あいう", String(1, c) + u"か"}))
            << static_cast<int>(c);
}

// --- Every class of the strict rules, four cells to a column ---
std::vector<std::u32string> columnsOf(std::u32string_view text, LineBreakRules::Settings settings) {
    std::vector<std::u32string> columns;
    std::size_t start = 0;
    for (int length : LineBreakRules::columnLengths(text, {}, 4, settings)) {
        columns.emplace_back(text.substr(start, static_cast<std::size_t>(length)));
        start += static_cast<std::size_t>(length);
    }
    return columns;
}

struct ClassCase {
    const char* name;
    std::u32string characters;
    bool looseMayStart;  // loose breaking lets them begin a column
};

TEST(LineBreakRulesTest, noClassOfClosingCharactersBeginsAColumn_underEverySetting) {
    const std::vector<ClassCase> classes = {
        {"closing brackets (cl-02)", U"」』）〕］｝〉》】〙〗〟’”｠»", false},
        {"hyphens (cl-03)", U"‐〜～゠–", false},
        {"dividing punctuation (cl-04)", U"！？‼⁇⁈⁉", false},
        {"middle dots (cl-05)", U"・：；", false},
        {"full stops (cl-06)", U"。．", false},
        {"commas (cl-07)", U"、，", false},
        {"iteration marks (cl-09)", U"々ゝゞヽヾ〻", false},
        {"prolonged sound mark (cl-10)", U"ー", true},
        {"small kana (cl-11)", U"ぁぃぅぇぉっゃゅょゎゕゖァィゥェォッャュョヮヵヶㇰㇵㇿ", true},
    };
    for (const ClassCase& cls : classes) {
        for (char32_t c : cls.characters) {
            const std::u32string text = std::u32string(U"あいうえ") + c + U"か";
            const std::vector<std::u32string> pulledBack = {U"あいう",
                                                            std::u32string(U"え") + c + U"か"};
            const std::vector<std::u32string> hanging = {std::u32string(U"あいうえ") + c, U"か"};
            const std::vector<std::u32string> atTheTop = {U"あいうえ",
                                                          std::u32string(1, c) + U"か"};
            const bool hangs = LineBreakRules::mayHang(c);
            EXPECT_EQ(columnsOf(text, {false, true}), hangs ? hanging : pulledBack)
                << cls.name << " " << static_cast<int>(c);
            EXPECT_EQ(columnsOf(text, {false, false}), pulledBack)
                << cls.name << " " << static_cast<int>(c);
            EXPECT_EQ(columnsOf(text, {true, false}), cls.looseMayStart ? atTheTop : pulledBack)
                << cls.name << " " << static_cast<int>(c);
        }
    }
    for (char32_t c : std::u32string(U"「『（〔［｛〈《【〘〖〝‘“｟«"))
        EXPECT_EQ(columnsOf(std::u32string(U"あいう") + c + U"か", {}),
                  (std::vector<std::u32string>{U"あいう", std::u32string(1, c) + U"か"}))
            << "opening bracket (cl-01) " << static_cast<int>(c);
    for (std::u32string pair : {U"――", U"……", U"‥‥", U"12", U"３４"})
        EXPECT_EQ(columnsOf(U"あいう" + pair + U"え", {}),
                  (std::vector<std::u32string>{U"あいう", pair + U"え"}))
            << "inseparable (cl-08, digits) " << static_cast<int>(pair[0]);
}

TEST(LineBreakRulesTest, theFirstColumnMayHoldFewerCells_andGroupsBindByTheirColumn) {
    using Cell = LineBreakRules::Cell;
    std::vector<Cell> cells;
    for (char32_t c : std::u32string_view(U"あいうえおかきく")) cells.push_back({c, c});
    std::vector<int> lengths;
    LineBreakRules::columnLengths(cells, {}, 2, 4, {}, lengths);
    EXPECT_EQ(lengths, (std::vector<int>{2, 4, 2}));
    // A group of three fits the later columns but not the first: there it is split.
    const std::vector<Group> groups = {{0, 2}};
    lengths.clear();
    LineBreakRules::columnLengths(cells, groups, 2, 4, {}, lengths);
    EXPECT_EQ(lengths, (std::vector<int>{2, 4, 2}));
    const std::vector<Group> later = {{3, 5}};
    lengths.clear();
    LineBreakRules::columnLengths(cells, later, 4, 4, {}, lengths);
    EXPECT_EQ(lengths, (std::vector<int>{3, 4, 1}));
    // A cell of two characters faces its neighbours with its own first and last.
    const std::vector<Cell> upright = {
        {U'あ', U'あ'}, {U'い', U'い'}, {U'!', U'?'}, {U'」', U'」'}};
    lengths.clear();
    LineBreakRules::columnLengths(upright, {}, 3, 3, {}, lengths);
    EXPECT_EQ(lengths, (std::vector<int>{2, 2}));
    EXPECT_THROW(LineBreakRules::columnLengths(cells, {}, 0, 4, {}, lengths), Error);

    // Cells of more rows fill a column by rows; one taller than the column stands alone, and
    // only a mark of one row hangs.
    const std::vector<Cell> tall = {{U'あ', U'あ', 2}, {U'い', U'い', 2}, {U'う', U'う', 7},
                                    {U'え', U'え', 1}, {U'お', U'お', 1}, {U'か', U'か', 1},
                                    {U'、', U'、', 2}, {U'。', U'。', 1}};
    lengths.clear();
    LineBreakRules::columnLengths(tall, {}, 5, 3, {}, lengths);
    EXPECT_EQ(lengths, (std::vector<int>{2, 1, 2, 3}));
}

TEST(LineBreakRulesTest, gridWithoutCells_fails) {
    EXPECT_THROW((void)LineBreakRules::columnLengths(u"あ", {}, 0), Error);
    EXPECT_EQ(columnsOf(u"あいう", {}, 1), (std::vector<String>{u"あ", u"い", u"う"}));
}

}  // namespace
}  // namespace tavelo::flow
