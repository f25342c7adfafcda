#include "shell/window/LineNumberInput.h"

#include <string>

namespace tavelo {
namespace {

bool isSpace(char16_t c) {
    return c == u' ' || c == u'\u3000' || c == u'\t';
}

// The digit's value, or -1.
int digitOf(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'０' && c <= u'９') return c - u'０';
    return -1;
}

}  // namespace

std::optional<int> LineNumberInput::parse(const String& text, int lineCount) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isSpace(text[begin])) ++begin;
    while (end > begin && isSpace(text[end - 1])) --end;
    if (begin == end) return std::nullopt;
    long line = 0;
    for (std::size_t i = begin; i < end; ++i) {
        const int digit = digitOf(text[i]);
        if (digit < 0) return std::nullopt;
        line = line * 10 + digit;
        // Past the last line already: more digits only make it larger.
        if (line > lineCount) return std::nullopt;
    }
    if (line < 1) return std::nullopt;
    return static_cast<int>(line);
}

String LineNumberInput::refusal(int lineCount) {
    const std::string last = std::to_string(lineCount < 1 ? 1 : lineCount);
    return u"行番号は 1 から " + String(last.begin(), last.end()) + u" までの数で入力して下さい。";
}

}  // namespace tavelo
