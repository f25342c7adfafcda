#include "AccentNotation.h"

#include <array>

namespace tavelo::prose {
namespace {

struct AccentEntry {
    std::u32string_view notation;  // a letter (or two) and its mark
    char32_t letter;
    bool applied;  // false for the letter+' and letter+, entries that texts use as elisions
};

// Aozora Bunko's accent decomposition table, as published in 「青空文庫テキストへの「アクセント
// 分解」の適用」 (accent_separation.html, revised 2018-07-07), in its order: the small letters,
// the capitals, then the ligatures. Added at the end are ¡ and ¿ of the original conversion
// table (「アクセント付き文字の変換表」) that Aozora Bunko's tools also decode.
//
// Not applied (applied == false): the acute and cedilla entries of consonants, ć ĺ ḿ ń ŕ ś ź
// ş ţ and their capitals. In the texts, "l'", "n'", "s'", "c'" are far more often an elision
// (l'homme, n'est, c'est) or a letter before a comma than an accented letter.
constexpr std::array kAccentTable{
    // 【a】
    AccentEntry{U"a`", U'à', true},
    AccentEntry{U"a'", U'á', true},
    AccentEntry{U"a^", U'â', true},
    AccentEntry{U"a~", U'ã', true},
    AccentEntry{U"a:", U'ä', true},
    AccentEntry{U"a&", U'å', true},
    AccentEntry{U"a_", U'ā', true},
    // 【c】
    AccentEntry{U"c,", U'ç', true},
    AccentEntry{U"c'", U'ć', false},
    AccentEntry{U"c^", U'ĉ', true},
    // 【d】
    AccentEntry{U"d/", U'đ', true},
    // 【e】
    AccentEntry{U"e`", U'è', true},
    AccentEntry{U"e'", U'é', true},
    AccentEntry{U"e^", U'ê', true},
    AccentEntry{U"e:", U'ë', true},
    AccentEntry{U"e_", U'ē', true},
    AccentEntry{U"e~", U'ẽ', true},
    // 【g】
    AccentEntry{U"g^", U'ĝ', true},
    // 【h】
    AccentEntry{U"h^", U'ĥ', true},
    AccentEntry{U"h/", U'ħ', true},
    // 【i】
    AccentEntry{U"i`", U'ì', true},
    AccentEntry{U"i'", U'í', true},
    AccentEntry{U"i^", U'î', true},
    AccentEntry{U"i:", U'ï', true},
    AccentEntry{U"i_", U'ī', true},
    AccentEntry{U"i/", U'ɨ', true},
    AccentEntry{U"i~", U'ĩ', true},
    // 【j】
    AccentEntry{U"j^", U'ĵ', true},
    // 【l】
    AccentEntry{U"l/", U'ł', true},
    AccentEntry{U"l'", U'ĺ', false},
    // 【m】
    AccentEntry{U"m'", U'ḿ', false},
    // 【n】
    AccentEntry{U"n`", U'ǹ', true},
    AccentEntry{U"n~", U'ñ', true},
    AccentEntry{U"n'", U'ń', false},
    // 【o】
    AccentEntry{U"o`", U'ò', true},
    AccentEntry{U"o'", U'ó', true},
    AccentEntry{U"o^", U'ô', true},
    AccentEntry{U"o~", U'õ', true},
    AccentEntry{U"o:", U'ö', true},
    AccentEntry{U"o/", U'ø', true},
    AccentEntry{U"o_", U'ō', true},
    // 【r】
    AccentEntry{U"r'", U'ŕ', false},
    // 【s】
    AccentEntry{U"s'", U'ś', false},
    AccentEntry{U"s,", U'ş', false},
    AccentEntry{U"s^", U'ŝ', true},
    // 【t】
    AccentEntry{U"t,", U'ţ', false},
    // 【u】
    AccentEntry{U"u`", U'ù', true},
    AccentEntry{U"u'", U'ú', true},
    AccentEntry{U"u^", U'û', true},
    AccentEntry{U"u:", U'ü', true},
    AccentEntry{U"u_", U'ū', true},
    AccentEntry{U"u&", U'ů', true},
    AccentEntry{U"u~", U'ũ', true},
    // 【y】
    AccentEntry{U"y'", U'ý', true},
    AccentEntry{U"y:", U'ÿ', true},
    // 【z】
    AccentEntry{U"z'", U'ź', false},
    // 【A】
    AccentEntry{U"A`", U'À', true},
    AccentEntry{U"A'", U'Á', true},
    AccentEntry{U"A^", U'Â', true},
    AccentEntry{U"A~", U'Ã', true},
    AccentEntry{U"A:", U'Ä', true},
    AccentEntry{U"A&", U'Å', true},
    AccentEntry{U"A_", U'Ā', true},
    // 【C】
    AccentEntry{U"C,", U'Ç', true},
    AccentEntry{U"C'", U'Ć', false},
    AccentEntry{U"C^", U'Ĉ', true},
    // 【D】
    AccentEntry{U"D/", U'Đ', true},
    // 【E】
    AccentEntry{U"E`", U'È', true},
    AccentEntry{U"E'", U'É', true},
    AccentEntry{U"E^", U'Ê', true},
    AccentEntry{U"E:", U'Ë', true},
    AccentEntry{U"E_", U'Ē', true},
    AccentEntry{U"E~", U'Ẽ', true},
    // 【G】
    AccentEntry{U"G^", U'Ĝ', true},
    // 【H】
    AccentEntry{U"H^", U'Ĥ', true},
    // 【I】
    AccentEntry{U"I`", U'Ì', true},
    AccentEntry{U"I'", U'Í', true},
    AccentEntry{U"I^", U'Î', true},
    AccentEntry{U"I:", U'Ï', true},
    AccentEntry{U"I_", U'Ī', true},
    AccentEntry{U"I~", U'Ĩ', true},
    // 【J】
    AccentEntry{U"J^", U'Ĵ', true},
    // 【L】
    AccentEntry{U"L/", U'Ł', true},
    AccentEntry{U"L'", U'Ĺ', false},
    // 【M】
    AccentEntry{U"M'", U'Ḿ', false},
    // 【N】
    AccentEntry{U"N`", U'Ǹ', true},
    AccentEntry{U"N~", U'Ñ', true},
    AccentEntry{U"N'", U'Ń', false},
    // 【O】
    AccentEntry{U"O`", U'Ò', true},
    AccentEntry{U"O'", U'Ó', true},
    AccentEntry{U"O^", U'Ô', true},
    AccentEntry{U"O~", U'Õ', true},
    AccentEntry{U"O:", U'Ö', true},
    AccentEntry{U"O/", U'Ø', true},
    AccentEntry{U"O_", U'Ō', true},
    // 【R】
    AccentEntry{U"R'", U'Ŕ', false},
    // 【S】
    AccentEntry{U"S'", U'Ś', false},
    AccentEntry{U"S,", U'Ş', false},
    AccentEntry{U"S^", U'Ŝ', true},
    // 【T】
    AccentEntry{U"T,", U'Ţ', false},
    // 【U】
    AccentEntry{U"U`", U'Ù', true},
    AccentEntry{U"U'", U'Ú', true},
    AccentEntry{U"U^", U'Û', true},
    AccentEntry{U"U:", U'Ü', true},
    AccentEntry{U"U_", U'Ū', true},
    AccentEntry{U"U&", U'Ů', true},
    AccentEntry{U"U~", U'Ũ', true},
    // 【Y】
    AccentEntry{U"Y'", U'Ý', true},
    // 【Z】
    AccentEntry{U"Z'", U'Ź', false},
    // 【合字】
    AccentEntry{U"s&", U'ß', true},
    AccentEntry{U"ae&", U'æ', true},
    AccentEntry{U"AE&", U'Æ', true},
    AccentEntry{U"oe&", U'œ', true},
    AccentEntry{U"OE&", U'Œ', true},
    // The inverted marks of the original conversion table.
    AccentEntry{U"!@", U'¡', true},
    AccentEntry{U"?@", U'¿', true},
};

constexpr std::size_t kLongestNotation = 3;

// Every notation is two or three characters, unique in the table, and no applied one is a
// prefix of a longer one (so the longest match is the only match of its length).
consteval bool tableIsWellFormed() {
    for (std::size_t i = 0; i < kAccentTable.size(); ++i) {
        const std::u32string_view a = kAccentTable[i].notation;
        if (a.size() < 2 || a.size() > kLongestNotation) return false;
        for (std::size_t k = i + 1; k < kAccentTable.size(); ++k)
            if (kAccentTable[k].notation == a) return false;
    }
    return true;
}
static_assert(tableIsWellFormed());

// The entry whose notation starts `text` at `i`, the longest first; null when none does.
const AccentEntry* matchAt(std::u32string_view text, std::size_t i) {
    for (std::size_t length = kLongestNotation; length >= 2; --length) {
        if (i + length > text.size()) continue;
        const std::u32string_view candidate = text.substr(i, length);
        for (const AccentEntry& entry : kAccentTable)
            if (entry.notation == candidate) return &entry;
    }
    return nullptr;
}

// True for the characters that end every notation: the marks.
bool isMark(char32_t c) {
    switch (c) {
        case U'`':
        case U'\'':
        case U'^':
        case U'~':
        case U':':
        case U'&':
        case U'_':
        case U',':
        case U'/':
        case U'@':
            return true;
        default:
            return false;
    }
}

}  // namespace

AccentResult decodeAccents(std::u32string_view inside) {
    AccentResult result;
    result.text.reserve(inside.size());
    std::size_t i = 0;
    while (i < inside.size()) {
        // Only a mark one or two characters ahead can start a notation here.
        const bool markAhead = (i + 1 < inside.size() && isMark(inside[i + 1])) ||
                               (i + 2 < inside.size() && isMark(inside[i + 2]));
        if (markAhead) {
            if (const AccentEntry* entry = matchAt(inside, i); entry && entry->applied) {
                result.text.push_back(entry->letter);
                ++result.decoded;
                i += entry->notation.size();
                continue;
            }
        }
        result.text.push_back(inside[i]);
        ++i;
    }
    return result;
}

}  // namespace tavelo::prose
