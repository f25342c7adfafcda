#pragma once
// A novel of about 2 MB of CP932 for the prose benchmarks: the texts in the folder
// TAVELO_AOZORA_CORPUS names (a checkout of Aozora Bunko's texts; the .txt files in name
// order), else the bundled samples/aozora texts repeated; each text without its colophon, so
// that the whole novel is body text.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace tavelo::bench {
namespace prose_novel {

namespace fs = std::filesystem;

constexpr std::size_t kNovelBytes = 2'000'000;
// 底本： in CP932: where a text's colophon begins.
constexpr std::string_view kColophon = "\x92\xea\x96\x7b\x81\x46";

inline std::vector<fs::path> textsIn(const fs::path& folder) {
    std::vector<fs::path> texts;
    if (!fs::is_directory(folder)) return texts;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file() && entry.path().extension() == ".txt")
            texts.push_back(entry.path());
    std::sort(texts.begin(), texts.end());
    return texts;
}

inline std::string bodyOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const auto colophon = bytes.find(kColophon);
    if (colophon != std::string::npos) bytes.resize(colophon);
    return bytes;
}

}  // namespace prose_novel

// The novel's bytes, made once.
inline const std::string& novel() {
    using namespace prose_novel;
    static const std::string bytes = [] {
        const char* corpus = std::getenv("TAVELO_AOZORA_CORPUS");
        auto texts = textsIn(corpus ? fs::path(corpus) : fs::path());
        const bool repeat = texts.empty();
        if (repeat) texts = textsIn(fs::path(TAVELO_SAMPLES_DIR) / "aozora");
        std::string all;
        while (all.size() < kNovelBytes && !texts.empty()) {
            for (const fs::path& text : texts) {
                all += bodyOf(text);
                if (all.size() >= kNovelBytes) break;
            }
            if (!repeat) break;
        }
        return all;
    }();
    return bytes;
}

}  // namespace tavelo::bench
