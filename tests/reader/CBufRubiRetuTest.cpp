#include <gtest/gtest.h>

#include "Tl2TestBytes.h"
#include "reader/CBufRubiRetu.h"

namespace tavelo {
namespace {

using testing::errorNumberOf;

class CBufRubiRetuTest : public ::testing::Test {
protected:
    void SetUp() override { buffer.InitializeBufRubiRetu(); }
    void addRow(const String& slots, const std::vector<Integer>& flags = {}) {
        for (std::size_t i = 0; i < slots.size(); ++i)
            buffer.AddChar(String(1, slots[i]), i < flags.size() ? flags[i] : Integer{0});
        buffer.AddBufRubiRetu();
    }
    CBufRubiRetu buffer;
};

TEST_F(CBufRubiRetuTest, freshBuffer_isEmptyWithClearFlags) {
    EXPECT_EQ(buffer.Rubi(), u"");
    for (Integer k = 1; k <= 120; ++k) EXPECT_EQ(buffer.IsKanjiRubi(k), 0);
}

TEST_F(CBufRubiRetuTest, bufferNeverReset_failsOnUse) {
    CBufRubiRetu fresh;
    EXPECT_EQ(errorNumberOf([&] { (void)fresh.Rubi(); }), Error::kSubscriptOutOfRange);
    EXPECT_EQ(errorNumberOf([&] { fresh.AddChar(u"か", 0); }), Error::kSubscriptOutOfRange);
    EXPECT_EQ(errorNumberOf([&] { fresh.AddBufRubiRetu(); }), Error::kSubscriptOutOfRange);
}

// --- Merging ---
TEST_F(CBufRubiRetuTest, rowsMerge_firstNonBlankSlotWins) {
    addRow(u"か　");
    addRow(u"　き");
    EXPECT_EQ(buffer.Rubi(), u"かき");
}

TEST_F(CBufRubiRetuTest, rowsOfDifferentLengths_mergeToTheLongest) {
    addRow(u"か");
    addRow(u"　　さ");
    EXPECT_EQ(buffer.Rubi(), u"か　さ");
}

TEST_F(CBufRubiRetuTest, halfWidthSpace_countsAsACharacterAndWins) {
    addRow(u" ");
    addRow(u"か");
    EXPECT_EQ(buffer.Rubi(), u" ");
}

TEST_F(CBufRubiRetuTest, kanjiFlagInAnyRow_survivesTheMerge) {
    addRow(u"　人", {0, -1});
    addRow(u"　か", {0, 0});
    EXPECT_EQ(buffer.IsKanjiRubi(2), -1);
    EXPECT_EQ(buffer.IsKanjiRubi(1), 0);
    EXPECT_EQ(buffer.MergedKanjiRubi()[1], -1);
}

// --- Appending ---
TEST_F(CBufRubiRetuTest, twoCharacterAppend_storesTheFlagAtTheSecond) {
    buffer.AddChar(u"あい", -1);
    EXPECT_EQ(buffer.IsKanjiRubi(1), 0);
    EXPECT_EQ(buffer.IsKanjiRubi(2), -1);
}

TEST_F(CBufRubiRetuTest, slot121_failsAfterTheAppend) {
    for (int k = 0; k < 120; ++k) buffer.AddChar(u"あ", 0);
    EXPECT_EQ(errorNumberOf([&] { buffer.AddChar(u"い", 0); }), Error::kSubscriptOutOfRange);
    EXPECT_EQ(buffer.Rubi().size(), 121u);
    EXPECT_EQ(errorNumberOf([&] { (void)buffer.IsKanjiRubi(121); }), Error::kSubscriptOutOfRange);
}

}  // namespace
}  // namespace tavelo
