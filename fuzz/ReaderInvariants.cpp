#include "ReaderInvariants.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

#include "ReadDocument.h"
#include "common/Error.h"
#include "common/Utf8.h"
#include "reader/CBunInfoPage.h"
#include "reader/CFileChangeTlData.h"
#include "reader/InputConversion.h"
#include "reader/RubiInfo.h"

namespace tavelo::fuzzing {
namespace {

constexpr std::size_t kLastWalkableSize = CFileChangeTlData::kMaxBytes + 1;
constexpr int kMaxLines = CBunInfoPage::kMaxLines;
constexpr int kMaxCells = CBunInfoPage::kMaxCells;

const std::array<std::u16string_view, 7> kKnownMessages = {
    u"ﾌｫﾝﾄ情報がありません！",
    u"ルビにする漢字がありません。",
    u"1文字以外",
    u"濁点を付ける事が出来ない文字が使用されています。",
    u"濁点の前に文字が有りません。",
    u"半濁点を付ける事が出来ない文字が使用されています。",
    u"半濁点の前に文字が有りません。",
};

bool isHalfWidthKatakana(char16_t c) {
    return c >= 0xFF61 && c <= 0xFF9F;
}

bool isTypefaceNameCharacter(char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') ||
           c == u'-' || c == u' ';
}

// A lead byte of a double-byte character: the only way into the body.
bool isLeadByte(std::uint8_t b) {
    return (b >= 0x81 && b <= 0xEA) || (b >= 0xF0 && b <= 0xF9);
}

// The lines of the file as an editor counts them: the appended CR LF ends an open last line.
long linesOf(const std::vector<std::uint8_t>& input) {
    const long lineFeeds = static_cast<long>(std::count(input.begin(), input.end(), 10));
    return lineFeeds + (!input.empty() && input.back() != 10 ? 1 : 0);
}

// The standard line length the page derives from its longest ended line.
Integer standardLength(Integer maxBunDan) {
    if (maxBunDan >= 8 && maxBunDan % 2 == 0) return maxBunDan;
    if (maxBunDan >= 9) return static_cast<Integer>(maxBunDan - 1);
    return 8;
}

class Collector {
public:
    void fail(const char* name, const std::string& detail) {
        found_.push_back(std::string(name) + ": " + detail);
    }
    std::vector<std::string> take() { return std::move(found_); }

private:
    std::vector<std::string> found_;
};

std::string at(std::size_t line) {
    return "line " + std::to_string(line);
}

void checkFailure(const ReadDocument& d, Collector& c) {
    if (d.errorNumber && *d.errorNumber != Error::kOverflow &&
        *d.errorNumber != Error::kSubscriptOutOfRange)
        c.fail("failure", "error " + std::to_string(*d.errorNumber) + " is no limit of the format");

    if (d.bufferSize > kLastWalkableSize) {
        if (d.errorNumber != Error::kOverflow || d.GyouArraySize != 0 || d.failureLine != 0)
            c.fail("overflow", "a buffer of " + std::to_string(d.bufferSize) +
                                   " bytes must overflow before its first byte");
    } else if (d.bufferSize == kLastWalkableSize) {
        if (!d.errorNumber) c.fail("overflow", "a buffer reaching index 32767 must fail");
    } else if (d.errorNumber == Error::kOverflow) {
        c.fail("overflow", "a buffer of " + std::to_string(d.bufferSize) + " bytes overflowed");
    }

    const long lines = linesOf(d.input);
    if (!d.errorNumber && d.failureLine != 0)
        c.fail("failureLine", "a parse without failure reports " + at(d.failureLine));
    if (d.errorNumber && d.bufferSize <= kLastWalkableSize &&
        (d.failureLine < 1 || d.failureLine > lines))
        c.fail("failureLine", "reports " + at(d.failureLine) + " of a file of " +
                                  std::to_string(lines) + " lines");
}

void checkCounts(const ReadDocument& d, Collector& c) {
    if (d.GyouArraySize < 0 || d.GyouArraySize > kMaxLines)
        c.fail("counts", "GyouArraySize " + std::to_string(d.GyouArraySize));
    if (d.MaxBunDan < 0 || d.MaxBunDan > kMaxCells)
        c.fail("counts", "MaxBunDan " + std::to_string(d.MaxBunDan));
    if (d.lines.size() != static_cast<std::size_t>(std::max<Integer>(d.GyouArraySize, 0)))
        c.fail("counts", std::to_string(d.lines.size()) + " lines read for GyouArraySize " +
                             std::to_string(d.GyouArraySize));
}

void checkLines(const ReadDocument& d, Collector& c) {
    const bool outOfRange = d.errorNumber == Error::kSubscriptOutOfRange;
    int longest = 0;
    int longestBeforeLast = 0;
    for (std::size_t i = 0; i < d.lines.size(); ++i) {
        const ReadDocument::Line& line = d.lines[i];
        const std::size_t g = i + 1;
        if (!line.Bun || !line.LenBunDan || !line.Rubi || !line.LenRubiDan) {
            c.fail("lineReadable", at(g) + " cannot be read back");
            continue;
        }
        if (static_cast<std::size_t>(*line.LenBunDan) != line.Bun->size())
            c.fail("lineReadable", at(g) + ": LenBunDan differs from the length of Bun");
        if (static_cast<std::size_t>(*line.LenRubiDan) != line.Rubi->size())
            c.fail("lineReadable", at(g) + ": LenRubiDan differs from the length of Rubi");

        // The cell that fails is appended before it fails, and only on the line being filled.
        const bool failedHere = outOfRange && g == d.lines.size();
        if (*line.LenBunDan > kMaxCells + (failedHere ? 1 : 0))
            c.fail("cells", at(g) + " holds " + std::to_string(*line.LenBunDan) + " cells");
        if (*line.LenRubiDan > RubiInfo::kMaxSlots)
            c.fail("slots", at(g) + " holds " + std::to_string(*line.LenRubiDan) + " slots");

        longest = std::max<int>(longest, *line.LenBunDan);
        if (g < d.lines.size()) longestBeforeLast = longest;
    }

    // Every line before the last one holding text has ended; after a clean parse the last has
    // ended too.
    if (!d.errorNumber && d.MaxBunDan != longest)
        c.fail("maxBunDan", "MaxBunDan " + std::to_string(d.MaxBunDan) +
                                " differs from the longest line, " + std::to_string(longest));
    if (d.errorNumber && (d.MaxBunDan > longest || d.MaxBunDan < longestBeforeLast))
        c.fail("maxBunDan", "MaxBunDan " + std::to_string(d.MaxBunDan) +
                                " lies outside the ended lines' lengths");

    if (d.Plusminus1MaxLenDan != standardLength(d.MaxBunDan))
        c.fail("standardLength",
               "Plusminus1MaxLenDan " +
                   (d.Plusminus1MaxLenDan ? std::to_string(*d.Plusminus1MaxLenDan) : "unreadable") +
                   " for MaxBunDan " + std::to_string(d.MaxBunDan));
}

void checkTypefaces(const ReadDocument& d, Collector& c) {
    auto cell = [](std::size_t i, std::size_t k) {
        return at(i + 1) + " cell " + std::to_string(k + 1);
    };
    for (std::size_t i = 0; i < d.lines.size(); ++i) {
        const ReadDocument::Line& line = d.lines[i];
        const int written = std::min<int>(line.LenBunDan.value_or(0), kMaxCells);
        for (std::size_t k = 0; k < line.FontData.size(); ++k) {
            if (!line.FontData[k]) {
                c.fail("typeface", cell(i, k) + " cannot be read back");
                continue;
            }
            const String& face = *line.FontData[k];
            if (face.empty()) {
                if (static_cast<int>(k) < written)
                    c.fail("typeface", cell(i, k) + " holds text but no typeface");
                continue;
            }
            if (face == u"@ＭＳ 明朝" || face == u"0") continue;
            if (!std::all_of(face.begin(), face.end(), isTypefaceNameCharacter) || face[0] == u' ')
                c.fail("typeface", cell(i, k) + " has the name \"" + utf8::fromUtf16(face) + "\"");
        }
    }
}

void checkRuby(const ReadDocument& d, Collector& c) {
    auto slot = [](std::size_t i, std::size_t k) {
        return at(i + 1) + " slot " + std::to_string(k + 1);
    };
    for (std::size_t i = 0; i < d.lines.size(); ++i) {
        const ReadDocument::Line& line = d.lines[i];
        const int length = line.LenRubiDan.value_or(0);
        for (std::size_t k = 0; k < line.IsKanjiRubi.size(); ++k) {
            const auto& flag = line.IsKanjiRubi[k];
            if (!flag)
                c.fail("kanjiFlags", slot(i, k) + " cannot be read back");
            else if (*flag != kTrueFlag && *flag != kFalseFlag)
                c.fail("kanjiFlags", slot(i, k) + " has the flag " + std::to_string(*flag));
            else if (*flag == kTrueFlag && static_cast<int>(k) >= length)
                c.fail("kanjiFlags", slot(i, k) + " is flagged beyond the line's ruby");
        }
    }
}

void checkTexts(const ReadDocument& d, Collector& c) {
    auto validText = [&](const String& text, const std::string& where) {
        if (utf8::toUtf16(utf8::fromUtf16(text)) != text)
            c.fail("validText", where + " does not survive the conversion to UTF-8");
    };
    for (std::size_t i = 0; i < d.lines.size(); ++i) {
        const ReadDocument::Line& line = d.lines[i];
        if (line.Bun) {
            // Half-width characters never enter the body: they are ruby or typeface entries.
            for (char16_t ch : *line.Bun)
                if (ch < 0x80 || isHalfWidthKatakana(ch)) {
                    c.fail("bodyText", at(i + 1) + " holds a half-width character");
                    break;
                }
            validText(*line.Bun, at(i + 1) + " Bun");
        }
        if (line.Rubi) {
            // Half-width katakana are converted to hiragana; a half-width space may stay.
            for (char16_t ch : *line.Rubi)
                if ((ch < 0x80 && ch != u' ') || isHalfWidthKatakana(ch)) {
                    c.fail("rubyText", at(i + 1) + " holds an unconverted half-width character");
                    break;
                }
            validText(*line.Rubi, at(i + 1) + " Rubi");
        }
    }
    for (const String& message : d.messages) {
        if (std::find(kKnownMessages.begin(), kKnownMessages.end(), message) ==
            kKnownMessages.end())
            c.fail("messages", "\"" + utf8::fromUtf16(message) + "\" is no message of the reader");
    }
    // The parse sees the bytes as converted: a UTF-8 file's characters are double-byte then.
    std::vector<std::uint8_t> parsed = d.input;
    (void)InputConversion::apply(parsed);
    if (std::none_of(parsed.begin(), parsed.end(), isLeadByte) &&
        (d.GyouArraySize != 0 || d.MaxBunDan != 0))
        c.fail("noDoubleByte", "a file without double-byte characters has body text");
}

}  // namespace

std::vector<std::string> ReaderInvariants::violations(const ReadDocument& document) {
    Collector collector;
    checkFailure(document, collector);
    checkCounts(document, collector);
    checkLines(document, collector);
    checkTypefaces(document, collector);
    checkRuby(document, collector);
    checkTexts(document, collector);
    return collector.take();
}

}  // namespace tavelo::fuzzing
