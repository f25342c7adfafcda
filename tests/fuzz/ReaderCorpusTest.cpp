#include <gtest/gtest.h>

#include <algorithm>
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

// Every seed of the fuzzer, every input it once failed on and every bundled sample keeps the
// reader's promises: what a run of the fuzzer checks, here in every build of the tests. One
// test walks the folders when it runs, so that an input added since the last build counts.
TEST(ReaderCorpusTest, everyInput_keepsEveryPromiseOfTheReader) {
    const auto inputs = everyInput();
    EXPECT_GE(inputs.size(), filesIn(kSeedDir).size() + 2);  // the samples too
    for (const fs::path& path : inputs) {
        std::string report;
        for (const std::string& violation : ReaderInvariants::violations(readFile(path)))
            report += violation + "\n";
        EXPECT_EQ(report, "") << path;
    }
}

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
