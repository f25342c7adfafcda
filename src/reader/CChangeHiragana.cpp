#include "CChangeHiragana.h"

#include <optional>
#include <string_view>

#include "common/CheckedArithmetic.h"
#include "common/MessageSink.h"

namespace tavelo {
namespace {

constexpr char16_t kVoicedMark = u'ﾞ';
constexpr char16_t kSemiVoicedMark = u'ﾟ';
constexpr char16_t kLowLine = u'_';
constexpr char16_t kFullSpace = u'　';
constexpr char16_t kQuestion = u'？';

// Full-width forms of the half-width katakana block U+FF61..U+FF9F.
constexpr char16_t kFullWidthKatakana[] =
    u"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノ"
    u"ハヒフヘホマミムメモヤユヨラリルレロワン゛゜";
static_assert(sizeof kFullWidthKatakana / sizeof(char16_t) == 0xFF9F - 0xFF61 + 2);

constexpr std::u16string_view kVoicedFrom = u"ｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾊﾋﾌﾍﾎ";
constexpr std::u16string_view kVoicedTo = u"がぎぐげござじずぜぞだぢづでどばびぶべぼ";
constexpr std::u16string_view kSemiVoicedFrom = u"ﾊﾋﾌﾍﾎ";
constexpr std::u16string_view kSemiVoicedTo = u"ぱぴぷぺぽ";

char16_t toFullWidth(char16_t c) {
    if (c >= 0xFF61 && c <= 0xFF9F) return kFullWidthKatakana[c - 0xFF61];
    if (c >= 0x21 && c <= 0x7E) return static_cast<char16_t>(c - 0x21 + 0xFF01);
    if (c == u' ') return kFullSpace;
    return c;
}

}  // namespace

char16_t CChangeHiragana::toHiragana(char16_t c) {
    const char16_t wide = toFullWidth(c);
    if (wide >= 0x30A1 && wide <= 0x30F3) return static_cast<char16_t>(wide - 0x60);
    return wide;
}

Integer CChangeHiragana::LenHiragana() {
    lenHiragana_ = checked::toInteger(static_cast<std::int64_t>(hiragana_.size()));
    return lenHiragana_;
}

void CChangeHiragana::Clear() {
    hiragana_.clear();
    lenHiragana_ = 0;
}

void CChangeHiragana::ChangeHiragana(const String& vHankana) {
    // The loop counter is an Integer: a longer run overflows before the first character.
    const Integer count = checked::toInteger(static_cast<std::int64_t>(vHankana.size()));
    // The kana waiting for a possible voiced mark; 0 when none waits (no kana is 0).
    char16_t pending = 0;
    auto flush = [&] {
        if (pending != 0) {
            hiragana_.push_back(toHiragana(pending));
            pending = 0;
        }
    };
    for (Integer i = 0; i < count; ++i) {
        const char16_t c = vHankana[static_cast<std::size_t>(i)];
        if (c == kVoicedMark) {
            if (pending != 0) {
                const auto at = kVoicedFrom.find(pending);
                if (at != std::u16string_view::npos) {
                    hiragana_.push_back(kVoicedTo[at]);
                } else {
                    messages_.showMessage(u"濁点を付ける事が出来ない文字が使用されています。");
                    hiragana_.push_back(kQuestion);
                }
                pending = 0;
            } else {
                messages_.showMessage(u"濁点の前に文字が有りません。");
                hiragana_.push_back(kQuestion);
            }
        } else if (c == kSemiVoicedMark) {
            if (pending != 0) {
                const auto at = kSemiVoicedFrom.find(pending);
                if (at != std::u16string_view::npos) {
                    hiragana_.push_back(kSemiVoicedTo[at]);
                } else {
                    messages_.showMessage(u"半濁点を付ける事が出来ない文字が使用されています。");
                    hiragana_.push_back(kQuestion);
                }
                pending = 0;
            } else {
                messages_.showMessage(u"半濁点の前に文字が有りません。");
            }
        } else if (c == kLowLine) {
            flush();
            hiragana_.push_back(kFullSpace);
        } else {
            flush();
            pending = c;
        }
    }
    flush();
}

}  // namespace tavelo
