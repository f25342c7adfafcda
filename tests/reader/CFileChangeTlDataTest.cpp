#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "Tl2TestBytes.h"
#include "common/RecordingMessageSink.h"
#include "reader/CFileChangeTlData.h"

namespace tavelo {
namespace {

using testing::errorNumberOf;
using testing::sjis;

const String kMincho = u"@ＭＳ 明朝";

class CFileChangeTlDataTest : public ::testing::Test {
protected:
    // Parses the text (UTF-8 in the test, Shift-JIS for the reader); returns the error number
    // of a failing parse, 0 on success.
    int parse(std::string_view text) { return parseBytes(sjis(text)); }
    int parseBytes(std::vector<std::uint8_t> bytes) {
        reader.LoadBytes(std::move(bytes));
        return errorNumberOf([&] { reader.BuffChangeTl2Data(); });
    }
    std::vector<Integer> flags(Integer line) {
        std::vector<Integer> result;
        for (Integer k = 1; k <= reader.LenRubiDan(line); ++k)
            result.push_back(reader.IsKanjiRubi(line, k));
        return result;
    }
    const std::vector<String>& shown() const { return messages.messages(); }

    RecordingMessageSink messages;
    CFileChangeTlData reader{messages};
};

// --- The worked example of the format ---
TEST_F(CFileChangeTlDataTest, workedExample_givesThreeLinesWithRubyAndATypeface) {
    ASSERT_EQ(parse("ｶﾝｼﾞ\r\n"
                    "漢字を読む\r\n"
                    "　　　M101;\r\n"
                    "\r\n"
                    "　　ﾃﾝ\r\n"
                    "青い天\r\n"),
              0);
    EXPECT_EQ(reader.GyouArraySize(), 3);
    EXPECT_EQ(reader.MaxBunDan(), 5);
    EXPECT_EQ(reader.Plusminus1MaxLenDan(), 8);  // no line of 8 cells: the smallest length
    EXPECT_EQ(reader.Bun(1), u"漢字を読む");
    EXPECT_EQ(reader.Rubi(1), u"かんじ　");
    EXPECT_EQ(reader.FontData(1, 4), u"M101");
    EXPECT_EQ(reader.FontData(1, 3), kMincho);
    EXPECT_EQ(reader.FontData(1, 5), kMincho);
    EXPECT_EQ(reader.Bun(2), u"");
    EXPECT_EQ(reader.LenRubiDan(2), 0);
    EXPECT_EQ(reader.Bun(3), u"青い天");
    EXPECT_EQ(reader.Rubi(3), u"　　　　てん");
    EXPECT_EQ(reader.LenRubiDan(1), 4);
    EXPECT_EQ(reader.LenRubiDan(3), 6);
    EXPECT_EQ(flags(1), std::vector<Integer>(4, 0));
    EXPECT_EQ(flags(3), std::vector<Integer>(6, 0));
    // m_Rubi runs one past the last page line.
    EXPECT_EQ(reader.Rubi(4), u"");
    EXPECT_EQ(errorNumberOf([&] { (void)reader.Rubi(5); }), Error::kSubscriptOutOfRange);
    EXPECT_TRUE(shown().empty());
}

// --- Line ends ---
TEST_F(CFileChangeTlDataTest, lastLineWithoutLineEnd_getsCrLfAppended) {
    reader.LoadBytes(sjis("漢字"));
    EXPECT_EQ(reader.BufferSize(), 6u);
    reader.LoadBytes(sjis("漢字\r\n"));
    EXPECT_EQ(reader.BufferSize(), 6u);
    ASSERT_EQ(parse("漢字"), 0);
    EXPECT_EQ(reader.MaxBunDan(), 2);
}

TEST_F(CFileChangeTlDataTest, fileWithoutAnyCr_readsEachLfAsCrLfKeepingItsRuby) {
    ASSERT_EQ(parse("ｶﾝｼﾞ\n漢字\n\n読む\n"), 0);
    EXPECT_TRUE(reader.Conversion().lineFeedsAsCrLf());
    EXPECT_FALSE(reader.Conversion().fromUtf8());
    EXPECT_FALSE(reader.HasBareLineFeeds());
    EXPECT_EQ(reader.GyouArraySize(), 3);
    EXPECT_EQ(reader.Bun(1), u"漢字");
    EXPECT_EQ(reader.Rubi(1), u"かんじ　");
    EXPECT_EQ(reader.Bun(3), u"読む");
    EXPECT_EQ(reader.BufferSize(), sjis("ｶﾝｼﾞ\r\n漢字\r\n\r\n読む\r\n").size());
}

// One CR anywhere and the file is read as the format reads it: a bare LF ends no line.
TEST_F(CFileChangeTlDataTest, fileWithACr_keepsBareLfsAsTheFormatReadsThem) {
    ASSERT_EQ(parse("漢\r\n漢字\n読む\n"), 0);
    EXPECT_FALSE(reader.Conversion().converted());
    EXPECT_TRUE(reader.HasBareLineFeeds());
    EXPECT_EQ(reader.GyouArraySize(), 2);
    EXPECT_EQ(reader.Bun(2), u"漢字読む");
    EXPECT_EQ(reader.Rubi(3), u"");
    std::string text = "\r\n";  // an empty first line, then one line run together
    for (int i = 0; i < 30; ++i) text += "漢字\n";
    EXPECT_EQ(parse(text), 9);
    EXPECT_EQ(reader.FailureLine(), 29);
    EXPECT_EQ(reader.MaxBunDan(), 0);
}

TEST_F(CFileChangeTlDataTest, lineEndsAsCrLf_countTowardsTheSizeLimit) {
    // 512 lines of 62 spaces: 32,256 bytes, and 32,768 once each LF is CR LF.
    std::string line(62, ' ');
    line += '\n';
    std::string text;
    for (int i = 0; i < 512; ++i) text += line;
    text.erase(0, 1);  // 32,767 bytes as CR LF
    ASSERT_EQ(parseBytes({text.begin(), text.end()}), 0);
    text.insert(0, 1, ' ');
    EXPECT_EQ(parseBytes({text.begin(), text.end()}), 6);
    EXPECT_EQ(reader.BufferSize(), 32768u);
}

TEST_F(CFileChangeTlDataTest, crWithoutLf_doesNotEndALine) {
    ASSERT_EQ(parse("漢\r字\r\n"), 0);
    EXPECT_EQ(reader.GyouArraySize(), 1);
    EXPECT_EQ(reader.Bun(1), u"漢字");
}

// --- UTF-8 files ---
TEST_F(CFileChangeTlDataTest, utf8File_isReadAsItsCodePage932Text) {
    struct Case {
        const char* what;
        std::string bytes;
    };
    const std::string text = "ｶﾝｼﾞ\r\n漢字を読む\r\n　　　M101;\r\n";
    const Case cases[] = {
        {"with byte-order mark", "\xEF\xBB\xBF" + text},
        {"without byte-order mark", text},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(parseBytes({c.bytes.begin(), c.bytes.end()}), 0);
        EXPECT_TRUE(reader.Conversion().fromUtf8());
        EXPECT_EQ(reader.BufferSize(), sjis(text).size());
        EXPECT_EQ(reader.Bun(1), u"漢字を読む");
        EXPECT_EQ(reader.Rubi(1), u"かんじ　");
        EXPECT_EQ(reader.FontData(1, 4), u"M101");
        EXPECT_TRUE(shown().empty());
    }
}

TEST_F(CFileChangeTlDataTest, utf8CharactersCodePage932CannotHold_becomeGeta) {
    // "é" and the emoji (a surrogate pair) have no code page 932 form; "〜" (U+301C) has.
    const std::string bytes = "漢é字😀\n〜\n";
    ASSERT_EQ(parseBytes({bytes.begin(), bytes.end()}), 0);
    EXPECT_TRUE(reader.Conversion().fromUtf8());
    EXPECT_TRUE(reader.Conversion().lineFeedsAsCrLf());
    EXPECT_EQ(reader.Conversion().replacedCharacters(), 2u);
    EXPECT_EQ(reader.Bun(1), u"漢〓字〓");
    EXPECT_EQ(reader.Bun(2), u"～");
}

TEST_F(CFileChangeTlDataTest, shiftJisAndAscii_areNotTakenForUtf8) {
    ASSERT_EQ(parse("漢字\r\nM1;\r\n"), 0);
    EXPECT_FALSE(reader.Conversion().converted());
    ASSERT_EQ(parseBytes({'A', ' ', 'B', '\r', '\n'}), 0);
    EXPECT_FALSE(reader.Conversion().converted());
}

TEST_F(CFileChangeTlDataTest, utf8File_meetsTheSizeLimitAsConverted) {
    std::string line;
    for (int i = 0; i < 50; ++i) line += "字";
    std::string text;
    for (int i = 0; i < 321; ++i) text += line + "\r\n";  // 48,792 bytes of UTF-8
    ASSERT_EQ(parseBytes({text.begin(), text.end()}), 0);
    EXPECT_EQ(reader.BufferSize(), 32742u);
    EXPECT_EQ(reader.GyouArraySize(), 321);
    text += std::string(24, ' ') + "\r\n";  // 32,768 bytes once converted
    EXPECT_EQ(parseBytes({text.begin(), text.end()}), 6);
    EXPECT_EQ(reader.FailedLimit(), CFileChangeTlData::ReadLimit::FileSize);
}

// --- Ruby lines ---
TEST_F(CFileChangeTlDataTest, kanaRuby_isPaddedToTheRunsLengthInBytes) {
    ASSERT_EQ(parse("ｶﾝｼﾞ\r\n漢字\r\n"), 0);
    EXPECT_EQ(reader.Rubi(1), u"かんじ　");
    EXPECT_EQ(flags(1), (std::vector<Integer>{0, 0, 0, 0}));
}

TEST_F(CFileChangeTlDataTest, rubyLinesBeforeOneBodyLine_mergeSlotBySlot) {
    ASSERT_EQ(parse("ｶ\r\n　ｷ\r\n漢字\r\n"), 0);
    EXPECT_EQ(reader.Rubi(1), u"か　き");
}

TEST_F(CFileChangeTlDataTest, halfWidthSpaces_padBeforeTheFirstKanaAndCountAfterIt) {
    ASSERT_EQ(parse("  ｱ ｲ\r\n漢字\r\n"), 0);
    EXPECT_EQ(reader.Rubi(1), u"　　あ い");
}

TEST_F(CFileChangeTlDataTest, emptyLineBetweenRubyAndBody_takesItsOwnNumber) {
    ASSERT_EQ(parse("ｱ\r\n\r\n漢\r\n"), 0);
    EXPECT_EQ(reader.GyouArraySize(), 2);
    EXPECT_EQ(reader.Rubi(1), u"");
    EXPECT_EQ(reader.Rubi(2), u"あ");
}

TEST_F(CFileChangeTlDataTest, lineOfRubyAndBody_endsAsRubyAndItsBodyContinues) {
    ASSERT_EQ(parse("ｱ漢\r\n字\r\n"), 0);
    EXPECT_EQ(reader.GyouArraySize(), 1);
    EXPECT_EQ(reader.Bun(1), u"漢字");
    EXPECT_EQ(reader.Rubi(1), u"あ");
}

TEST_F(CFileChangeTlDataTest, rubyAfterTheLastBodyLine_isDropped) {
    ASSERT_EQ(parse("漢\r\nｱ\r\n\r\n"), 0);
    EXPECT_EQ(reader.GyouArraySize(), 1);
    EXPECT_EQ(reader.Rubi(1), u"");
}

TEST_F(CFileChangeTlDataTest, rubyLineOf120SlotsParsesAnd121Fail) {
    std::string run;
    for (int i = 0; i < 120; ++i) run += "ｱ";
    ASSERT_EQ(parse(run + "\r\n漢\r\n"), 0);
    EXPECT_EQ(reader.LenRubiDan(1), 120);
    EXPECT_EQ(parse(run + "ｱ\r\n漢\r\n"), 9);
}

TEST_F(CFileChangeTlDataTest, kanaMessages_areShownAndParsingGoesOn) {
    ASSERT_EQ(parse("ｳﾞ\r\n漢\r\n"), 0);
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(reader.Rubi(1), u"？　");
}

// --- Brackets ---
TEST_F(CFileChangeTlDataTest, bracketedKanji_takesFourSlotsWithTheFlagOnTheSecond) {
    ASSERT_EQ(parse("[人]\r\n漢字\r\n"), 0);
    EXPECT_EQ(reader.Rubi(1), u"　人　　");
    EXPECT_EQ(flags(1), (std::vector<Integer>{0, -1, 0, 0}));
}

TEST_F(CFileChangeTlDataTest, bracketedKana_isNoKanjiRuby) {
    ASSERT_EQ(parse("[あ]\r\n漢字\r\n"), 0);
    EXPECT_EQ(reader.Rubi(1), u"　あ　　");
    EXPECT_EQ(flags(1), (std::vector<Integer>{0, 0, 0, 0}));
}

TEST_F(CFileChangeTlDataTest, twoCharactersInBrackets_failAtTheClosingBracket) {
    EXPECT_EQ(parse("[人人]\r\n漢字\r\n"), 9);
    EXPECT_EQ(reader.FailureLine(), 1);
    EXPECT_EQ(reader.GyouArraySize(), 0);
}

TEST_F(CFileChangeTlDataTest, closingBracketWithoutOpening_showsItsMessage) {
    ASSERT_EQ(parse("ｱ]\r\n漢\r\n"), 0);
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0], u"ルビにする漢字がありません。");
    EXPECT_EQ(reader.Rubi(1), u"あ");
}

