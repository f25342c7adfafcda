#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "common/RecordingMessageSink.h"
#include "layout/CCalcPointXY.h"
#include "layout/CReversalChar.h"
#include "support/FixedMeasuringDevice.h"
#include "reader/CFileChangeTlData.h"
#include "reader/Tl2TestBytes.h"
#include "store/CViewData.h"
#include "store/CViewDataS.h"

namespace tavelo {
namespace {

using testing::sjis;

const char* const kWorkedExample =
    "ｶﾝｼﾞ\r\n"
    "漢字を読む\r\n"
    "　　　M101;\r\n"
    "\r\n"
    "[人]\r\n"
    "青い天\r\n";

// The first Error the operation throws.
template <class Operation>
Error errorOf(Operation&& operation) {
    try {
        operation();
    } catch (const Error& e) {
        return e;
    }
    return Error(0, "", "");
}

class CViewDataSTest : public ::testing::Test {
protected:
    // A reader, a calculator and a highlight table for one document, as the open command
    // prepares them.
    struct Document {
        RecordingMessageSink messages;
        CFileChangeTlData reader{messages};
        FixedMeasuringDevice device{600, 400,
                                    [](Single points) { return std::round(points * 4 / 3); }};
        CCalcPointXY calc;
        CReversalChar table;
    };

    static std::unique_ptr<Document> prepare(std::string_view text) {
        auto document = std::make_unique<Document>();
        CFileChangeTlData& reader = document->reader;
        reader.FileName(u"sample.tl2");
        reader.FullPathName(u"/texts/sample.tl2");
        reader.LoadBytes(sjis(text));
        try {
            reader.BuffChangeTl2Data();
        } catch (const Error&) {
            // What was stored before the failure is what the open command goes on with.
        }
        CCalcPointXY& calc = document->calc;
        calc.Device1(&document->device);
        calc.GyouArraySize(reader.GyouArraySize());
        calc.MaxBunDan(reader.MaxBunDan());
        calc.Plusminus1MaxLenDan(reader.Plusminus1MaxLenDan());
        for (Integer i = 1; i <= calc.GyouArraySize(); ++i) {
            calc.LenBunDan(i, reader.LenBunDan(i));
            calc.LenRubiDan(i, reader.LenRubiDan(i));
            for (Integer j = 1; j <= reader.LenRubiDan(i); ++j)
                calc.IsKanjiRubi(i, j, reader.IsKanjiRubi(i, j) != 0);
        }
        calc.CalcSmallFontPointXY();
        calc.CalcBigFontPointXY();
        document->table.GyouArraySize(reader.GyouArraySize());
        return document;
    }

    CViewData& add(const String& id, Document& document) {
        return list.Add(id, document.reader, document.calc, document.table);
    }
    CViewData& add(const String& id, std::string_view text = kWorkedExample) {
        documents.push_back(prepare(text));
        return add(id, *documents.back());
    }

