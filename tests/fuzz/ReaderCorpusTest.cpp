#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "ReadDocument.h"
#include "ReaderInvariants.h"
#include "common/Error.h"

namespace tavelo::fuzzing {
namespace {

namespace fs = std::filesystem;

const fs::path kFuzzDir = TAVELO_FUZZ_DIR;
const fs::path kSeedDir = kFuzzDir / "corpus" / "reader";

// The files of a folder in name order; none when the folder does not exist.
std::vector<fs::path> filesIn(const fs::path& folder) {
    std::vector<fs::path> files;
    if (!fs::is_directory(folder)) return files;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<fs::path> everyInput() {
    std::vector<fs::path> inputs;
    for (const fs::path& folder :
         {kSeedDir, kFuzzDir / "regressions" / "reader", fs::path(TAVELO_SAMPLES_DIR)}) {
        const auto files = filesIn(folder);
        inputs.insert(inputs.end(), files.begin(), files.end());
    }
    return inputs;
}

ReadDocument readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                          std::istreambuf_iterator<char>()};
    return ReadDocument::read(bytes);
}

std::string testName(const ::testing::TestParamInfo<fs::path>& info) {
    std::string name =
        info.param.parent_path().filename().string() + "_" + info.param.filename().string();
    std::replace_if(
        name.begin(), name.end(), [](unsigned char c) { return !std::isalnum(c); }, '_');
    return name;
}

// Every seed of the fuzzer, every input it once failed on and every bundled sample keeps the
// reader's promises; this is what a run of the fuzzer checks, here in every build of the tests.
class ReaderCorpusTest : public ::testing::TestWithParam<fs::path> {};

TEST_P(ReaderCorpusTest, input_keepsEveryPromiseOfTheReader) {
    const ReadDocument document = readFile(GetParam());
    std::string report;
    for (const std::string& violation : ReaderInvariants::violations(document))
        report += violation + "\n";
    EXPECT_EQ(report, "");
}

INSTANTIATE_TEST_SUITE_P(Inputs, ReaderCorpusTest, ::testing::ValuesIn(everyInput()), testName);

// The seeds are where the fuzzer starts: they must reach each outcome of the reader, or the
// fuzzer would first have to find the way there itself.
TEST(ReaderSeedCorpusTest, seeds_reachEveryOutcomeOfTheReader) {
    int clean = 0, withRubyAndTypeface = 0, withMessages = 0, outOfRange = 0, overflowAtEnd = 0,
        overflowAtStart = 0, empty = 0;
    for (const fs::path& path : filesIn(kSeedDir)) {
        const ReadDocument d = readFile(path);
        if (d.input.empty()) ++empty;
        if (!d.messages.empty()) ++withMessages;
        if (!d.errorNumber) {
            ++clean;
            const auto hasRuby = [](const auto& line) { return line.LenRubiDan > 0; };
            const auto hasTypeface = [](const auto& line) {
                return std::any_of(line.FontData.begin(), line.FontData.end(), [](const auto& f) {
                    return f && !f->empty() && *f != u"@ＭＳ 明朝" && *f != u"0";
                });
            };
            if (std::any_of(d.lines.begin(), d.lines.end(), hasRuby) &&
                std::any_of(d.lines.begin(), d.lines.end(), hasTypeface))
                ++withRubyAndTypeface;
        } else if (*d.errorNumber == Error::kSubscriptOutOfRange) {
            ++outOfRange;
        } else if (*d.errorNumber == Error::kOverflow) {
            ++(d.failureLine == 0 ? overflowAtStart : overflowAtEnd);
        }
    }
    EXPECT_GE(clean, 10);
    EXPECT_GE(withRubyAndTypeface, 1);
    EXPECT_GE(withMessages, 1);
    EXPECT_GE(outOfRange, 5);
    EXPECT_GE(overflowAtEnd, 1);
    EXPECT_GE(overflowAtStart, 1);
    EXPECT_EQ(empty, 1);
}

}  // namespace
}  // namespace tavelo::fuzzing