// --- Typeface lines ---
TEST_F(CFileChangeTlDataTest, typefaceEntry_appliesToTheCellWhereItsNameBegins) {
    ASSERT_EQ(parse("漢　字\r\n　　M101;\r\n"), 0);
    EXPECT_EQ(reader.FontData(1, 3), u"M101");
    EXPECT_EQ(reader.FontData(1, 1), kMincho);
    EXPECT_EQ(reader.FontData(1, 2), u"0");
}

TEST_F(CFileChangeTlDataTest, secondEntryOnALine_beginsAfterTheFirstNameAndSemicolon) {
    ASSERT_EQ(parse("漢字読書\r\nM101;M102;\r\n"), 0);
    EXPECT_EQ(reader.FontData(1, 1), u"M101");
    EXPECT_EQ(reader.FontData(1, 3), u"M102");
}

TEST_F(CFileChangeTlDataTest, halfWidthSpaces_countHalfACellBeforeAnEntry) {
    ASSERT_EQ(parse("漢字読書\r\n    M1 2;\r\n"), 0);
    EXPECT_EQ(reader.FontData(1, 3), u"M1 2");  // spaces inside a name belong to it
}

TEST_F(CFileChangeTlDataTest, semicolonWithoutName_showsItsMessageAndRecordsNothing) {
    ASSERT_EQ(parse("漢字\r\n;\r\n"), 0);
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0], u"ﾌｫﾝﾄ情報がありません！");
    EXPECT_EQ(reader.FontData(1, 1), kMincho);
}

