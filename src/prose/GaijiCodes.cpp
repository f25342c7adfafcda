#include "GaijiCodes.h"

#include <iconv.h>

#include <array>
#include <bit>
#include <cstddef>
#include <cstring>

namespace tavelo::prose {
namespace {

// The converter from EUC-JISX0213 (JIS X 0213:2004 in glibc) to UTF-32, opened on first use
// and closed when the program ends. Not thread-safe: the notation reader is single-threaded.
class Jisx0213Converter {
public:
    Jisx0213Converter() = default;
    Jisx0213Converter(const Jisx0213Converter&) = delete;
    Jisx0213Converter& operator=(const Jisx0213Converter&) = delete;
    ~Jisx0213Converter() {
        if (opened()) iconv_close(cd_);
    }

    // The code points of the plane-row-cell code; nothing when glibc maps nothing there.
    std::optional<std::u32string> convert(int plane, int row, int cell) {
        if (!opened()) {
            static constexpr const char* kUtf32 =
                std::endian::native == std::endian::little ? "UTF-32LE" : "UTF-32BE";
            cd_ = iconv_open(kUtf32, "EUC-JISX0213");
            if (!opened()) return std::nullopt;
        }
        std::array<char, 3> bytes{};
        std::size_t length = 0;
        if (plane == 2) bytes[length++] = static_cast<char>(0x8F);
        bytes[length++] = static_cast<char>(0xA0 + row);
        bytes[length++] = static_cast<char>(0xA0 + cell);

        iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // the initial state
        std::array<char32_t, 4> codes{};
        char* in = bytes.data();
        std::size_t inLeft = length;
        char* out = reinterpret_cast<char*>(codes.data());
        std::size_t outLeft = sizeof codes;
        if (iconv(cd_, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0)
            return std::nullopt;
        if (iconv(cd_, nullptr, nullptr, &out, &outLeft) == static_cast<std::size_t>(-1))
            return std::nullopt;
        const std::size_t count = (sizeof codes - outLeft) / sizeof(char32_t);
        if (count == 0) return std::nullopt;
        std::u32string result(codes.data(), count);
        if (result.find(U'\uFFFD') != std::u32string::npos) return std::nullopt;
        return result;
    }

private:
    [[nodiscard]] bool opened() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    iconv_t cd_ = reinterpret_cast<iconv_t>(-1);
};

Jisx0213Converter& converter() {
    static Jisx0213Converter instance;
    return instance;
}

// The value of an ASCII or full-width decimal digit, or -1.
int digitValue(char32_t c) {
    if (c >= U'0' && c <= U'9') return static_cast<int>(c - U'0');
    if (c >= U'０' && c <= U'９') return static_cast<int>(c - U'０');
    return -1;
}

bool isHyphen(char32_t c) {
    return c == U'-' || c == U'－' || c == U'‐' || c == U'−';
}

// A decimal number (up to three digits) at `i`; advances `i` past it.
std::optional<int> readNumber(std::u32string_view s, std::size_t& i) {
    int value = 0;
    std::size_t digits = 0;
    while (i < s.size() && digitValue(s[i]) >= 0) {
        if (++digits > 3) return std::nullopt;
        value = value * 10 + digitValue(s[i]);
        ++i;
    }
    if (digits == 0) return std::nullopt;
    return value;
}

struct PlaneRowCell {
    int plane = 0;
    int row = 0;
    int cell = 0;
};

// "P-R-C" exactly at `start`, standing alone (no digit or hyphen right after it), with a plane
// of 1 or 2 and a row and a cell of 1 to 94.
std::optional<PlaneRowCell> readPlaneRowCell(std::u32string_view s, std::size_t start) {
    std::size_t i = start;
    std::array<int, 3> parts{};
    for (std::size_t k = 0; k < parts.size(); ++k) {
        if (k > 0) {
            if (i >= s.size() || !isHyphen(s[i])) return std::nullopt;
            ++i;
        }
        const std::optional<int> number = readNumber(s, i);
        if (!number) return std::nullopt;
        parts[k] = *number;
    }
    if (i < s.size() && (digitValue(s[i]) >= 0 || isHyphen(s[i]))) return std::nullopt;
    const PlaneRowCell code{parts[0], parts[1], parts[2]};
    if (code.plane < 1 || code.plane > 2) return std::nullopt;
    if (code.row < 1 || code.row > 94 || code.cell < 1 || code.cell > 94) return std::nullopt;
    return code;
}

// "第3水準P-R-C" or "第4水準P-R-C" (the level's digit ASCII or full-width).
std::optional<PlaneRowCell> findLevelCode(std::u32string_view body) {
    static constexpr std::u32string_view kLevel = U"水準";
    for (std::size_t at = body.find(kLevel); at != std::u32string_view::npos;
         at = body.find(kLevel, at + 1)) {
        if (at < 2 || body[at - 2] != U'第') continue;
        const int level = digitValue(body[at - 1]);
        if (level != 3 && level != 4) continue;
        if (auto code = readPlaneRowCell(body, at + kLevel.size())) return code;
    }
    return std::nullopt;
}

// A bare "P-R-C" after "、" or at the start, as Aozora Bunko writes the codes of characters
// that are not kanji (※［＃二の字点、1-2-22］), which carry no 第N水準.
std::optional<PlaneRowCell> findBareCode(std::u32string_view body) {
    for (std::size_t i = 0; i < body.size(); ++i) {
        if (digitValue(body[i]) < 0) continue;
        if (i > 0 && body[i - 1] != U'、') continue;
        if (auto code = readPlaneRowCell(body, i)) return code;
    }
    return std::nullopt;
}

int hexValue(char32_t c) {
    if (c >= U'0' && c <= U'9') return static_cast<int>(c - U'0');
    if (c >= U'a' && c <= U'f') return static_cast<int>(c - U'a') + 10;
    if (c >= U'A' && c <= U'F') return static_cast<int>(c - U'A') + 10;
    return -1;
}

// "U+XXXX" or "u+xxxx" (four to six hex digits) anywhere, naming a character: not a
// surrogate, not beyond U+10FFFF, not U+0000.
std::optional<char32_t> findUnicodeCode(std::u32string_view body) {
    for (std::size_t i = 0; i + 2 < body.size(); ++i) {
        if ((body[i] != U'U' && body[i] != U'u') || body[i + 1] != U'+') continue;
        std::size_t k = i + 2;
        char32_t value = 0;
        std::size_t digits = 0;
        while (k < body.size() && hexValue(body[k]) >= 0 && digits <= 6) {
            value = value * 16 + static_cast<char32_t>(hexValue(body[k]));
            ++digits;
            ++k;
        }
        if (digits < 4 || digits > 6) continue;
        if (value == 0 || value > 0x10FFFFu || (value >= 0xD800u && value <= 0xDFFFu)) continue;
        return value;
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::u32string> gaijiCharacter(std::u32string_view noteBody) {
    if (const auto code = findLevelCode(noteBody)) {
        if (auto text = converter().convert(code->plane, code->row, code->cell)) return text;
    }
    if (const auto code = findUnicodeCode(noteBody)) return std::u32string(1, *code);
    if (const auto code = findBareCode(noteBody)) {
        if (auto text = converter().convert(code->plane, code->row, code->cell)) return text;
    }
    return std::nullopt;
}

}  // namespace tavelo::prose
