#include <gtest/gtest.h>

#include <vector>

#include "common/Error.h"
#include "view/LineBreakRules.h"

namespace tavelo {
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
TEST(LineBreakRulesTest, onlyCommaAndFullStopHang_andOnlyDoubledDashesAndEllipsesHoldTogether) {
    for (char16_t c : String(u"、。")) EXPECT_TRUE(LineBreakRules::mayHang(c));
    for (char16_t c : String(u"，．」ー！あ")) EXPECT_FALSE(LineBreakRules::mayHang(c));
    EXPECT_TRUE(LineBreakRules::inseparable(u'―', u'―'));
    EXPECT_TRUE(LineBreakRules::inseparable(u'—', u'—'));
    EXPECT_FALSE(LineBreakRules::inseparable(u'―', u'…'));
    EXPECT_FALSE(LineBreakRules::inseparable(u'あ', u'あ'));
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
        {"a full-width full stop does not hang", u"あいうえ．お", {}, {u"あいう", u"え．お"}},
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
        EXPECT_EQ(columnsOf(text, {}, 4), expected) << int{c};
    }
    for (char16_t c : kOpening)
        EXPECT_EQ(columnsOf(String(u"あいう") + c + u"か", {}, 4),
                  (std::vector<String>{u"あいう", String(1, c) + u"か"}))
            << int{c};
}

TEST(LineBreakRulesTest, gridWithoutCells_fails) {
    EXPECT_THROW((void)LineBreakRules::columnLengths(u"あ", {}, 0), Error);
    EXPECT_EQ(columnsOf(u"あいう", {}, 1), (std::vector<String>{u"あ", u"い", u"う"}));
}

}  // namespace
}  // namespace tavelo
