// tavelo_prose_survey: reads every .txt and .zip under the given folders as Aozora Bunko texts
// and prints what the notation reader made of them: files read, files that failed, the notes it
// did not understand grouped by pattern, and the gaiji it could and could not map.
//
//   tavelo_prose_survey [--skip FILE]... [--top N] FOLDER...
//
// A crash prints "crashed: FILE" and ends the run with status 70; scripts/aozora-corpus.sh
// then reads the folder again with --skip FILE.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "common/Utf8.h"
#include "prose/AozoraReader.h"
#include "prose/ProseFile.h"

namespace {

namespace fs = std::filesystem;
using namespace tavelo::prose;

std::string currentFile;

extern "C" void reportCrash(int) {
    const char prefix[] = "crashed: ";
    [[maybe_unused]] auto a = write(STDOUT_FILENO, prefix, sizeof prefix - 1);
    [[maybe_unused]] auto b = write(STDOUT_FILENO, currentFile.data(), currentFile.size());
    [[maybe_unused]] auto c = write(STDOUT_FILENO, "\n", 1);
    _exit(70);
}

std::string utf8(std::u32string_view text) {
    return tavelo::utf8::fromUtf32(text);
}

// A note's pattern: quoted text as 「…」, counts as N, so that one kind of note is one line.
std::u32string patternOf(std::u32string_view note) {
    std::u32string pattern;
    int quoted = 0;
    for (char32_t c : note) {
        if (c == U'「') {
            if (quoted++ == 0) pattern += U"「…」";
            continue;
        }
        if (c == U'」' && quoted > 0) {
            --quoted;
            continue;
        }
        if (quoted) continue;
        const bool digit =
            (c >= U'0' && c <= U'9') || (c >= U'０' && c <= U'９') ||
            std::u32string_view(U"一二三四五六七八九十〇").find(c) != std::u32string_view::npos;
        if (digit) {
            if (pattern.empty() || pattern.back() != U'N') pattern += U'N';
            continue;
        }
        pattern += c;
    }
    return pattern;
}

bool isText(const fs::path& path) {
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    return ext == ".txt" || ext == ".zip";
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> skipped;
    std::size_t top = 60;
    std::vector<fs::path> roots;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--skip" && i + 1 < argc)
            skipped.emplace_back(argv[++i]);
        else if (arg == "--top" && i + 1 < argc)
            top = std::stoul(argv[++i]);
        else
            roots.emplace_back(arg);
    }
    if (roots.empty()) {
        std::cerr << "usage: tavelo_prose_survey [--skip FILE]... [--top N] FOLDER...\n";
        return 2;
    }
    std::vector<std::string> files;
    for (const fs::path& root : roots) {
        if (fs::is_regular_file(root)) {
            files.push_back(root.string());
            continue;
        }
        for (const auto& entry : fs::recursive_directory_iterator(root))
            if (entry.is_regular_file() && isText(entry.path()))
                files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());
    std::erase_if(files, [&](const std::string& file) {
        return std::find(skipped.begin(), skipped.end(), file) != skipped.end();
    });

    for (int signal : {SIGSEGV, SIGABRT, SIGFPE, SIGBUS, SIGILL}) std::signal(signal, reportCrash);

    std::size_t read = 0, failed = 0, characters = 0, paragraphs = 0, mapped = 0, unmapped = 0,
                unknownTotal = 0, withoutTitle = 0, withoutColophon = 0;
    std::size_t bytes = 0;
    std::map<std::u32string, std::size_t> unknown;
    std::map<std::u32string, std::string> example;
    std::map<std::string, std::size_t> encodings;
    double seconds = 0;
    for (const std::string& file : files) {
        currentFile = file;
        const ProseFileBytes contents = readProseFile(file);
        if (!contents.ok) {
            ++failed;
            std::cout << "failed: " << file << ": " << contents.message << "\n";
            continue;
        }
        const auto begin = std::chrono::steady_clock::now();
        const ProseDocument document = readProseBytes(contents.bytes);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
        ++read;
        bytes += contents.bytes.size();
        characters += document.characterCount();
        paragraphs += document.paragraphs.size();
        mapped += document.gaijiMapped;
        unmapped += document.gaijiUnmapped;
        ++encodings[document.encoding];
        if (document.title.empty()) ++withoutTitle;
        if (document.colophon.empty()) ++withoutColophon;
        for (const UnknownNote& note : document.unknownNotes) {
            ++unknownTotal;
            const auto pattern = patternOf(note.text);
            if (++unknown[pattern] == 1) example[pattern] = file + ": " + utf8(note.text);
        }
    }

    std::cout << "files read: " << read << "\n"
              << "failures: " << failed << "\n"
              << "bytes: " << bytes << ", characters in paragraphs: " << characters
              << ", paragraphs: " << paragraphs << "\n"
              << "reading time: " << seconds << " s ("
              << (bytes ? seconds * 1e9 / static_cast<double>(bytes) : 0) << " ns per byte)\n"
              << "without title: " << withoutTitle << ", without colophon: " << withoutColophon
              << "\n";
    for (const auto& [encoding, count] : encodings)
        std::cout << "encoding " << encoding << ": " << count << "\n";
    std::cout << "gaiji mapped: " << mapped << ", unmapped: " << unmapped << "\n"
              << "unknown notes: " << unknownTotal << " in " << unknown.size() << " patterns\n";
    std::vector<std::pair<std::size_t, std::u32string>> byCount;
    for (const auto& [pattern, count] : unknown) byCount.emplace_back(count, pattern);
    std::sort(byCount.begin(), byCount.end(),
              [](const auto& a, const auto& b) { return a.first > b.first; });
    for (std::size_t i = 0; i < std::min(top, byCount.size()); ++i)
        std::cout << "  " << byCount[i].first << "\t" << utf8(byCount[i].second) << "\t(e.g. "
                  << example[byCount[i].second] << ")\n";
    return 0;
}
