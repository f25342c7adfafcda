#include "prose/AozoraNotation.h"

#include <algorithm>
#include <array>

namespace tavelo::prose::aozora {

Script scriptOf(char32_t c) {
    if ((c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF) ||
        (c >= 0xF900 && c <= 0xFAFF) || (c >= 0x20000 && c <= 0x3FFFF))
        return Script::Kanji;
    switch (c) {
        case U'々':
        case U'〆':
        case U'〇':
        case U'ヶ':
        case U'仝':
        case U'〻':
        case U'〓':
            return Script::Kanji;
        default:
            break;
    }
    if ((c >= 0x30A1 && c <= 0x30FA) || (c >= 0x30FC && c <= 0x30FE) ||
        (c >= 0xFF66 && c <= 0xFF9F) || (c >= 0x31F0 && c <= 0x31FF))
        return Script::Katakana;
    if ((c >= 0x3041 && c <= 0x3096) || c == 0x309D || c == 0x309E) return Script::Hiragana;
    if ((c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z') || (c >= U'0' && c <= U'9') ||
        (c >= 0xFF21 && c <= 0xFF3A) || (c >= 0xFF41 && c <= 0xFF5A) ||
        (c >= 0xFF10 && c <= 0xFF19) || (c >= 0x00C0 && c <= 0x024F && c != 0xD7 && c != 0xF7))
        return Script::Latin;
    if (c >= 0x0370 && c <= 0x03FF) return Script::Greek;
    if (c >= 0x0400 && c <= 0x04FF) return Script::Cyrillic;
    return Script::None;
}

namespace {

constexpr int kMaxCount = 9999;

int kanjiDigit(char32_t c) {
    constexpr std::u32string_view digits = U"〇一二三四五六七八九";
    const auto at = digits.find(c);
    return at == std::u32string_view::npos ? -1 : static_cast<int>(at);
}

}  // namespace

std::optional<int> leadingCount(std::u32string_view text, std::size_t& length) {
    length = 0;
    int value = 0;
    bool any = false;
    for (; length < text.size(); ++length) {
        const char32_t c = text[length];
        int digit = -1;
        if (c >= U'0' && c <= U'9') digit = static_cast<int>(c - U'0');
        if (c >= U'０' && c <= U'９') digit = static_cast<int>(c - U'０');
        if (digit < 0) break;
        value = std::min(kMaxCount, value * 10 + digit);
        any = true;
    }
    if (any) return value;
    // Kanji numerals: 三, 十, 十二, 二十, 二十三; a plain run of digits (一〇) reads positionally.
    int tens = 0;
    int units = -1;
    for (; length < text.size(); ++length) {
        const char32_t c = text[length];
        if (c == U'十') {
            if (tens) break;
            tens = (units < 0 ? 1 : units) * 10;
            units = -1;
            any = true;
            continue;
        }
        const int digit = kanjiDigit(c);
        if (digit < 0) break;
        units = units < 0 || tens ? digit : std::min(kMaxCount, units * 10 + digit);
        any = true;
    }
    if (!any) return std::nullopt;
    return std::min(kMaxCount, tens + std::max(units, 0));
}

namespace {

struct StyleEntry {
    std::u32string_view name;
    std::u32string_view kind;
};

constexpr std::array<StyleEntry, 26> kStyles{{
    {U"傍点", U"傍点"},           {U"白ゴマ傍点", U"傍点"},   {U"丸傍点", U"傍点"},
    {U"白丸傍点", U"傍点"},       {U"黒三角傍点", U"傍点"},   {U"白三角傍点", U"傍点"},
    {U"二重丸傍点", U"傍点"},     {U"蛇の目傍点", U"傍点"},   {U"ばつ傍点", U"傍点"},
    {U"×傍点", U"傍点"},          {U"傍線", U"傍線"},         {U"二重傍線", U"傍線"},
    {U"鎖線", U"傍線"},           {U"破線", U"傍線"},         {U"点線", U"傍線"},
    {U"波線", U"傍線"},           {U"縦中横", U"縦中横"},     {U"太字", U"太字"},
    {U"斜体", U"斜体"},           {U"小書き", U"小書き"},     {U"上付き小文字", U"小書き"},
    {U"下付き小文字", U"小書き"}, {U"行右小書き", U"小書き"}, {U"行左小書き", U"小書き"},
    {U"横組み", U"横組み"},       {U"割り注", U"割り注"},
}};

}  // namespace

std::optional<Style> styleNamed(std::u32string_view name) {
    for (const StyleEntry& entry : kStyles)
        if (entry.name == name) return Style{std::u32string(entry.kind), std::u32string(name)};
    constexpr std::u32string_view left = U"左に";
    if (name.starts_with(left)) {
        const auto inner = styleNamed(name.substr(left.size()));
        if (inner && (inner->kind == U"傍点" || inner->kind == U"傍線"))
            return Style{inner->kind, std::u32string(name)};
        return std::nullopt;
    }
    // Sizes: 大きな文字 / 小さな文字, with or without "N段階" before them.
    for (std::u32string_view kind :
         {std::u32string_view(U"大きな文字"), std::u32string_view(U"小さな文字")}) {
        if (!name.ends_with(kind)) continue;
        const auto steps = name.substr(0, name.size() - kind.size());
        std::size_t length = 0;
        if (steps.empty() || (leadingCount(steps, length) && steps.substr(length) == U"段階"))
            return Style{std::u32string(kind), std::u32string(name)};
    }
    return std::nullopt;
}

int headingLevelNamed(std::u32string_view name) {
    if (name.starts_with(U"窓"))
        name.remove_prefix(1);
    else if (name.starts_with(U"同行"))
        name.remove_prefix(2);
    if (name == U"大見出し") return 1;
    if (name == U"中見出し") return 2;
    if (name == U"小見出し") return 3;
    return 0;
}

bool isHyphenLine(std::u32string_view line) {
    if (line.size() < 2) return false;
    for (char32_t c : line)
        if (c != U'-' && c != U'－') return false;
    return true;
}

}  // namespace tavelo::prose::aozora
