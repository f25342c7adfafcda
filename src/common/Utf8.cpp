#include "Utf8.h"

namespace tavelo::utf8 {
namespace {

void appendCodePoint(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

char32_t scalarOr(char32_t cp) {
    return (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF ? char32_t{0xFFFD} : cp;
}

}  // namespace

std::string fromUtf32(std::u32string_view text) {
    std::string out;
    out.reserve(text.size() * 3);
    for (const char32_t cp : text) appendCodePoint(out, scalarOr(cp));
    return out;
}

String utf32ToUtf16(std::u32string_view text) {
    String out;
    out.reserve(text.size());
    for (char32_t cp : text) {
        cp = scalarOr(cp);
        if (cp >= 0x10000) {
            out.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
    }
    return out;
}

std::u32string utf16ToUtf32(std::u16string_view text) {
    std::u32string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            out.push_back(0x10000 + ((char32_t{c} - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else {
            out.push_back(c >= 0xD800 && c <= 0xDFFF ? char32_t{0xFFFD} : char32_t{c});
        }
    }
    return out;
}

std::string fromUtf16(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() * 3);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            appendCodePoint(out, 0x10000 + ((char32_t{c} - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            appendCodePoint(out, 0xFFFD);
        } else {
            appendCodePoint(out, c);
        }
    }
    return out;
}

namespace {

// The code point of the sequence starting at text[i] and its length; U+FFFD with length 1 for
// a byte that starts no well-formed sequence.
struct Decoded {
    char32_t cp;
    std::size_t length;
    bool valid;
};

Decoded decodeAt(std::string_view text, std::size_t i) {
    const auto b = static_cast<unsigned char>(text[i]);
    char32_t cp = 0xFFFD;
    std::size_t length = 1;
    bool wellFormed = b < 0x80;
    if (b < 0x80) {
        cp = b;
    } else if ((b & 0xE0) == 0xC0) {
        length = 2;
    } else if ((b & 0xF0) == 0xE0) {
        length = 3;
    } else if ((b & 0xF8) == 0xF0) {
        length = 4;
    }
    if (length > 1) {
        bool valid = i + length <= text.size();
        char32_t value = b & (0x7F >> length);
        for (std::size_t k = 1; valid && k < length; ++k) {
            const auto cont = static_cast<unsigned char>(text[i + k]);
            valid = (cont & 0xC0) == 0x80;
            value = (value << 6) | (cont & 0x3F);
        }
        static constexpr char32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
        if (valid && value >= kMinimum[length] && value <= 0x10FFFF &&
            !(value >= 0xD800 && value <= 0xDFFF)) {
            cp = value;
            wellFormed = true;
        } else {
            length = 1;
        }
    }
    return {cp, length, wellFormed};
}

}  // namespace

bool isValid(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const Decoded decoded = decodeAt(text, i);
        if (!decoded.valid) return false;
        i += decoded.length;
    }
    return true;
}

String toUtf16(std::string_view text) {
    String out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const Decoded decoded = decodeAt(text, i);
        const char32_t cp = decoded.cp;
        const std::size_t length = decoded.length;
        if (cp >= 0x10000) {
            out.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
        i += length;
    }
    return out;
}

}  // namespace tavelo::utf8
