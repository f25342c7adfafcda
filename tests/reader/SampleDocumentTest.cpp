#include <gtest/gtest.h>

#include <filesystem>

#include "common/RecordingMessageSink.h"
#include "common/Utf8.h"
#include "reader/CFileChangeTlData.h"

namespace tavelo {
namespace {

// Every bundled sample reads without a message or failure, and carries the features it is
// there to show: ruby on some lines, a bracketed kanji ruby and a typeface entry.
class SampleDocumentTest : public ::testing::TestWithParam<const char*> {};

TEST_P(SampleDocumentTest, bundledSample_readsCleanlyWithRubyBracketsAndTypefaces) {
    RecordingMessageSink messages;
    CFileChangeTlData reader(messages);
    const std::filesystem::path path = std::filesystem::path(TAVELO_SAMPLES_DIR) / GetParam();
    reader.FullPathName(utf8::toUtf16(path.string()));
    reader.FileOpenBuff();
    reader.BuffChangeTl2Data();
    EXPECT_TRUE(messages.messages().empty());
    ASSERT_GT(reader.GyouArraySize(), 5);
    EXPECT_LE(reader.MaxBunDan(), 55);
    int rubyLines = 0, kanjiRuby = 0, typefaces = 0;
    for (Integer g = 1; g <= reader.GyouArraySize(); ++g) {
        // Ruby stays within the slots of its body line plus a little overhang.
        EXPECT_LE(reader.LenRubiDan(g), 2 * reader.LenBunDan(g) + 10) << g;
        if (reader.LenRubiDan(g) > 0) ++rubyLines;
        for (Integer k = 1; k <= reader.LenRubiDan(g); ++k)
            if (reader.IsKanjiRubi(g, k) == -1) ++kanjiRuby;
        for (Integer k = 1; k <= reader.LenBunDan(g); ++k) {
            const String& face = reader.FontData(g, k);
            if (face != u"@ＭＳ 明朝" && face != u"0") ++typefaces;
        }
    }
    EXPECT_GT(rubyLines, reader.GyouArraySize() / 2);
    EXPECT_GE(kanjiRuby, 1);
    EXPECT_GE(typefaces, 1);
}

INSTANTIATE_TEST_SUITE_P(Samples, SampleDocumentTest,
                         ::testing::Values("wagahai.tl2", "kumo-no-ito.tl2"));

}  // namespace
}  // namespace tavelo
