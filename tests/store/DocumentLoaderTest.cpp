#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>

#include "common/RecordingMessageSink.h"
#include "common/Utf8.h"
#include "support/FixedMeasuringDevice.h"
#include "reader/Tl2TestBytes.h"
#include "store/CViewData.h"
#include "store/CViewDataS.h"
#include "store/DocumentLoader.h"
#include "support/FailingMeasuringDevice.h"

namespace tavelo {
namespace {

using testing::sjis;

Single emHeight(Single points) {
    return std::round(points * 4 / 3);
}

class DocumentLoaderTest : public ::testing::Test {
protected:
    RecordingMessageSink messages;
    FixedMeasuringDevice device{600, 400, emHeight};
    DocumentLoader loader{messages, device};
};

// --- The steps of the open ---
TEST_F(DocumentLoaderTest, loadedBytes_areLaidOutWithTheReadersLengthsAndFlags) {
    loader.loadBytes(sjis("[人]\r\n漢字\r\n\r\n青い空\r\n"), u"a.tl2");
    EXPECT_FALSE(loader.readError());
    EXPECT_FALSE(loader.layoutError());
    EXPECT_TRUE(loader.readAnything());
    const CCalcPointXY& calc = loader.calculator();
    ASSERT_EQ(calc.GyouArraySize(), 3);
    EXPECT_EQ(calc.MaxBunDan(), 3);
    EXPECT_EQ(calc.Plusminus1MaxLenDan(), 8);
    EXPECT_EQ(calc.LenBunDan(3), 3);
    EXPECT_EQ(calc.LenRubiDan(1), 4);
    EXPECT_GT(calc.position(PositionTables::kSmallRubiX, 1, 2),
              calc.position(PositionTables::kSmallRubiX, 1, 1));  // the kanji flag
    EXPECT_GT(calc.position(PositionTables::kBigBunY, 3, 3),
              calc.position(PositionTables::kBigBunY, 3, 2));
    EXPECT_FALSE(loader.highlights().ReversalChar(3, 60));
    EXPECT_EQ(loader.reader().FileName(), u"a.tl2");
}

TEST_F(DocumentLoaderTest, addTo_storesTheDocumentUnderItsId) {
    loader.loadBytes(sjis("漢字\r\n"), u"a.tl2");
    CViewDataS list;
    const CViewData& view = loader.addTo(list, u"9:05:31 a.tl2");
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(view.ID(), u"9:05:31 a.tl2");
    EXPECT_EQ(view.position(PositionTables::kSmallBunX, 1, 1),
              loader.calculator().position(PositionTables::kSmallBunX, 1, 1));
}

// --- Failures ---
TEST_F(DocumentLoaderTest, missingFile_isAReadErrorAndAnEmptyDocumentIsStillLaidOut) {
    loader.loadFile(u"/nonexistent/なし.tl2", u"なし.tl2");
    ASSERT_TRUE(loader.readError());
    EXPECT_EQ(loader.readError()->number(), Error::kFileNotFound);
    EXPECT_FALSE(loader.readAnything());
    EXPECT_EQ(messages.messages().size(), 1u);
    EXPECT_FALSE(loader.layoutError());
    EXPECT_EQ(loader.calculator().GyouArraySize(), 0);
    EXPECT_GT(loader.calculator().CharSpace(0), 0.0f);
}

// A name in Shift-JIS bytes, as old archives unpack on Linux: opened by its bytes, shown decoded.
TEST_F(DocumentLoaderTest, fileNamedInShiftJis_opensByItsBytesAndShowsItsName) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("tavelo-sjis-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::string pathBytes = folder.string() + "/\x8A\xBF\x8E\x9A.tl2";  // 漢字.tl2
    std::ofstream(pathBytes, std::ios::binary) << "\x8A\xBF\x8E\x9A\r\n";
    loader.loadSystemPath(pathBytes);
    EXPECT_FALSE(loader.readError());
    EXPECT_EQ(loader.reader().FileName(), u"漢字.tl2");
    EXPECT_EQ(loader.reader().Bun(1), u"漢字");
    EXPECT_TRUE(messages.messages().empty());

    // A name that reached the program as text without its bytes cannot be found by it.
    DocumentLoader lost(messages, device);
    lost.loadFile(utf8::toUtf16(folder.string()) + u"/\uFFFD\uFFFD.tl2", u"\uFFFD\uFFFD.tl2");
    ASSERT_TRUE(lost.readError());
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0],
              utf8::toUtf16(folder.string()) +
                  u"/\uFFFD\uFFFD.tl2 ファイル名に表せない文字があるため、開けません。");
    std::filesystem::remove_all(folder);
}