TEST_F(CFileChangeTlDataTest, typefaceEntryBeforeAnyLineEnd_fails) {
    EXPECT_EQ(parse("M101;\r\n漢\r\n"), 9);
}

TEST_F(CFileChangeTlDataTest, typefaceEntryBeyondCell55_fails) {
    EXPECT_EQ(parse("漢\r\n" + std::string(110, ' ') + "M101;\r\n"), 9);
    EXPECT_EQ(reader.FailureLine(), 2);
}

// --- Spaces ---
TEST_F(CFileChangeTlDataTest, lineOfFullWidthSpaces_isEmptyAndItsSpacesMoveToTheNextBody) {
    ASSERT_EQ(parse("　　\r\n漢\r\n"), 0);
    EXPECT_EQ(reader.GyouArraySize(), 2);
    EXPECT_EQ(reader.Bun(1), u"");
    EXPECT_EQ(reader.Bun(2), u"　　漢");
    EXPECT_EQ(reader.FontData(2, 1), u"0");
}

TEST_F(CFileChangeTlDataTest, lineOfFullWidthSpacesBeforeRuby_becomesRubySlots) {
    ASSERT_EQ(parse("　\r\nｱ\r\n漢字\r\n"), 0);
    EXPECT_EQ(reader.Rubi(2), u"　　あ");
}

