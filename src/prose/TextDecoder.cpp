#include "TextDecoder.h"

#include <iconv.h>

#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstring>

namespace tavelo::prose {
namespace {

constexpr char32_t kReplacement = U'\uFFFD';

std::uint8_t byteAt(std::string_view bytes, std::size_t i) {
    return static_cast<std::uint8_t>(bytes[i]);
}

bool isContinuation(std::uint8_t b) {
    return (b & 0xC0u) == 0x80u;
}

// The length of the well-formed UTF-8 sequence at `i` (1 to 4), or, when it is ill-formed,
// minus the length of its maximal subpart (the bytes that one U+FFFD replaces, as Unicode's
// "substitution of maximal subparts" counts them: at least 1). `*code` gets the code point of a
// well-formed sequence.
int utf8Sequence(std::string_view bytes, std::size_t i, char32_t* code) {
    const std::uint8_t lead = byteAt(bytes, i);
    if (lead < 0x80u) {
        *code = lead;
        return 1;
    }
    int length = 0;
    std::uint8_t low = 0x80u;  // the range of the second byte
    std::uint8_t high = 0xBFu;
    char32_t value = 0;
    if (lead >= 0xC2u && lead <= 0xDFu) {
        length = 2;
        value = lead & 0x1Fu;
    } else if (lead >= 0xE0u && lead <= 0xEFu) {
        length = 3;
        value = lead & 0x0Fu;
        if (lead == 0xE0u) low = 0xA0u;   // no overlong forms
        if (lead == 0xEDu) high = 0x9Fu;  // no surrogates
    } else if (lead >= 0xF0u && lead <= 0xF4u) {
        length = 4;
        value = lead & 0x07u;
        if (lead == 0xF0u) low = 0x90u;   // no overlong forms
        if (lead == 0xF4u) high = 0x8Fu;  // nothing above U+10FFFF
    } else {
        return -1;
    }
    for (int k = 1; k < length; ++k) {
        if (i + static_cast<std::size_t>(k) >= bytes.size()) return -k;
        const std::uint8_t b = byteAt(bytes, i + static_cast<std::size_t>(k));
        if (k == 1 ? (b < low || b > high) : !isContinuation(b)) return -k;
        value = (value << 6) | (b & 0x3Fu);
    }
    *code = value;
    return length;
}

// Decodes all of `bytes` as UTF-8, every maximal ill-formed subpart becoming one U+FFFD.
void decodeUtf8Lenient(std::string_view bytes, DecodedText& out) {
    out.text.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        char32_t code = 0;
        const int n = utf8Sequence(bytes, i, &code);
        if (n > 0) {
            out.text.push_back(code);
            i += static_cast<std::size_t>(n);
        } else {
            out.text.push_back(kReplacement);
            ++out.undecodable;
            i += static_cast<std::size_t>(-n);
        }
    }
}

enum class Utf8Verdict { Invalid, Ascii, MultiByte };

// Decodes `bytes` as UTF-8 into `text`, stopping at the first ill-formed sequence.
Utf8Verdict decodeUtf8Strict(std::string_view bytes, std::u32string& text) {
    text.resize(bytes.size());
    char32_t* out = text.data();
    bool multiByte = false;
    std::size_t i = 0;
    const std::size_t size = bytes.size();
    while (i < size) {
        // ASCII runs, the bulk of most files, eight bytes at a time.
        while (i + 8 <= size) {
            std::uint64_t word = 0;
            std::memcpy(&word, bytes.data() + i, 8);
            if ((word & 0x8080808080808080ull) != 0) break;
            for (int k = 0; k < 8; ++k) *out++ = static_cast<unsigned char>(bytes[i + k]);
            i += 8;
        }
        if (i >= size) break;
        char32_t code = 0;
        const int n = utf8Sequence(bytes, i, &code);
        if (n <= 0) return Utf8Verdict::Invalid;
        if (n > 1) multiByte = true;
        *out++ = code;
        i += static_cast<std::size_t>(n);
    }
    text.resize(static_cast<std::size_t>(out - text.data()));
    return multiByte ? Utf8Verdict::MultiByte : Utf8Verdict::Ascii;
}

void decodeUtf16(std::string_view bytes, bool bigEndian, DecodedText& out) {
    out.text.reserve(bytes.size() / 2 + 1);
    const auto unitAt = [&](std::size_t i) -> char32_t {
        const char32_t a = byteAt(bytes, i);
        const char32_t b = byteAt(bytes, i + 1);
        return bigEndian ? (a << 8) | b : (b << 8) | a;
    };
    std::size_t i = 0;
    while (i + 1 < bytes.size()) {
        const char32_t unit = unitAt(i);
        i += 2;
        if (unit < 0xD800u || unit > 0xDFFFu) {
            out.text.push_back(unit);
        } else if (unit <= 0xDBFFu && i + 1 < bytes.size() && unitAt(i) >= 0xDC00u &&
                   unitAt(i) <= 0xDFFFu) {
            out.text.push_back(0x10000u + ((unit - 0xD800u) << 10) + (unitAt(i) - 0xDC00u));
            i += 2;
        } else {
            out.text.push_back(kReplacement);  // a lone surrogate
            ++out.undecodable;
        }
    }
    if (i < bytes.size()) {  // an odd byte at the end
        out.text.push_back(kReplacement);
        ++out.undecodable;
    }
}

bool isCp932LeadByte(std::uint8_t b) {
    return (b >= 0x81u && b <= 0x9Fu) || (b >= 0xE0u && b <= 0xFCu);
}

// CP932 through glibc iconv, whose "CP932" is Microsoft's table (0x8160 U+FF5E, 0x815C
// U+2015, 0x8161 U+2225, 0x817C U+FF0D, 0x8191 U+FFE0, 0x81CA U+FFE2, NEC and IBM extensions,
// F040-F9FC to the private use area U+E000-E757), the same as Windows and Python's cp932 for
// every double-byte code. The single bytes 80, A0 and FD-FF, which Windows fills with U+0080
// and U+F8F0-F8F3, are not text and become U+FFFD here.
//
// iconv converts the whole input in one call until it meets a byte it cannot decode; that
// byte (or lead byte and trail byte) becomes U+FFFD and the call resumes after it. A lead
// byte followed by an ASCII byte is one bad byte (the ASCII byte is read on its own, as the
// WHATWG decoder does); followed by any other byte, the pair is one bad sequence.
void decodeCp932(std::string_view bytes, DecodedText& out) {
    static constexpr const char* kUtf32 =
        std::endian::native == std::endian::little ? "UTF-32LE" : "UTF-32BE";
    const iconv_t cd = iconv_open(kUtf32, "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        // No converter: every non-ASCII byte is undecodable, the rest still readable.
        out.text.reserve(bytes.size());
        for (const char c : bytes) {
            const auto b = static_cast<std::uint8_t>(c);
            if (b < 0x80u) {
                out.text.push_back(b);
            } else {
                out.text.push_back(kReplacement);
                ++out.undecodable;
            }
        }
        return;
    }

    // Every byte gives at most one code point, so the text never needs more room than this.
    out.text.resize(bytes.size());
    char* in = const_cast<char*>(bytes.data());  // iconv's signature; it does not write there
    std::size_t inLeft = bytes.size();
    char* const outStart = reinterpret_cast<char*>(out.text.data());
    char* outPtr = outStart;
    std::size_t outLeft = out.text.size() * sizeof(char32_t);
    const auto putReplacement = [&] {
        std::memcpy(outPtr, &kReplacement, sizeof kReplacement);
        outPtr += sizeof kReplacement;
        outLeft -= sizeof kReplacement;
        ++out.undecodable;
    };
    while (inLeft > 0) {
        const std::size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        if (result != static_cast<std::size_t>(-1)) break;
        if (errno == EILSEQ) {
            const auto b = static_cast<std::uint8_t>(*in);
            std::size_t skip = 1;
            if (isCp932LeadByte(b) && inLeft >= 2 && static_cast<std::uint8_t>(in[1]) >= 0x80u)
                skip = 2;
            putReplacement();
            in += skip;
            inLeft -= skip;
        } else if (errno == EINVAL) {
            // A lead byte cut off by the end of the input.
            putReplacement();
            in += inLeft;
            inLeft = 0;
        } else {
            // E2BIG cannot happen (one code point per byte at most); anything else ends
            // the decoding with the rest undecodable rather than lost.
            while (inLeft > 0 && outLeft >= sizeof(char32_t)) {
                putReplacement();
                ++in;
                --inLeft;
            }
            break;
        }
    }
    iconv_close(cd);
    out.text.resize(static_cast<std::size_t>(outPtr - outStart) / sizeof(char32_t));
}

bool startsWith(std::string_view bytes, std::string_view prefix) {
    return bytes.substr(0, prefix.size()) == prefix;
}

}  // namespace

DecodedText decodeText(std::string_view bytes) {
    DecodedText out;
    if (startsWith(bytes, "\xEF\xBB\xBF")) {
        out.encoding = "utf-8-bom";
        decodeUtf8Lenient(bytes.substr(3), out);
        return out;
    }
    if (startsWith(bytes, "\xFF\xFE")) {
        out.encoding = "utf-16le";
        decodeUtf16(bytes.substr(2), false, out);
        return out;
    }
    if (startsWith(bytes, "\xFE\xFF")) {
        out.encoding = "utf-16be";
        decodeUtf16(bytes.substr(2), true, out);
        return out;
    }
    switch (decodeUtf8Strict(bytes, out.text)) {
        case Utf8Verdict::MultiByte:
            out.encoding = "utf-8";
            return out;
        case Utf8Verdict::Ascii:
            // ASCII reads the same in CP932 (5C is U+005C and 7E U+007E there too).
            out.encoding = "cp932";
            return out;
        case Utf8Verdict::Invalid:
            break;
    }
    out.text.clear();
    out.encoding = "cp932";
    decodeCp932(bytes, out);
    return out;
}

}  // namespace tavelo::prose
