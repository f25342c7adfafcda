#pragma once

#include <optional>
#include <string>
#include <string_view>

// The small vocabulary of Aozora Bunko's notation that the reader looks words up in: the
// scripts an implicit ruby base is made of, the counts written in notes, and the names of the
// styles a ［＃…］ note can put on a span of text.
namespace tavelo::prose::aozora {

// The scripts a ruby base without ｜ runs over: the reading covers the run of one script
// before 《. Kanji includes 々〆〇ヶ仝〻 (and every gaiji, which the reader decides itself).
enum class Script { None, Kanji, Katakana, Hiragana, Latin, Greek, Cyrillic };

[[nodiscard]] Script scriptOf(char32_t c);

// A count at the start of `text` written in ASCII or full-width digits or in kanji numerals
// (三, 十二, 二十); `length` is set to the characters it took. Nothing when there is none.
// Counts are capped at 9999, far beyond any indent a page can show.
[[nodiscard]] std::optional<int> leadingCount(std::u32string_view text, std::size_t& length);

// A style a note puts on text: its kind (傍点, 傍線, 縦中横, 太字, 斜体, 大きな文字, 小さな文字,
// 小書き, 横組み, 割り注) and the name as written (白ゴマ傍点, 二重傍線, ３段階大きな文字, …).
// "左に" before a 傍点 or 傍線 name keeps the kind and is kept in the value.
struct Style {
    std::u32string kind;
    std::u32string value;
};

[[nodiscard]] std::optional<Style> styleNamed(std::u32string_view name);

// 大見出し, 中見出し, 小見出し and their 窓 and 同行 forms: the level, else 0 (1 large, 2
// medium, 3 small).
[[nodiscard]] int headingLevelNamed(std::u32string_view name);

// A line of hyphens: the rule Aozora Bunko draws around the explanation of its signs.
[[nodiscard]] bool isHyphenLine(std::u32string_view line);

}  // namespace tavelo::prose::aozora
