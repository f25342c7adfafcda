#include <gtest/gtest.h>

#include "Tl2TestBytes.h"
#include "common/RecordingMessageSink.h"
#include "reader/CBunInfoPage.h"

namespace tavelo {
namespace {

using testing::errorNumberOf;

class CBunInfoPageTest : public ::testing::Test {
protected:
    void addLine(int cells) {
        for (int i = 0; i < cells; ++i) page.AddChar(u"字", u"@ＭＳ 明朝");
        page.Kaigyou();
    }
    RecordingMessageSink messages;
    CBunInfoPage page{messages};
};

// --- Cells ---
TEST_F(CBunInfoPageTest, refusedCharacter_stillUsesUpItsCell) {
    page.AddChar(u"あ", u"A");
    page.AddChar(u"｡A", u"B");
    page.AddChar(u"い", u"C");
    EXPECT_EQ(page.Bun(1), u"あい");
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0], u"1文字以外");
    EXPECT_EQ(page.FontData(1, 2), u"B");
    EXPECT_EQ(page.FontData(1, 3), u"C");  // the typeface of the second character
}

TEST_F(CBunInfoPageTest, spaces_areCellsWithTypefaceZero) {
    page.AddString(u"　　");
    page.AddChar(u"字", u"@ＭＳ 明朝");
    EXPECT_EQ(page.Bun(1), u"　　字");
    EXPECT_EQ(page.FontData(1, 1), u"0");
    EXPECT_EQ(page.FontData(1, 3), u"@ＭＳ 明朝");
    EXPECT_EQ(page.FontData(1, 4), u"");
}

TEST_F(CBunInfoPageTest, cell56_failsAfterTheAppend) {
    for (int i = 0; i < 55; ++i) page.AddChar(u"字", u"@ＭＳ 明朝");
    EXPECT_EQ(errorNumberOf([&] { page.AddChar(u"字", u"@ＭＳ 明朝"); }), Error::kSubscriptOutOfRange);
    EXPECT_EQ(page.CountBun(1), 56);
}

// --- Lines ---
TEST_F(CBunInfoPageTest, emptyLines_countInLenDanButNotInPage1BunGyou) {
    addLine(3);
    page.Kaigyou();
    page.Kaigyou();
    EXPECT_EQ(page.Page1BunGyou(), 1);
    EXPECT_EQ(page.MaxBunDan(), 3);
    EXPECT_EQ(page.CurrentGyou(), 4);
}

TEST_F(CBunInfoPageTest, maxBunDan_countsOnlyEndedLines) {
    addLine(3);
    for (int i = 0; i < 9; ++i) page.AddChar(u"字", u"@ＭＳ 明朝");
    EXPECT_EQ(page.MaxBunDan(), 3);
    EXPECT_EQ(page.Page1BunGyou(), 2);
}

TEST_F(CBunInfoPageTest, after1000LineEnds_appendsAndLineEndsFailButTypefacesStillWrite) {
    for (int i = 0; i < 1000; ++i) page.Kaigyou();
    EXPECT_EQ(errorNumberOf([&] { page.AddChar(u"字", u"x"); }), Error::kSubscriptOutOfRange);
    EXPECT_EQ(errorNumberOf([&] { page.AddString(u"　"); }), Error::kSubscriptOutOfRange);
    EXPECT_EQ(errorNumberOf([&] { page.Kaigyou(); }), Error::kSubscriptOutOfRange);
    page.tl2AddSyotaiInfo(0.0f, u"M101");
    EXPECT_EQ(page.FontData(1000, 1), u"M101");
}

TEST_F(CBunInfoPageTest, linesNeverWritten_readEmptyWithinTheTablesBounds) {
    EXPECT_EQ(page.Bun(1000), u"");
    EXPECT_EQ(page.CountBun(1000), 0);
    EXPECT_EQ(page.FontData(1000, 55), u"");
    EXPECT_EQ(errorNumberOf([&] { (void)page.FontData(1000, 56); }), Error::kSubscriptOutOfRange);
    EXPECT_EQ(errorNumberOf([&] { (void)page.Bun(1001); }), Error::kSubscriptOutOfRange);
    EXPECT_EQ(errorNumberOf([&] { (void)page.Bun(0); }), Error::kSubscriptOutOfRange);
}