    std::vector<std::unique_ptr<Document>> documents;
    CViewDataS list;
};

// --- What Add copies ---
TEST_F(CViewDataSTest, add_copiesTextTypefacesAndRubyFromTheReader) {
    const CViewData& view = add(u"9:05:31 sample.tl2");
    EXPECT_EQ(view.ID(), u"9:05:31 sample.tl2");
    EXPECT_EQ(view.FileName(), u"sample.tl2");
    EXPECT_EQ(view.FullPathName(), u"/texts/sample.tl2");
    EXPECT_EQ(view.GyouArraySize(), 3);
    EXPECT_EQ(view.MaxBunDan(), 5);
    EXPECT_EQ(view.Plusminus1MaxLenDan(), 8);
    EXPECT_EQ(view.Bun(1), u"漢字を読む");
    EXPECT_EQ(view.LenBunDan(1), 5);
    EXPECT_EQ(view.FontData(1, 4), u"M101");
    EXPECT_EQ(view.FontData(1, 5), u"@ＭＳ 明朝");
    EXPECT_EQ(view.Rubi(1), u"かんじ　");
    EXPECT_EQ(view.LenRubiDan(3), 4);
    EXPECT_TRUE(view.IsKanjiRubi(3, 2));
    EXPECT_FALSE(view.IsKanjiRubi(3, 1));
}

TEST_F(CViewDataSTest, add_copiesEveryPositionSizeAndTierFromTheLayout) {
    const CViewData& view = add(u"a");
    const CCalcPointXY& calc = documents.back()->calc;
    for (Integer style = 0; style <= 1; ++style) {
        EXPECT_EQ(view.CharSpace(style), calc.CharSpace(style));
        EXPECT_EQ(view.FontSizeBun(style), calc.FontSizeBun(style));
        EXPECT_EQ(view.FontSizeRubi(style), calc.FontSizeRubi(style));
    }
    for (Integer g = 1; g <= 3; ++g) {
        for (Integer tier = 0; tier <= 1; ++tier) {
            EXPECT_EQ(view.LenBigBunDan(tier, g), calc.LenBigBunDan(tier, g));
            EXPECT_EQ(view.LenBigRubiDan(tier, g), calc.LenBigRubiDan(tier, g));
        }
        for (int k = 1; k <= calc.LenBunDan(g); ++k) {
            EXPECT_EQ(view.position(PositionTables::kSmallBunX, g, k),
                      calc.position(PositionTables::kSmallBunX, g, k));
            EXPECT_EQ(view.position(PositionTables::kSmallBunY, g, k),
                      calc.position(PositionTables::kSmallBunY, g, k));
            EXPECT_EQ(view.position(PositionTables::kBigBunX, g, k),
                      calc.position(PositionTables::kBigBunX, g, k));
            EXPECT_EQ(view.position(PositionTables::kBigBunY, g, k),
                      calc.position(PositionTables::kBigBunY, g, k));
        }
        for (int k = 1; k <= calc.LenRubiDan(g); ++k) {
            EXPECT_EQ(view.position(PositionTables::kSmallRubiX, g, k),
                      calc.position(PositionTables::kSmallRubiX, g, k));
            EXPECT_EQ(view.position(PositionTables::kSmallRubiY, g, k),
                      calc.position(PositionTables::kSmallRubiY, g, k));
            EXPECT_EQ(view.position(PositionTables::kBigRubiX, g, k),
                      calc.position(PositionTables::kBigRubiX, g, k));
            EXPECT_EQ(view.position(PositionTables::kBigRubiY, g, k),
                      calc.position(PositionTables::kBigRubiY, g, k));
        }
    }
    EXPECT_GT(view.position(PositionTables::kSmallRubiX, 3, 2),
              view.position(PositionTables::kSmallRubiX, 3, 1));  // the kanji slot
}

TEST_F(CViewDataSTest, add_measuresTheDeviceWidthAtThatMoment) {
    documents.push_back(prepare(kWorkedExample));
    documents.back()->device.resize(449, 624);
    EXPECT_EQ(add(u"a", *documents.back()).DeviceScaleWidth(), 449);
}

TEST_F(CViewDataSTest, add_takesTheHighlightsFromTheTable) {
    documents.push_back(prepare(kWorkedExample));
    documents.back()->table.ReversalChar(1, 2, true);
    const CViewData& view = add(u"a", *documents.back());
    EXPECT_TRUE(view.ReversalChar(1, 2));
    EXPECT_FALSE(view.ReversalChar(1, 1));
}

// --- Add is all or nothing ---
TEST_F(CViewDataSTest, readerLineOf56Characters_failsCopyingItsTypefacesAndAddsNothing) {
    add(u"first");
    std::string line;
    for (int i = 0; i < 56; ++i) line += "字";
    const Error error = errorOf([&] { add(u"second", line + "\r\n"); });
    EXPECT_EQ(error.number(), Error::kSubscriptOutOfRange);
    EXPECT_EQ(error.source(), "CBunInfoPage.Cells");  // the typeface copy, step 5
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.KeyItemNumber(u"second"), 0);
}

TEST_F(CViewDataSTest, keyAlreadyPresent_failsWithTheCollectionErrorAndKeepsTheList) {
    add(u"9:05:31 sample.tl2");
    const Error error = errorOf([&] { add(u"9:05:31 SAMPLE.tl2"); });
    EXPECT_EQ(error.number(), Error::kDuplicateKey);
    EXPECT_EQ(error.description(),
              "This key is already associated with an element of this collection");
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Item(1).ID(), u"9:05:31 sample.tl2");
}

TEST_F(CViewDataSTest, keyAlreadyPresentWithABadDocument_failsBuildingTheRecordFirst) {
    add(u"a");
    std::string line;
    for (int i = 0; i < 56; ++i) line += "字";
    EXPECT_EQ(errorOf([&] { add(u"a", line + "\r\n"); }).number(), Error::kSubscriptOutOfRange);
}

