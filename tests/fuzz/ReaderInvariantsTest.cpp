#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>

#include "../reader/Tl2TestBytes.h"
#include "ReadDocument.h"
#include "ReaderInvariants.h"

namespace tavelo::fuzzing {
namespace {

using testing::sjis;

// Ruby, a bracketed kanji, a typeface entry and an empty line: every part the checks look at.
constexpr std::string_view kRichText =
    "ｶﾝｼﾞ\r\n漢字を読む\r\n　　　M101;\r\n\r\n[人]ﾃﾝ\r\n青い天\r\n";

class ReaderInvariantsTest : public ::testing::Test {
protected:
    static ReadDocument read(std::string_view text) { return ReadDocument::read(sjis(text)); }

    // The names of the promises the document breaks, each once, in the order reported.
    static std::vector<std::string> broken(const ReadDocument& d) {
        std::vector<std::string> names;
        for (const std::string& violation : ReaderInvariants::violations(d)) {
            std::string name = violation.substr(0, violation.find(':'));
            if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
        }
        return names;
    }
    static std::vector<std::string> only(const char* name) { return {name}; }

    ReadDocument document = read(kRichText);
};

// --- Sound readings ---
TEST_F(ReaderInvariantsTest, soundReadings_breakNoPromise) {
    ASSERT_EQ(document.GyouArraySize, 3);
    EXPECT_EQ(broken(document), std::vector<std::string>{});

    std::string line56;
    for (int i = 0; i < 56; ++i) line56 += "字";
    for (std::string_view failing : {std::string_view("[人人]\r\n漢字\r\n"),
                                     std::string_view(line56), std::string_view("M1;\r\n")}) {
        const ReadDocument d = read(failing);
        ASSERT_TRUE(d.errorNumber.has_value()) << failing;
        EXPECT_EQ(broken(d), std::vector<std::string>{}) << failing;
    }
    for (std::string_view odd : {"", "漢字\n読む\n", "ｳﾞ]\r\n;\r\n漢\r\n"})
        EXPECT_EQ(broken(read(odd)), std::vector<std::string>{}) << odd;
    // U+B000 in UTF-8 (EB 80 80) holds no lead byte, but becomes the double-byte geta mark.
    const std::string utf8Text = "\xEB\x80\x80\n";
    EXPECT_EQ(
        broken(ReadDocument::read(std::vector<std::uint8_t>(utf8Text.begin(), utf8Text.end()))),
        std::vector<std::string>{});
}

TEST_F(ReaderInvariantsTest, overflowAtTheSizeLimits_breaksNoPromise) {
    for (std::size_t size : {32768u, 32769u, 40000u}) {
        std::vector<std::uint8_t> bytes(size - 2, ' ');
        bytes.push_back('\r');
        bytes.push_back('\n');
        const ReadDocument d = ReadDocument::read(bytes);
        EXPECT_EQ(d.errorNumber, Error::kOverflow) << size;
        EXPECT_EQ(broken(d), std::vector<std::string>{}) << size;
    }
}

// --- Failures ---
TEST_F(ReaderInvariantsTest, errorOtherThanTheFormatsLimits_breaksFailure) {
    document.errorNumber = 5;
    document.failureLine = 1;
    EXPECT_EQ(broken(document), only("failure"));
}

TEST_F(ReaderInvariantsTest, overflowOfASmallBuffer_breaksOverflow) {
    document.errorNumber = 6;
    document.failureLine = 1;
    EXPECT_EQ(broken(document), only("overflow"));
}

TEST_F(ReaderInvariantsTest, oversizedBufferReadWithoutFailure_breaksOverflow) {
    document.bufferSize = 32769;
    EXPECT_EQ(broken(document), only("overflow"));
}

TEST_F(ReaderInvariantsTest, failureLineOutsideTheFile_breaksFailureLine) {
    ReadDocument failed = read("[人人]\r\n漢字\r\n");
    ASSERT_EQ(failed.failureLine, 1);
    failed.failureLine = 3;  // the file has two lines
    EXPECT_EQ(broken(failed), only("failureLine"));
    failed.failureLine = 0;
    EXPECT_EQ(broken(failed), only("failureLine"));
    document.failureLine = 1;  // a line reported for a parse that did not fail
    EXPECT_EQ(broken(document), only("failureLine"));
}

// --- Figures ---
TEST_F(ReaderInvariantsTest, lineCountBeyondThePage_breaksCounts) {
    document.GyouArraySize = 1001;
    EXPECT_EQ(broken(document), only("counts"));
}

TEST_F(ReaderInvariantsTest, lineThatCannotBeReadOrMiscounts_breaksLineReadable) {
    ReadDocument unreadable = document;
    unreadable.lines[1].Rubi.reset();
    EXPECT_EQ(broken(unreadable), only("lineReadable"));
    document.lines[2].LenRubiDan = 5;  // the ruby of 青い天 has six slots
    EXPECT_EQ(broken(document), only("lineReadable"));
}

TEST_F(ReaderInvariantsTest, lineOver55CellsAfterACleanParse_breaksCells) {
    document.lines[1].Bun = String(56, u'字');
    document.lines[1].LenBunDan = 56;
    document.MaxBunDan = 56;
    const auto names = broken(document);
    EXPECT_NE(std::find(names.begin(), names.end(), "cells"), names.end());
}

TEST_F(ReaderInvariantsTest, rubyOver120Slots_breaksSlots) {
    document.lines[0].Rubi = String(121, u'あ');
    document.lines[0].LenRubiDan = 121;
    EXPECT_EQ(broken(document), only("slots"));
}

TEST_F(ReaderInvariantsTest, maxBunDanOtherThanTheLongestLine_breaksMaxBunDan) {
    document.MaxBunDan = 4;  // 漢字を読む has five cells; the standard length stays 8
    EXPECT_EQ(broken(document), only("maxBunDan"));
}

TEST_F(ReaderInvariantsTest, wrongOrUnreadableStandardLength_breaksStandardLength) {
    document.Plusminus1MaxLenDan = 6;
    EXPECT_EQ(broken(document), only("standardLength"));
    document.Plusminus1MaxLenDan.reset();
    EXPECT_EQ(broken(document), only("standardLength"));
}

// --- Typefaces and kanji flags ---
TEST_F(ReaderInvariantsTest, typefaceMissingOrMisspelt_breaksTypeface) {
    ReadDocument missing = document;
    missing.lines[0].FontData[0] = String();  // cell 1 holds 漢
    EXPECT_EQ(broken(missing), only("typeface"));
    ReadDocument misspelt = document;
    misspelt.lines[0].FontData[3] = u"M1!";
    EXPECT_EQ(broken(misspelt), only("typeface"));
    document.lines[0].FontData[54].reset();
    EXPECT_EQ(broken(document), only("typeface"));
}

TEST_F(ReaderInvariantsTest, typefaceNamedForACellBeyondTheText_breaksNoPromise) {
    document.lines[0].FontData[54] = u"M101";
    EXPECT_EQ(broken(document), std::vector<std::string>{});
}

TEST_F(ReaderInvariantsTest, flagOtherThanMinusOneOrZeroOrBeyondTheRuby_breaksKanjiFlags) {
    ASSERT_EQ(document.lines[2].IsKanjiRubi[1], -1);  // [人] on the line of 青い天
    ReadDocument odd = document;
    odd.lines[2].IsKanjiRubi[1] = 1;
    EXPECT_EQ(broken(odd), only("kanjiFlags"));
    ReadDocument beyond = document;
    beyond.lines[0].IsKanjiRubi[4] = -1;  // the line's ruby has four slots
    EXPECT_EQ(broken(beyond), only("kanjiFlags"));
    document.lines[0].IsKanjiRubi[119].reset();
    EXPECT_EQ(broken(document), only("kanjiFlags"));
}

// --- Texts ---
TEST_F(ReaderInvariantsTest, halfWidthCharacterInTheBody_breaksBodyText) {
    ReadDocument ascii = document;
    *ascii.lines[0].Bun += u'A';
    *ascii.lines[0].LenBunDan += 1;
    ascii.lines[0].FontData[5] = u"@ＭＳ 明朝";
    ascii.MaxBunDan = 6;
    EXPECT_EQ(broken(ascii), only("bodyText"));
    (*document.lines[0].Bun)[0] = u'ｱ';
    EXPECT_EQ(broken(document), only("bodyText"));
}

TEST_F(ReaderInvariantsTest, unconvertedKanaInTheRuby_breaksRubyText) {
    ReadDocument spaced = document;
    (*spaced.lines[0].Rubi)[3] = u' ';  // a half-width space is a ruby character
    EXPECT_EQ(broken(spaced), std::vector<std::string>{});
    (*document.lines[0].Rubi)[0] = u'ｶ';
    EXPECT_EQ(broken(document), only("rubyText"));
}

TEST_F(ReaderInvariantsTest, messageTheReaderDoesNotHave_breaksMessages) {
    document.messages.push_back(u"ファイルを開けません。");
    EXPECT_EQ(broken(document), only("messages"));
}

TEST_F(ReaderInvariantsTest, unpairedSurrogate_breaksValidText) {
    (*document.lines[0].Bun)[0] = u'\xD800';
    EXPECT_EQ(broken(document), only("validText"));
}

TEST_F(ReaderInvariantsTest, bodyTextWithoutAnyDoubleByteInTheFile_breaksNoDoubleByte) {
    const std::string ascii = "ABC;\r\n[]\r\n";
    document.input.assign(ascii.begin(), ascii.end());
    EXPECT_EQ(broken(document), only("noDoubleByte"));
}

}  // namespace
}  // namespace tavelo::fuzzing