TEST_F(CFileChangeTlDataTest, halfWidthSpacesInABodyLine_neverEnterTheBody) {
    ASSERT_EQ(parse("漢 字 \r\nｱ\r\n読\r\n"), 0);
    EXPECT_EQ(reader.Bun(1), u"漢字");
    EXPECT_EQ(reader.Rubi(2), u"　　あ");
}

// --- Limits ---
TEST_F(CFileChangeTlDataTest, bodyLineOf55Cells_parsesAnd56Fail) {
    std::string line;
    for (int i = 0; i < 55; ++i) line += "字";
    ASSERT_EQ(parse(line + "\r\n"), 0);
    EXPECT_EQ(reader.MaxBunDan(), 55);
    EXPECT_EQ(reader.Plusminus1MaxLenDan(), 54);
    EXPECT_EQ(parse(line + "字\r\n"), 9);
    EXPECT_EQ(reader.LenBunDan(1), 56);
    EXPECT_EQ(errorNumberOf([&] { (void)reader.FontData(1, 56); }), Error::kSubscriptOutOfRange);
}

TEST_F(CFileChangeTlDataTest, thousandLinesParseAndTheNextFails) {
    std::string text;
    for (int i = 0; i < 1000; ++i) text += "字\r\n";
    ASSERT_EQ(parse(text), 0);
    EXPECT_EQ(reader.GyouArraySize(), 1000);
    EXPECT_EQ(parse(text + "字\r\n"), 9);
    EXPECT_EQ(reader.FailureLine(), 1001);
    EXPECT_EQ(reader.GyouArraySize(), 1000);
    EXPECT_EQ(parse(text + "\r\n"), 9);  // an empty 1001st line fails too
}

