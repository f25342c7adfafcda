#include <gtest/gtest.h>

#include "common/Error.h"
#include "common/RecordingMessageSink.h"
#include "reader/CChangeHiragana.h"

namespace tavelo {
namespace {

class CChangeHiraganaTest : public ::testing::Test {
protected:
    String convert(const String& run) {
        CChangeHiragana converter(messages);
        converter.ChangeHiragana(run);
        return converter.Hiragana();
    }
    RecordingMessageSink messages;
};

// --- Plain runs ---
TEST_F(CChangeHiraganaTest, voicedAndSemiVoicedMarks_combineWithTheKanaBefore) {
    CChangeHiragana converter(messages);
    converter.ChangeHiragana(u"ｶﾝｼﾞ");
    EXPECT_EQ(converter.Hiragana(), u"かんじ");
    EXPECT_EQ(converter.LenHiragana(), 3);
    EXPECT_EQ(convert(u"ﾊﾟﾝ"), u"ぱん");
    EXPECT_EQ(convert(u"ｶﾞｯｺｳ"), u"がっこう");
    EXPECT_EQ(convert(u"ﾂﾞﾎﾞﾎﾟ"), u"づぼぽ");
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(CChangeHiraganaTest, signsAndSmallKana_takeTheirFullWidthForms) {
    EXPECT_EQ(convert(u"ｰ､･ｦｧｯ"), u"ー、・をぁっ");
}

TEST_F(CChangeHiraganaTest, lowLine_becomesAFullWidthSpace) {
    EXPECT_EQ(convert(u"ｱ_ｲ"), u"あ　い");
}

// --- Marks that cannot be applied ---
TEST_F(CChangeHiraganaTest, voicedMarkOnAKanaThatCannotTakeIt_dropsTheKanaForAQuestionMark) {
    EXPECT_EQ(convert(u"ｳﾞ"), u"？");
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0], u"濁点を付ける事が出来ない文字が使用されています。");
    EXPECT_EQ(convert(u"ｶﾟ"), u"？");
    EXPECT_EQ(messages.messages()[1], u"半濁点を付ける事が出来ない文字が使用されています。");
}

TEST_F(CChangeHiraganaTest, markAtTheStart_voicedGivesQuestionMarkSemiVoicedGivesNothing) {
    EXPECT_EQ(convert(u"ﾞｱ"), u"？あ");
    EXPECT_EQ(convert(u"ﾟｱ"), u"あ");
    ASSERT_EQ(messages.messages().size(), 2u);
    EXPECT_EQ(messages.messages()[0], u"濁点の前に文字が有りません。");
    EXPECT_EQ(messages.messages()[1], u"半濁点の前に文字が有りません。");
}

// --- Accumulation ---
TEST_F(CChangeHiraganaTest, twoConversionsWithoutClear_accumulate) {
    CChangeHiragana converter(messages);
    converter.ChangeHiragana(u"ｱ");
    converter.ChangeHiragana(u"ｲ");
    EXPECT_EQ(converter.Hiragana(), u"あい");
    converter.Clear();
    EXPECT_EQ(converter.Hiragana(), u"");
    EXPECT_EQ(converter.LenHiragana(), 0);
}

TEST_F(CChangeHiraganaTest, runLongerThanAnIntegerCount_overflows) {
    CChangeHiragana converter(messages);
    EXPECT_THROW(converter.ChangeHiragana(String(32768, u'ｱ')), Error);
}

}  // namespace
}  // namespace tavelo