TEST_F(CBunInfoPageTest, writingOneLine_leavesEveryOtherLineUnwritten) {
    (void)page.FontData(2, 1);  // a read first, so that a shared empty line would show a write
    page.FontData(500, 1, u"M101");
    page.AddChar(u"字", u"@ＭＳ 明朝");
    EXPECT_EQ(page.FontData(500, 1), u"M101");
    EXPECT_EQ(page.FontData(499, 1), u"");
    EXPECT_EQ(page.FontData(501, 1), u"");
    EXPECT_EQ(page.FontData(2, 1), u"");
    EXPECT_EQ(page.Bun(1), u"字");
    EXPECT_EQ(page.Bun(2), u"");
}

TEST_F(CBunInfoPageTest, textOfALine_staysReadableWhileLaterLinesAreWritten) {
    addLine(2);
    const String& first = page.Bun(1);
    for (int i = 0; i < 998; ++i) addLine(1);
    EXPECT_EQ(first, u"字字");
}

// --- Typeface entries ---
TEST_F(CBunInfoPageTest, typefaceEntry_writesCellIntPosPlusOneOfTheLineEndedLast) {
    addLine(5);
    page.tl2AddSyotaiInfo(2.5f, u"M101");
    page.tl2AddSyotaiInfo(0.0f, u"M102");
    EXPECT_EQ(page.FontData(1, 3), u"M101");
    EXPECT_EQ(page.FontData(1, 1), u"M102");
}

TEST_F(CBunInfoPageTest, typefaceEntry_beforeAnyLineEndOrBeyondCell55_fails) {
    EXPECT_EQ(errorNumberOf([&] { page.tl2AddSyotaiInfo(0.0f, u"M101"); }), Error::kSubscriptOutOfRange);
    addLine(1);
    EXPECT_EQ(errorNumberOf([&] { page.tl2AddSyotaiInfo(55.0f, u"M101"); }), Error::kSubscriptOutOfRange);
}

// --- Standard line length ---
TEST_F(CBunInfoPageTest, standardLength_isTheLongestEvenLengthOrOneBelowAnOddOne) {
    addLine(20);
    addLine(19);
    addLine(21);
    EXPECT_EQ(page.MaxBunDan(), 21);
    EXPECT_EQ(page.Plusminus1MaxLenDan(), 20);
}

TEST_F(CBunInfoPageTest, standardLength_ofLinesOf20And8_is20) {
    addLine(20);
    addLine(8);
    EXPECT_EQ(page.Plusminus1MaxLenDan(), 20);
}

TEST_F(CBunInfoPageTest, longLegalLines_countInsteadOfFailing) {
    for (int cells = 52; cells <= 55; ++cells) {
        CBunInfoPage fresh(messages);
        for (int i = 0; i < cells; ++i) fresh.AddChar(u"字", u"@ＭＳ 明朝");
        fresh.Kaigyou();
        EXPECT_EQ(fresh.Plusminus1MaxLenDan(), cells % 2 == 0 ? cells : cells - 1) << cells;
    }
}

TEST_F(CBunInfoPageTest, shortDocument_getsTheSmallestStandardLengthInsteadOfZero) {
    addLine(7);
    addLine(3);
    EXPECT_EQ(page.Plusminus1MaxLenDan(), 8);
    CBunInfoPage empty(messages);
    EXPECT_EQ(empty.Plusminus1MaxLenDan(), 8);
}

// --- Reset ---
TEST_F(CBunInfoPageTest, initializeBun_emptiesTextsButKeepsTypefaces) {
    addLine(2);
    page.InitializeBun();
    EXPECT_EQ(page.Bun(1), u"");
    EXPECT_EQ(page.FontData(1, 1), u"@ＭＳ 明朝");
    EXPECT_EQ(page.Page1BunGyou(), 0);
    EXPECT_EQ(page.MaxBunDan(), 0);
    EXPECT_EQ(page.CurrentGyou(), 1);
}

}  // namespace
}  // namespace tavelo