std::vector<std::uint8_t> bytesOfSize(std::size_t size) {
    std::string line;
    for (int i = 0; i < 50; ++i) line += "字";
    std::string text;
    for (int i = 0; i < 321; ++i) text += line + "\r\n";  // 321 x 102 = 32,742 bytes
    std::vector<std::uint8_t> bytes = sjis(text);
    bytes.insert(bytes.end(), size - bytes.size() - 2, ' ');
    bytes.push_back('\r');
    bytes.push_back('\n');
    return bytes;
}

TEST_F(CFileChangeTlDataTest, fileOf32767Bytes_parsesAndOneMoreOverflowsAfterTheLastByte) {
    ASSERT_EQ(parseBytes(bytesOfSize(32767)), 0);
    EXPECT_EQ(reader.GyouArraySize(), 321);
    EXPECT_EQ(parseBytes(bytesOfSize(32768)), 6);
    EXPECT_EQ(reader.GyouArraySize(), 321);  // everything was handled before the failure
}

TEST_F(CFileChangeTlDataTest, overflowAfterTheLastByte_isReportedOnTheFilesLastLine) {
    // 321 body lines and one line of spaces: the failing byte is the line feed ending line 322.
    ASSERT_EQ(parseBytes(bytesOfSize(32768)), 6);
    EXPECT_EQ(reader.FailureLine(), 322);
}

TEST_F(CFileChangeTlDataTest, largerBuffer_overflowsBeforeTheFirstByte) {
    EXPECT_EQ(parseBytes(bytesOfSize(32769)), 6);
    EXPECT_EQ(reader.GyouArraySize(), 0);
    EXPECT_EQ(reader.FailureLine(), 0);  // no byte was handled, so none failed
}

// --- Which limit stopped the parse ---
TEST_F(CFileChangeTlDataTest, eachLimit_isReportedWithTheFileLineWhereItWasReached) {
    using Limit = CFileChangeTlData::ReadLimit;
    std::string longLine, longRuby, manyLines;
    for (int i = 0; i < 56; ++i) longLine += "字";
    for (int i = 0; i < 121; ++i) longRuby += "ｱ";
    for (int i = 0; i < 1001; ++i) manyLines += "字\r\n";
    struct Case {
        std::string text;
        Limit limit;
        long line;
    };
    const Case cases[] = {
        {"漢\r\n" + longLine + "\r\n", Limit::Cells, 2},
        {"漢\r\n\r\n" + longRuby + "\r\n漢\r\n", Limit::RubySlots, 3},
        {"[人人]\r\n漢\r\n", Limit::Bracket, 1},
        {"M1;\r\n漢\r\n", Limit::TypefaceBeforeFirstLine, 1},
        {"漢\r\n" + std::string(110, ' ') + "M1;\r\n", Limit::TypefaceCell, 2},
        {manyLines, Limit::Lines, 1001},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parse(c.text), 9);
        EXPECT_EQ(reader.FailedLimit(), c.limit) << c.text.substr(0, 20);
        EXPECT_EQ(reader.FailureLine(), c.line) << c.text.substr(0, 20);
    }
    EXPECT_EQ(parse("漢\r\n"), 0);
    EXPECT_EQ(reader.FailedLimit(), Limit::None);
    EXPECT_EQ(reader.FailureLine(), 0);
    EXPECT_EQ(parseBytes(std::vector<std::uint8_t>(40000, ' ')), 6);
    EXPECT_EQ(reader.FailedLimit(), Limit::FileSize);
}

