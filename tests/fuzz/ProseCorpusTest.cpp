#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "ProseInvariants.h"
#include "prose/AozoraReader.h"

namespace tavelo::fuzzing {
namespace {

namespace fs = std::filesystem;

const fs::path kFuzzDir = TAVELO_FUZZ_DIR;
const fs::path kSeedDir = kFuzzDir / "corpus" / "prose";

std::vector<fs::path> filesIn(const fs::path& folder) {
    std::vector<fs::path> files;
    if (!fs::is_directory(folder)) return files;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

prose::ProseDocument readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return prose::readProseBytes(bytes);
}

// Every seed of the notation reader's fuzzer, every input it once failed on and every bundled
// Aozora Bunko text keeps the reader's promises, in every build of the tests.
TEST(ProseCorpusTest, everyInput_keepsEveryPromiseOfTheNotationReader) {
    std::vector<fs::path> inputs;
    for (const fs::path& folder :
         {kSeedDir, kFuzzDir / "regressions" / "prose", fs::path(TAVELO_SAMPLES_DIR) / "aozora"}) {
        const auto files = filesIn(folder);
        inputs.insert(inputs.end(), files.begin(), files.end());
    }
    EXPECT_GE(inputs.size(), filesIn(kSeedDir).size() + 2);  // the samples too
    for (const fs::path& path : inputs) {
        std::string report;
        for (const std::string& violation : ProseInvariants::violations(readFile(path)))
            report += violation + "\n";
        EXPECT_EQ(report, "") << path;
    }
}

// The checks find what they are there to find.
TEST(ProseInvariantsTest, brokenDocuments_areReported) {
    const prose::ProseDocument sound = prose::readAozoraText(
        U"題\n作\n\n※［＃「虫+慈」、62-6］々《じじ》［＃「々」に傍点］［＃謎］\n");
    ASSERT_EQ(ProseInvariants::violations(sound), std::vector<std::string>{});
    const auto brokenBy = [&](auto change) {
        prose::ProseDocument d = sound;
        change(d);
        const auto violations = ProseInvariants::violations(d);
        return violations.empty() ? std::string()
                                  : violations[0].substr(0, violations[0].find(':'));
    };
    using D = prose::ProseDocument;
    EXPECT_EQ(brokenBy([](D& d) { d.paragraphs[0].ruby[0].end = 3; }), "ruby");
    EXPECT_EQ(brokenBy([](D& d) { d.paragraphs[0].notes[0].start = 3; }), "notes");
    EXPECT_EQ(brokenBy([](D& d) { d.paragraphs[0].gaiji[0].end = 0; }), "gaiji");
    EXPECT_EQ(brokenBy([](D& d) { ++d.gaijiMapped; }), "gaijiCounts");
    EXPECT_EQ(brokenBy([](D& d) { d.unknownNotes[0].paragraph = 1; }), "unknownNotes");
    EXPECT_EQ(brokenBy([](D& d) { d.paragraphs[0].text += U"\n"; }), "lineEnds");
    EXPECT_EQ(brokenBy([](D& d) { d.paragraphs[0].raise = 1; }), "attributes");
    EXPECT_EQ(brokenBy([](D& d) { d.title = U"別"; }), "title");
}

}  // namespace
}  // namespace tavelo::fuzzing