// --- Replace keeps the list's order ---
TEST_F(CViewDataSTest, replace_putsTheNewRecordAtThePositionOrChangesNothing) {
    struct Case {
        const char* name;
        long position;
        std::u16string id;
        std::string_view text;
        long wantError;  // 0: replaced
    };
    std::string tooLong;
    for (int i = 0; i < 56; ++i) tooLong += "字";
    tooLong += "\r\n";
    const Case cases[] = {
        {"middle, new ID", 2, u"two again", kWorkedExample, 0},
        {"its own ID", 2, u"TWO", kWorkedExample, 0},
        {"first", 1, u"one again", "新しい\r\n二行目\r\n", 0},
        {"another record's ID", 2, u"three", kWorkedExample, Error::kDuplicateKey},
        {"past the end", 4, u"four", kWorkedExample, Error::kCollectionKeyInvalid},
        {"a bad document", 2, u"bad", tooLong, Error::kSubscriptOutOfRange},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        list.Clear();
        add(u"one");
        add(u"two");
        add(u"three");
        const CViewData* before = &list.Item(c.position == 4 ? 1 : c.position);
        documents.push_back(prepare(c.text));
        Document& d = *documents.back();
        const Error error =
            errorOf([&] { list.Replace(c.position, c.id, d.reader, d.calc, d.table); });
        EXPECT_EQ(error.number(), c.wantError);
        EXPECT_EQ(list.Count(), 3);
        if (c.wantError == 0) {
            EXPECT_EQ(list.Item(c.position).ID(), c.id);
            EXPECT_NE(&list.Item(c.position), before);
            EXPECT_EQ(list.Item(c.position).GyouArraySize(), d.reader.GyouArraySize());
        } else {
            EXPECT_EQ(list.Item(1).ID(), u"one");
            EXPECT_EQ(list.Item(2).ID(), u"two");
        }
        EXPECT_EQ(list.Item(3).ID(), c.position == 3 ? c.id : u"three");
    }
}

// --- Positions and keys ---
TEST_F(CViewDataSTest, removingTheSecondOfThree_movesTheThirdToPositionTwo) {
    add(u"one");
    add(u"two");
    add(u"three");
    list.Remove(2);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Item(2).ID(), u"three");
    EXPECT_EQ(list.KeyItemNumber(u"three"), 2);
    list.Remove(u"ONE");
    EXPECT_EQ(list.Item(1).ID(), u"three");
}

TEST_F(CViewDataSTest, keys_matchWithoutRegardToCaseButKeyItemNumberDoesNot) {
    add(u"9:05:31 Sample.tl2");
    add(u"9:05:40 Ａｂ.tl2");
    EXPECT_EQ(list.Item(u"9:05:31 sAMPLE.TL2").ID(), u"9:05:31 Sample.tl2");
    EXPECT_EQ(list.KeyItemNumber(u"9:05:31 sAMPLE.TL2"), 0);
    EXPECT_EQ(list.KeyItemNumber(u"9:05:31 Sample.tl2"), 1);
    EXPECT_EQ(list.Item(u"9:05:40 ａＢ.TL2").ID(), u"9:05:40 Ａｂ.tl2");
}

TEST_F(CViewDataSTest, badPositionOrKey_failsWithTheCollectionErrorOfItsOperation) {
    add(u"a");
    const auto expectInvalid = [](const Error& error, const std::string& source) {
        EXPECT_EQ(error.number(), -2147220982);
        EXPECT_EQ(error.source(), source);
        EXPECT_EQ(error.description(), "Collection key or index is invalid");
    };
    expectInvalid(errorOf([&] { (void)list.Item(0); }), "CTasks::Item");
    expectInvalid(errorOf([&] { (void)list.Item(2); }), "CTasks::Item");
    expectInvalid(errorOf([&] { (void)list.Item(u"b"); }), "CTasks::Item");
    expectInvalid(errorOf([&] { list.Remove(u"b"); }), "CTasks::Remove");
    expectInvalid(errorOf([&] { list.Remove(0); }), "CTasks::Remove");
    EXPECT_EQ(list.Count(), 1);
}

// --- The list ---
TEST_F(CViewDataSTest, clear_emptiesTheList) {
    add(u"a");
    add(u"b");
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.begin(), list.end());
}

TEST_F(CViewDataSTest, enumeration_runsInListOrder) {
    add(u"a");
    add(u"b");
    add(u"c");
    list.Remove(1);
    std::vector<String> ids;
    for (const auto& record : list) ids.push_back(record->ID());
    EXPECT_EQ(ids, (std::vector<String>{u"b", u"c"}));
}

TEST_F(CViewDataSTest, recordKeptByACaller_outlivesItsRemoval) {
    add(u"a");
    const std::shared_ptr<CViewData> kept = *list.begin();
    list.Remove(1);
    EXPECT_EQ(kept->Bun(1), u"漢字を読む");
}

}  // namespace
}  // namespace tavelo