// --- Decoding ---
TEST_F(CFileChangeTlDataTest, pairDecodingToTwoCharacters_isRefusedButUsesUpItsCell) {
    ASSERT_EQ(parseBytes({0x8A, 0xBF, 0xA1, 0x41, 0x8E, 0x9A, 0x0D, 0x0A}), 0);
    EXPECT_EQ(reader.Bun(1), u"漢字");
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0], u"1文字以外");
    EXPECT_EQ(reader.FontData(1, 3), kMincho);
    EXPECT_EQ(reader.LenBunDan(1), 2);
}

TEST_F(CFileChangeTlDataTest, unmappedPair_decodesToMiddleDot) {
    ASSERT_EQ(parseBytes({0x85, 0x40, 0x0D, 0x0A}), 0);
    EXPECT_EQ(reader.Bun(1), u"・");
}

TEST_F(CFileChangeTlDataTest, unrecognisedLeadByte_isDroppedAndItsTrailTakenAlone) {
    // EB is no lead byte here: it is dropped, and 41 becomes a typeface letter.
    ASSERT_EQ(parseBytes({0x8A, 0xBF, 0x0D, 0x0A, 0xEB, 0x41, 0x3B, 0x0D, 0x0A}), 0);
    EXPECT_EQ(reader.FontData(1, 1), u"A");
}

// --- Counts ---
TEST_F(CFileChangeTlDataTest, gyouArraySize_isTheLastLineHoldingBodyText) {
    ASSERT_EQ(parse("漢\r\n\r\nｱ\r\nM1;\r\n\r\n"), 0);
    EXPECT_EQ(reader.GyouArraySize(), 1);
}

// --- Files ---
TEST_F(CFileChangeTlDataTest, emptyFile_isAnEmptyDocument) {
    ASSERT_EQ(parseBytes({}), 0);
    EXPECT_EQ(reader.GyouArraySize(), 0);
    EXPECT_EQ(reader.MaxBunDan(), 0);
}

TEST_F(CFileChangeTlDataTest, fileThatCannotBeOpened_showsItsMessageAndFails) {
    reader.FullPathName(u"/nonexistent/なし.tl2");
    EXPECT_EQ(errorNumberOf([&] { reader.FileOpenBuff(); }), Error::kFileNotFound);
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0], u"/nonexistent/なし.tl2 ファイルを開けません。");
    reader.FullPathName(u"/");
    EXPECT_EQ(errorNumberOf([&] { reader.FileOpenBuff(); }), Error::kPathFileAccess);
}

// The kernel lets a process open its memory file but refuses the read at offset 0.
TEST_F(CFileChangeTlDataTest, fileThatOpensButCannotBeRead_showsItsMessageAndFails) {
    if (!std::filesystem::exists("/proc/self/mem")) GTEST_SKIP() << "no /proc on this system";
    reader.FullPathName(u"/proc/self/mem");
    EXPECT_EQ(errorNumberOf([&] { reader.FileOpenBuff(); }), Error::kPathFileAccess);
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0], u"/proc/self/mem ファイルを開けません。");
    EXPECT_EQ(reader.BufferSize(), 0u);
}

TEST_F(CFileChangeTlDataTest, fileOpenBuff_readsTheFileByItsUtf8Path) {
    const auto path = std::filesystem::temp_directory_path() / "tavelo 読み込み.tl2";
    {
        std::ofstream out(path, std::ios::binary);
        const auto bytes = sjis("漢字");
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
    }
    reader.FullPathName(utf8::toUtf16(path.string()));
    reader.FileOpenBuff();
    std::filesystem::remove(path);
    EXPECT_EQ(reader.BufferSize(), 6u);
    reader.BuffChangeTl2Data();
    EXPECT_EQ(reader.Bun(1), u"漢字");
}

TEST_F(CFileChangeTlDataTest, strCut_removesTheGivenRange) {
    EXPECT_EQ(CFileChangeTlData::StrCut(u"abcdef", 2, 3), u"aef");
    EXPECT_EQ(CFileChangeTlData::StrCut(u"abc", 3, 5), u"ab");
    EXPECT_EQ(errorNumberOf([] { (void)CFileChangeTlData::StrCut(u"abc", 0, 1); }), Error::kInvalidArgument);
    EXPECT_EQ(errorNumberOf([] { (void)CFileChangeTlData::StrCut(u"abc", 32767, 1); }), Error::kOverflow);
}

}  // namespace
}  // namespace tavelo
