#include "CodePage932.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <mutex>
#include <stdexcept>

namespace tavelo {
namespace {

constexpr char16_t kMiddleDot = u'\u30FB';  // the code page's default character

// A decoded pair: one character, or two when the first byte is not a lead byte.
struct DecodedPair {
    std::array<char16_t, 2> chars{};
    std::uint8_t length = 0;
};

class IconvHandle {
public:
    IconvHandle(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error("iconv cannot convert between CP932 and UTF-16LE");
    }
    ~IconvHandle() { iconv_close(cd_); }
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;

    // Converts the whole input; false when iconv refuses any part of it.
    bool convert(const char* in, std::size_t inLength, char* out, std::size_t* outLength) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        auto* inPtr = const_cast<char*>(in);
        std::size_t inLeft = inLength;
        char* outPtr = out;
        std::size_t outLeft = *outLength;
        if (iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1))
            return false;
        *outLength -= outLeft;
        return inLeft == 0;
    }

private:
    iconv_t cd_;
};

// One row of the decoding table per lead byte, filled on first use.
class PairTable {
public:
    const DecodedPair& lookup(std::uint8_t lead, std::uint8_t trail) {
        std::call_once(rowFilled_[lead], [this, lead] { fillRow(lead); });
        return rows_[lead][trail];
    }

private:
    void fillRow(std::uint8_t lead) {
        IconvHandle iconv("UTF-16LE", "CP932");
        for (int trail = 0; trail < 256; ++trail) {
            const char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            char out[8];
            std::size_t outLength = sizeof out;
            DecodedPair& pair = rows_[lead][trail];
            if (iconv.convert(in, 2, out, &outLength) && outLength == 2) {
                pair.chars[0] = static_cast<char16_t>(static_cast<std::uint8_t>(out[0]) |
                                                      (static_cast<std::uint8_t>(out[1]) << 8));
                pair.length = 1;
            } else {
                pair.chars[0] = kMiddleDot;
                pair.length = 1;
            }
        }
    }

    std::array<std::once_flag, 256> rowFilled_;
    std::array<std::array<DecodedPair, 256>, 256> rows_{};
};

PairTable& pairTable() {
    static PairTable table;
    return table;
}

}  // namespace

bool CodePage932::isLeadByte(std::uint8_t byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

char16_t CodePage932::decodeSingle(std::uint8_t byte) {
    if (byte < 0x80) return static_cast<char16_t>(byte);
    if (byte >= 0xA1 && byte <= 0xDF) return static_cast<char16_t>(0xFF61 + (byte - 0xA1));
    switch (byte) {
        case 0x80:
            return u'\u0080';
        case 0xA0:
            return u'\uF8F0';
        case 0xFD:
            return u'\uF8F1';
        case 0xFE:
            return u'\uF8F2';
        case 0xFF:
            return u'\uF8F3';
        default:
            return kMiddleDot;  // a lead byte on its own
    }
}

String CodePage932::decodePair(std::uint8_t lead, std::uint8_t trail) {
    if (!isLeadByte(lead)) return String{decodeSingle(lead), decodeSingle(trail)};
    const DecodedPair& pair = pairTable().lookup(lead, trail);
    return String(pair.chars.data(), pair.length);
}

CodePage932::EncodedChar CodePage932::encodeChar(char16_t c) {
    // 0 marks a character not looked up yet; a looked-up entry keeps its length in bits 16+.
    static std::array<std::uint32_t, 0x10000> table{};
    static std::mutex mutex;
    static IconvHandle iconv("CP932", "UTF-16LE");
    const std::lock_guard lock(mutex);
    std::uint32_t& entry = table[c];
    if (entry == 0) {
        const char in[2] = {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
        char out[8];
        std::size_t outLength = sizeof out;
        if (iconv.convert(in, 2, out, &outLength) && (outLength == 1 || outLength == 2)) {
            entry =
                (static_cast<std::uint32_t>(outLength) << 16) | static_cast<std::uint8_t>(out[0]) |
                (outLength == 2 ? static_cast<std::uint32_t>(static_cast<std::uint8_t>(out[1])) << 8
                                : 0u);
        } else {
            entry = (1u << 16) | static_cast<std::uint8_t>('?');
        }
    }
    return EncodedChar{{static_cast<char>(entry & 0xFF), static_cast<char>((entry >> 8) & 0xFF)},
                       static_cast<int>(entry >> 16)};
}

String CodePage932::decode(std::string_view bytes) {
    String result;
    result.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<std::uint8_t>(bytes[i]);
        if (isLeadByte(byte) && i + 1 < bytes.size()) {
            result += decodePair(byte, static_cast<std::uint8_t>(bytes[++i]));
        } else {
            result.push_back(decodeSingle(byte));
        }
    }
    return result;
}

std::size_t CodePage932::encodeMarkingMissing(std::u16string_view text, std::string& out) {
    constexpr char kGeta[] = {static_cast<char>(0x81), static_cast<char>(0xAC)};
    std::size_t replaced = 0;
    out.reserve(out.size() + text.size() * 2);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const bool surrogate = c >= 0xD800 && c <= 0xDFFF;
        const EncodedChar encoded = surrogate ? EncodedChar{{'?', 0}, 1} : encodeChar(c);
        if (encoded.length == 1 && encoded.bytes[0] == '?' && c != u'?') {
            out.append(kGeta, 2);
            ++replaced;
            // A pair stands for one character.
            if (c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
                text[i + 1] <= 0xDFFF)
                ++i;
        } else {
            out.append(encoded.bytes, static_cast<std::size_t>(encoded.length));
        }
    }
    return replaced;
}

std::string CodePage932::encode(const String& text) {
    std::string result;
    result.reserve(text.size() * 2);
    for (char16_t c : text) {
        const EncodedChar encoded = encodeChar(c);
        result.append(encoded.bytes, static_cast<std::size_t>(encoded.length));
    }
    return result;
}

}  // namespace tavelo
