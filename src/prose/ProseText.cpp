#include "prose/ProseText.h"

#include <algorithm>

namespace tavelo::prose {

CharacterIndex::CharacterIndex(const ProseDocument& document) {
    starts_.reserve(document.paragraphs.size() + 1);
    long sum = 0;
    for (const Paragraph& paragraph : document.paragraphs) {
        starts_.push_back(sum);
        sum += static_cast<long>(paragraph.text.size());
    }
    starts_.push_back(sum);
}

long CharacterIndex::indexOf(Place place) const {
    const std::size_t paragraphs = starts_.size() - 1;
    if (place.paragraph >= paragraphs) return total();
    const long length = starts_[place.paragraph + 1] - starts_[place.paragraph];
    return starts_[place.paragraph] + std::min<long>(place.offset, length);
}

Place CharacterIndex::placeOf(long index) const {
    const std::size_t paragraphs = starts_.size() - 1;
    if (paragraphs == 0) return {};
    // The first paragraph that ends after the character: empty paragraphs before it are
    // passed over.
    const auto end = std::upper_bound(starts_.begin() + 1, starts_.end(), index);
    if (index < 0 || end == starts_.end()) {
        const std::size_t paragraph = index < 0 ? 0 : paragraphs - 1;
        return {paragraph, static_cast<Offset>(index < 0 ? 0 : total() - starts_[paragraph])};
    }
    const auto paragraph = static_cast<std::size_t>(end - (starts_.begin() + 1));
    return {paragraph, static_cast<Offset>(index - starts_[paragraph])};
}

std::pair<Place, bool> CharacterIndex::clamp(Place place) const {
    const std::size_t paragraphs = starts_.size() - 1;
    if (paragraphs == 0) return {{}, place != Place{}};
    if (place.paragraph >= paragraphs) {
        const std::size_t last = paragraphs - 1;
        return {{last, static_cast<Offset>(starts_[last + 1] - starts_[last])}, true};
    }
    const auto length = static_cast<Offset>(starts_[place.paragraph + 1] - starts_[place.paragraph]);
    if (place.offset > length) return {{place.paragraph, length}, true};
    return {place, false};
}

std::u32string textBetween(const ProseDocument& document, Place from, Place to, bool withRuby) {
    std::u32string text;
    if (to <= from || from.paragraph >= document.paragraphs.size()) return text;
    const std::size_t last = std::min(to.paragraph, document.paragraphs.size() - 1);
    for (std::size_t p = from.paragraph; p <= last; ++p) {
        const Paragraph& paragraph = document.paragraphs[p];
        const auto length = static_cast<Offset>(paragraph.text.size());
        const Offset start = p == from.paragraph ? std::min(from.offset, length) : 0;
        const Offset end = p == to.paragraph ? std::min(to.offset, length) : length;
        if (p != from.paragraph) text += U'\n';
        if (start >= end) continue;
        Offset at = start;
        if (withRuby) {
            for (const Ruby& ruby : paragraph.ruby) {
                if (ruby.start < start || ruby.end > end || ruby.start >= ruby.end) continue;
                text.append(paragraph.text, at, ruby.start - at);
                text += U'｜';
                text.append(paragraph.text, ruby.start, ruby.end - ruby.start);
                text += U'《';
                text += ruby.reading;
                text += U'》';
                at = ruby.end;
            }
        }
        text.append(paragraph.text, at, end - at);
    }
    return text;
}

namespace {

enum class Script { Kanji, Hiragana, Katakana, Alphanumeric, Other };

Script scriptOf(char32_t c) {
    if ((c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF) ||
        (c >= 0x20000 && c <= 0x3FFFF) || (c >= 0xF900 && c <= 0xFAFF) || c == U'々' ||
        c == U'〆' || c == U'ヶ' || c == U'〇')
        return Script::Kanji;
    if ((c >= 0x3041 && c <= 0x309F) && c != 0x309B && c != 0x309C) return Script::Hiragana;
    if ((c >= 0x30A1 && c <= 0x30FF && c != U'・') || (c >= 0x31F0 && c <= 0x31FF) ||
        (c >= 0xFF66 && c <= 0xFF9F))
        return Script::Katakana;
    if ((c >= U'0' && c <= U'9') || (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z') ||
        (c >= U'０' && c <= U'９') || (c >= U'Ａ' && c <= U'Ｚ') || (c >= U'ａ' && c <= U'ｚ') ||
        (c >= 0xC0 && c <= 0x24F))
        return Script::Alphanumeric;
    return Script::Other;
}

}  // namespace

std::pair<Place, Place> wordAt(const ProseDocument& document, Place place) {
    if (place.paragraph >= document.paragraphs.size()) return {place, place};
    const std::u32string& text = document.paragraphs[place.paragraph].text;
    if (place.offset >= text.size()) return {place, place};
    const Script script = scriptOf(text[place.offset]);
    Offset start = place.offset;
    Offset end = place.offset + 1;
    if (script != Script::Other) {
        while (start > 0 && scriptOf(text[start - 1]) == script) --start;
        while (end < text.size() && scriptOf(text[end]) == script) ++end;
    }
    return {{place.paragraph, start}, {place.paragraph, end}};
}

std::vector<HeadingEntry> headingsOf(const ProseDocument& document) {
    std::vector<HeadingEntry> headings;
    for (std::size_t p = 0; p < document.paragraphs.size(); ++p) {
        const Paragraph& paragraph = document.paragraphs[p];
        if (paragraph.heading == Heading::None) continue;
        headings.push_back({p, paragraph.heading, paragraph.text});
    }
    return headings;
}

long chapterOf(const std::vector<HeadingEntry>& headings, std::size_t paragraph) {
    const auto after = std::upper_bound(
        headings.begin(), headings.end(), paragraph,
        [](std::size_t p, const HeadingEntry& heading) { return p < heading.paragraph; });
    return static_cast<long>(after - headings.begin()) - 1;
}

}  // namespace tavelo::prose
