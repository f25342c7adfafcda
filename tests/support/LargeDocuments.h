#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "common/CodePage932.h"
#include "common/Utf8.h"

namespace tavelo::testing {

// tl2 files at the reader's limits and a typical one, made in memory as Shift-JIS bytes, for
// the benchmarks and for the tests that compare the fast and the plain drawing.
namespace large_documents {

// Body text to cycle through: many different characters, as a real page has.
inline constexpr std::string_view kBodyText =
    "吾輩は猫である名前はまだ無いどこで生れたかとんと見当がつかぬ何でも薄暗いじめじめした所で"
    "泣いていた事だけは記憶している吾輩はここで始めて人間というものを見たしかもあとで聞くと"
    "それは書生という人間中で一番獰悪な種族であったそうだこの書生というのは時々我々を捕えて"
    "煮て食うという話である";
// Half-width katakana for the ruby lines (one byte a slot).
inline constexpr std::string_view kRubyText = "ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜｦﾝ";

// `count` characters of `text` from the `start`-th on, round its end, as Shift-JIS.
inline std::string cycle(std::string_view text, std::size_t start, std::size_t count) {
    const std::u16string characters = utf8::toUtf16(text);
    std::u16string out;
    for (std::size_t i = 0; i < count; ++i) out += characters[(start + i) % characters.size()];
    return CodePage932::encode(out);
}

// The largest file the reader takes whole, 32,766 bytes: full 55-character lines, each under
// a ruby line of 110 slots, and a shorter pair at the end to reach the size exactly.
inline std::string fullLines() {
    constexpr std::size_t kSize = 32766;
    std::string bytes;
    for (std::size_t line = 0;; ++line) {
        const std::size_t left = kSize - bytes.size();
        if (left >= 224) {
            bytes += cycle(kRubyText, line * 7, 110) + "\r\n";
            bytes += cycle(kBodyText, line * 55, 55) + "\r\n";
        } else {
            // A ruby line of r slots and a body line of b characters take r + 2b + 4 bytes.
            const std::size_t body = (left - 4) / 4;
            const std::size_t ruby = left - 4 - 2 * body;
            bytes += cycle(kRubyText, line * 7, ruby) + "\r\n";
            bytes += cycle(kBodyText, line * 55, body) + "\r\n";
            return bytes;
        }
    }
}

// `lines` lines of `length` body characters each, under two ruby slots, for the manuscript
// pages: with no line-break rule in play their columns can be counted by hand.
inline std::string uniformLines(std::size_t lines, std::size_t length) {
    std::string bytes;
    for (std::size_t line = 0; line < lines; ++line) {
        bytes += cycle(kRubyText, line, 2) + "\r\n";
        bytes += cycle(kBodyText.substr(0, 3 * 13), line, length) + "\r\n";  // no kana
    }
    return bytes;
}

// The most lines a file may hold, 1000, each two characters under four ruby slots.
inline std::string thousandShortLines() {
    std::string bytes;
    for (std::size_t line = 0; line < 1000; ++line) {
        bytes += cycle(kRubyText, line, 4) + "\r\n";
        bytes += cycle(kBodyText, line * 2, 2) + "\r\n";
    }
    return bytes;
}

// A few kilobytes as people write them: lines of 20 to 40 characters, ruby over every third.
inline std::string typical() {
    std::string bytes;
    for (std::size_t line = 0; line < 60; ++line) {
        if (line % 3 == 0) bytes += "  " + cycle(kRubyText, line, 6) + "\r\n";
        bytes += cycle(kBodyText, line * 31, 20 + (line * 7) % 21) + "\r\n";
    }
    return bytes;
}

}  // namespace large_documents
}  // namespace tavelo::testing