TEST_F(DocumentLoaderTest, bufferOverTheLimit_readsNothing) {
    loader.loadBytes(std::vector<std::uint8_t>(40000, 0x20), u"big.tl2");
    ASSERT_TRUE(loader.readError());
    EXPECT_EQ(loader.readError()->number(), Error::kOverflow);
    EXPECT_FALSE(loader.readAnything());
}

TEST_F(DocumentLoaderTest, readingFailingPartWay_laysOutTheLineStoredBeforeTheFailure) {
    std::string line;
    for (int i = 0; i < 56; ++i) line += "字";
    loader.loadBytes(sjis("漢字\r\n" + line + "\r\n"), u"long.tl2");
    ASSERT_TRUE(loader.readError());
    EXPECT_EQ(loader.readError()->number(), Error::kSubscriptOutOfRange);
    EXPECT_TRUE(loader.readAnything());
    // The reader counted only the ended line as the longest; the unended one is longer.
    EXPECT_EQ(loader.calculator().MaxBunDan(), 2);
    EXPECT_FALSE(loader.layoutError());
    EXPECT_GT(loader.calculator().position(PositionTables::kSmallBunY, 2, 56),
              loader.calculator().position(PositionTables::kSmallBunY, 2, 55));
}

TEST_F(DocumentLoaderTest, rubyLineRunningPastTwiceTheLongestLinePlusTen_isLaidOutAndStored) {
    // One body character: the ruby tables start 12 slots wide; the ruby has 14.
    loader.loadBytes(sjis("ｱｲｳｴｵｶｷｸｹｺｻｼｽｾ\r\n字\r\n"), u"ruby.tl2");
    EXPECT_FALSE(loader.readError());
    EXPECT_FALSE(loader.layoutError());
    CViewDataS list;
    const CViewData& view = loader.addTo(list, u"ruby");
    EXPECT_EQ(view.LenRubiDan(1), 14);
    EXPECT_GT(view.position(PositionTables::kSmallRubiY, 1, 14),
              view.position(PositionTables::kSmallRubiY, 1, 13));
    EXPECT_EQ(view.position(PositionTables::kBigRubiY, 1, 14),
              loader.calculator().position(PositionTables::kBigRubiY, 1, 14));
}

TEST_F(DocumentLoaderTest, failingLayoutStep_isKeptAndTheLaterStepsStillRun) {
    testing::FailingMeasuringDevice broken;
    DocumentLoader brokenLoader(messages, broken);
    brokenLoader.loadBytes(sjis("漢字\r\n"), u"a.tl2");
    EXPECT_FALSE(brokenLoader.readError());
    ASSERT_TRUE(brokenLoader.layoutError());
    EXPECT_EQ(brokenLoader.layoutError()->number(), Error::kOverflow);
    EXPECT_EQ(brokenLoader.layoutError()->source(), "FailingMeasuringDevice");
    EXPECT_EQ(brokenLoader.calculator().LenBunDan(1), 2);        // copied before the layout
    EXPECT_FALSE(brokenLoader.highlights().ReversalChar(1, 1));  // sized after it
}

// --- The bundled samples ---
class SampleLoadTest : public ::testing::TestWithParam<const char*> {};

TEST_P(SampleLoadTest, bundledSample_loadsLaysOutAndIsStored) {
    RecordingMessageSink messages;
    FixedMeasuringDevice device(449, 624, emHeight);
    DocumentLoader loader(messages, device);
    const std::filesystem::path path = std::filesystem::path(TAVELO_SAMPLES_DIR) / GetParam();
    loader.loadFile(utf8::toUtf16(path.string()), utf8::toUtf16(GetParam()));
    EXPECT_FALSE(loader.readError());
    EXPECT_FALSE(loader.layoutError());
    CViewDataS list;
    const CViewData& view = loader.addTo(list, u"sample");
    EXPECT_EQ(view.GyouArraySize(), loader.reader().GyouArraySize());
    EXPECT_EQ(view.DeviceScaleWidth(), 449);
}

INSTANTIATE_TEST_SUITE_P(Samples, SampleLoadTest,
                         ::testing::Values("wagahai.tl2", "kumo-no-ito.tl2"));

}  // namespace
}  // namespace tavelo
