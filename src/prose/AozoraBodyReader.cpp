#include "prose/AozoraBodyReader.h"

#include <algorithm>
#include <utility>

#include "prose/AccentNotation.h"
#include "prose/GaijiCodes.h"

namespace tavelo::prose {

using aozora::Script;
using aozora::Style;

namespace {

constexpr std::int32_t kNone = -1;
constexpr std::int32_t kRubyBar = 1;

bool isBar(char32_t c) {
    return c == U'｜' || c == U'|';
}

Offset offsetOf(std::size_t size) {
    return static_cast<Offset>(size);
}

// A ※ before ［＃…］ marks a gaiji note (「木＋鬼」、第4水準2-15-9, 小書き片仮名ヲ, U+2000B),
// except where the note is plainly about the layout (改ページ, ここから…, …字下げ, ママ): then
// ※ is the reference mark itself.
bool describesCharacter(std::u32string_view body) {
    if (body.starts_with(U'「')) return true;
    return !body.empty() && !body.starts_with(U"ここ") && !body.ends_with(U"字下げ") &&
           !body.ends_with(U"終わり") && body != U"改ページ" && body != U"改丁" &&
           body != U"改段" && body != U"改見開き" && body != U"ママ";
}

// "prefix" + inner + "suffix": the inner part.
std::optional<std::u32string_view> between(std::u32string_view text, std::u32string_view prefix,
                                           std::u32string_view suffix) {
    if (text.size() < prefix.size() + suffix.size() || !text.starts_with(prefix) ||
        !text.ends_with(suffix))
        return std::nullopt;
    return text.substr(prefix.size(), text.size() - prefix.size() - suffix.size());
}

// N followed by `unit` and nothing else.
std::optional<int> countBefore(std::u32string_view text, std::u32string_view unit) {
    std::size_t length = 0;
    const auto count = aozora::leadingCount(text, length);
    if (!count || text.substr(length) != unit) return std::nullopt;
    return count;
}

std::optional<BreakBefore> breakNamed(std::u32string_view name) {
    if (name == U"改ページ" || name == U"改頁") return BreakBefore::Page;
    if (name == U"改丁" || name == U"改見開き") return BreakBefore::Sheet;
    if (name == U"改段") return BreakBefore::Column;
    return std::nullopt;
}

Heading headingOf(int level) {
    switch (level) {
        case 1:
            return Heading::Large;
        case 2:
            return Heading::Medium;
        case 3:
            return Heading::Small;
        default:
            return Heading::None;
    }
}

// "N字下げ、折り返してM字下げ" and "改行天付き、折り返してM字下げ" (also "天付き、…"): the
// first column's indent and the following columns'.
std::optional<std::pair<int, int>> hangingIndents(std::u32string_view text) {
    constexpr std::u32string_view wrap = U"、折り返して";
    const auto comma = text.find(wrap);
    if (comma == std::u32string_view::npos) return std::nullopt;
    const auto then = countBefore(text.substr(comma + wrap.size()), U"字下げ");
    if (!then) return std::nullopt;
    const auto first = text.substr(0, comma);
    if (first == U"改行天付き" || first == U"天付き") return std::pair{0, *then};
    if (auto count = countBefore(first, U"字下げ")) return std::pair{*count, *then};
    return std::nullopt;
}

// Where `pattern` last occurs in `text`: Knuth-Morris-Pratt over both read backwards, so that
// the time stays linear whatever the text and the pattern repeat.
std::optional<std::size_t> lastOccurrence(std::u32string_view text, std::u32string_view pattern) {
    const std::size_t m = pattern.size(), n = text.size();
    if (m == 0 || m > n) return std::nullopt;
    const auto p = [&](std::size_t i) { return pattern[m - 1 - i]; };
    const auto t = [&](std::size_t j) { return text[n - 1 - j]; };
    std::vector<std::size_t> fallback(m, 0);
    for (std::size_t i = 1, k = 0; i < m; ++i) {
        while (k > 0 && p(i) != p(k)) k = fallback[k - 1];
        if (p(i) == p(k)) ++k;
        fallback[i] = k;
    }
    for (std::size_t j = 0, k = 0; j < n; ++j) {
        while (k > 0 && t(j) != p(k)) k = fallback[k - 1];
        if (t(j) == p(k)) ++k;
        if (k == m) return n - 1 - j;
    }
    return std::nullopt;
}

// 返り点: 一 二 三 四 上 中 下 甲 乙 丙 丁 天 地 人, each alone or with レ, or レ alone.
bool isKaeriten(std::u32string_view body) {
    constexpr std::u32string_view marks = U"一二三四上中下甲乙丙丁天地人";
    if (body == U"レ") return true;
    if (body.empty() || marks.find(body[0]) == std::u32string_view::npos) return false;
    return body.size() == 1 || (body.size() == 2 && body[1] == U'レ');
}

}  // namespace

// --- Lines ---

void AozoraBodyReader::readLine(std::u32string_view line) {
    line_ = line;
    paragraph_ = Paragraph{};
    paragraph_.text.reserve(line.size());
    lastRubyEnd_ = 0;
    barAt_.reset();
    lineBlock_ = block_;
    lineIndent_.reset();
    lineHanging_.reset();
    lineRaise_.reset();
    lineHeading_ = Heading::None;
    breakAfter_ = BreakBefore::None;
    anyNote_ = false;
    marksText_ = false;
    unknown_.clear();

    pairBrackets();
    markRubyBars();
    readRange(0, line.size());
    endLine();
    ++lineNumber_;
}

void AozoraBodyReader::pairBrackets() {
    const std::size_t n = line_.size();
    partner_.assign(n, kNone);
    stack_.clear();
    for (std::size_t i = 0; i < n; ++i) {
        if (line_[i] == U'［') {
            stack_.push_back(static_cast<std::int32_t>(i));
        } else if (line_[i] == U'］' && !stack_.empty()) {
            partner_[static_cast<std::size_t>(stack_.back())] = static_cast<std::int32_t>(i);
            stack_.pop_back();
        }
    }
    // 《 and 〔 close at the next 》 or 〕 when no other 《 or 〔 opens before it.
    std::int32_t rubyClose = kNone, rubyOpen = kNone, accentClose = kNone, accentOpen = kNone;
    for (std::size_t k = n; k-- > 0;) {
        const auto i = static_cast<std::int32_t>(k);
        switch (line_[k]) {
            case U'》':
                rubyClose = i;
                break;
            case U'《':
                if (rubyClose != kNone && (rubyOpen == kNone || rubyClose < rubyOpen))
                    partner_[k] = rubyClose;
                rubyOpen = i;
                break;
            case U'〕':
                accentClose = i;
                break;
            case U'〔':
                if (accentClose != kNone && (accentOpen == kNone || accentClose < accentOpen))
                    partner_[k] = accentClose;
                accentOpen = i;
                break;
            default:
                break;
        }
    }
}

bool AozoraBodyReader::isNoteAt(std::size_t at, std::size_t end) const {
    return line_[at] == U'［' && at + 1 < end && line_[at + 1] == U'＃' && partner_[at] != kNone &&
           static_cast<std::size_t>(partner_[at]) < end;
}

// A ｜ starts a ruby base when a reading (a closed, non-empty 《…》) follows it before the
// next ｜ within the same note or outside notes: the text a note names may have its own ruby
// (［＃「大阪｜道頓堀《どうとんぼり》」は太字］).
void AozoraBodyReader::markRubyBars() {
    struct Level {
        std::optional<std::size_t> candidate;  // the outer level's, while inside the note
        std::size_t close = 0;
    };
    std::vector<Level> levels;
    std::optional<std::size_t> candidate;
    for (std::size_t i = 0; i < line_.size();) {
        if (!levels.empty() && i == levels.back().close) {
            candidate = levels.back().candidate;
            levels.pop_back();
            ++i;
            continue;
        }
        const std::size_t limit = levels.empty() ? line_.size() : levels.back().close;
        const char32_t c = line_[i];
        if (isNoteAt(i, limit)) {
            levels.push_back({candidate, static_cast<std::size_t>(partner_[i])});
            candidate.reset();
            i += 2;
        } else if (c == U'《' && partner_[i] > static_cast<std::int32_t>(i) + 1 &&
                   static_cast<std::size_t>(partner_[i]) < limit) {
            if (candidate) partner_[*candidate] = kRubyBar;
            candidate.reset();
            i = static_cast<std::size_t>(partner_[i]) + 1;
        } else {
            if (isBar(c)) candidate = i;
            ++i;
        }
    }
}

void AozoraBodyReader::readRange(std::size_t begin, std::size_t end) {
    std::u32string& text = paragraph_.text;
    for (std::size_t i = begin; i < end;) {
        const char32_t c = line_[i];
        if (c == U'※' && i + 1 < end && isNoteAt(i + 1, end)) {
            const auto close = static_cast<std::size_t>(partner_[i + 1]);
            const auto body = line_.substr(i + 3, close - i - 3);
            if (describesCharacter(body) || gaijiCharacter(body)) {
                addGaiji(body);
                i = close + 1;
                continue;
            }
        }
        if (isNoteAt(i, end)) {
            const auto close = static_cast<std::size_t>(partner_[i]);
            applyNote(i + 2, close);
            i = close + 1;
            continue;
        }
        if (isBar(c) && partner_[i] == kRubyBar) {
            barAt_ = offsetOf(text.size());
            ++i;
            continue;
        }
        if (c == U'《' && partner_[i] > static_cast<std::int32_t>(i) + 1 && addRuby(i)) {
            i = static_cast<std::size_t>(partner_[i]) + 1;
            continue;
        }
        if (c == U'〔' && partner_[i] != kNone) {
            if (auto decoded = accentAt(i)) {
                text += *decoded;
                i = static_cast<std::size_t>(partner_[i]) + 1;
                continue;
            }
        }
        text.push_back(c);
        ++i;
    }
}

std::u32string AozoraBodyReader::plain(std::size_t begin, std::size_t end) const {
    std::u32string text;
    for (std::size_t i = begin; i < end;) {
        const char32_t c = line_[i];
        if (c == U'※' && i + 1 < end && isNoteAt(i + 1, end)) {
            const auto close = static_cast<std::size_t>(partner_[i + 1]);
            const auto body = line_.substr(i + 3, close - i - 3);
            if (describesCharacter(body) || gaijiCharacter(body)) {
                const auto character = gaijiCharacter(body);
                text += character && !character->empty() ? *character : std::u32string(U"〓");
                i = close + 1;
                continue;
            }
        }
        if (isNoteAt(i, end)) {
            i = static_cast<std::size_t>(partner_[i]) + 1;
        } else if (c == U'《' && partner_[i] > static_cast<std::int32_t>(i) + 1 &&
                   static_cast<std::size_t>(partner_[i]) < end) {
            i = static_cast<std::size_t>(partner_[i]) + 1;
        } else if (isBar(c) && partner_[i] == kRubyBar) {
            ++i;
        } else if (c == U'〔' && partner_[i] != kNone &&
                   static_cast<std::size_t>(partner_[i]) < end) {
            if (auto decoded = accentAt(i)) {
                text += *decoded;
                i = static_cast<std::size_t>(partner_[i]) + 1;
            } else {
                text.push_back(c);
                ++i;
            }
        } else {
            text.push_back(c);
            ++i;
        }
    }
    return text;
}

std::u32string AozoraBodyReader::plainLine(std::u32string_view line) {
    line_ = line;
    pairBrackets();
    markRubyBars();
    return plain(0, line.size());
}

// 〔…〕 holding no other notation: its letters with their accents when at least one
// sequence decoded.
std::optional<std::u32string> AozoraBodyReader::accentAt(std::size_t open) const {
    const auto close = static_cast<std::size_t>(partner_[open]);
    const auto inside = line_.substr(open + 1, close - open - 1);
    if (inside.find_first_of(U"［《》｜|※") != std::u32string_view::npos) return std::nullopt;
    AccentResult result = decodeAccents(inside);
    if (result.decoded == 0) return std::nullopt;
    return std::move(result.text);
}

// --- Gaiji and ruby ---

void AozoraBodyReader::addGaiji(std::u32string_view body) {
    std::u32string& text = paragraph_.text;
    Gaiji gaiji;
    gaiji.start = offsetOf(text.size());
    gaiji.description = std::u32string(body);
    const auto character = gaijiCharacter(body);
    gaiji.mapped = character && !character->empty();
    text += gaiji.mapped ? *character : std::u32string(U"〓");
    gaiji.end = offsetOf(text.size());
    paragraph_.gaiji.push_back(std::move(gaiji));
}

Script AozoraBodyReader::scriptAt(Offset at) const {
    const auto& gaiji = paragraph_.gaiji;
    const auto after = std::upper_bound(gaiji.begin(), gaiji.end(), at,
                                        [](Offset o, const Gaiji& g) { return o < g.start; });
    if (after != gaiji.begin() && std::prev(after)->end > at) return Script::Kanji;
    return aozora::scriptOf(paragraph_.text[at]);
}

// The reading of 《 at `open` over the base a ｜ began, else over the run of one script before
// it (never reaching into the previous base). False when there is no base: 《…》 stays text.
bool AozoraBodyReader::addRuby(std::size_t open) {
    std::u32string& text = paragraph_.text;
    const auto close = static_cast<std::size_t>(partner_[open]);
    const Offset end = offsetOf(text.size());
    Offset start = end;
    if (barAt_) {
        start = *barAt_;
        barAt_.reset();
        if (start == end) {
            text.push_back(U'｜');
            return false;
        }
    } else {
        if (end == lastRubyEnd_) return false;
        const Script script = scriptAt(end - 1);
        if (script == Script::None) return false;
        while (start > lastRubyEnd_ && scriptAt(start - 1) == script) --start;
    }
    std::u32string reading = plain(open + 1, close);
    // A reading made only of notes is notation with nothing to show.
    if (!reading.empty()) paragraph_.ruby.push_back(Ruby{start, end, std::move(reading)});
    lastRubyEnd_ = end;
    return true;
}

// --- Notes ---

void AozoraBodyReader::applyNote(std::size_t begin, std::size_t end) {
    anyNote_ = true;
    const auto body = line_.substr(begin, end - begin);
    if (applyDirective(body)) return;
    if (applyQuoted(begin, end) || applyPoint(body)) {
        marksText_ = true;
        return;
    }
    std::u32string note = U"［＃";
    note += body;
    note += U"］";
    unknown_.push_back(std::move(note));
}

void AozoraBodyReader::addNote(std::u32string_view kind, Offset start, Offset end,
                               std::u32string value) {
    paragraph_.notes.push_back(Note{std::u32string(kind), start, end, std::move(value)});
}

// Notes that say 「X」 first name earlier text; the first 」 after which the rest of the note
// makes sense ends X (X may hold 」 inside a nested gaiji note).
bool AozoraBodyReader::applyQuoted(std::size_t begin, std::size_t end) {
    if (line_[begin] != U'「') return false;
    const auto body = line_.substr(begin, end - begin);
    int tries = 0;
    for (std::size_t j = begin + 1; j < end;) {
        if (isNoteAt(j, end)) {
            j = static_cast<std::size_t>(partner_[j]) + 1;
            continue;
        }
        if (line_[j] == U'」') {
            if (applyTarget(begin + 1, j, line_.substr(j + 1, end - j - 1), body)) return true;
            if (++tries == kQuoteEndsTried) break;
        }
        ++j;
    }
    return false;
}

// The nearest occurrence of `target` that ends at or before `limit`, looked for in the
// kSearchWindow characters before it.
std::optional<Offset> AozoraBodyReader::findBefore(std::u32string_view target,
                                                   std::size_t limit) const {
    const std::u32string_view text = std::u32string_view(paragraph_.text).substr(0, limit);
    if (target.empty() || target.size() > text.size()) return std::nullopt;
    if (text.ends_with(target)) return offsetOf(text.size() - target.size());
    const std::size_t from = text.size() - std::min(text.size(), target.size() + kSearchWindow);
    const auto at = lastOccurrence(text.substr(from), target);
    if (!at) return std::nullopt;
    return offsetOf(from + *at);
}

// 「X」 names the text before the note; 「X」～「Y」 the text from X to the Y after it.
bool AozoraBodyReader::applyTarget(std::size_t targetBegin, std::size_t targetEnd,
                                   std::u32string_view rest, std::u32string_view body) {
    if (!rest.starts_with(U"～「")) return applySpan(targetBegin, targetEnd, {}, rest, body);
    const std::size_t lastBegin = indexOf(rest) + 2;
    const std::size_t end = indexOf(rest) + rest.size();
    int tries = 0;
    for (std::size_t j = lastBegin; j < end;) {
        if (isNoteAt(j, end)) {
            j = static_cast<std::size_t>(partner_[j]) + 1;
            continue;
        }
        if (line_[j] == U'」') {
            if (applySpan(targetBegin, targetEnd, std::pair{lastBegin, j},
                          line_.substr(j + 1, end - j - 1), body))
                return true;
            if (++tries == kQuoteEndsTried) break;
        }
        ++j;
    }
    return false;
}

bool AozoraBodyReader::applySpan(std::size_t targetBegin, std::size_t targetEnd,
                                 std::optional<std::pair<std::size_t, std::size_t>> last,
                                 std::u32string_view rest, std::u32string_view body) {
    const std::u32string target = plain(targetBegin, targetEnd);
    std::optional<Offset> found;
    Offset foundEnd = 0;
    if (last) {
        const std::u32string lastTarget = plain(last->first, last->second);
        if (const auto lastAt = findBefore(lastTarget, paragraph_.text.size())) {
            found = findBefore(target, *lastAt + target.size());
            foundEnd = offsetOf(*lastAt + lastTarget.size());
        }
    } else {
        found = findBefore(target, paragraph_.text.size());
        if (found) foundEnd = offsetOf(*found + target.size());
    }
    const Offset here = offsetOf(paragraph_.text.size());
    const Offset start = found.value_or(here);
    const Offset end = found ? foundEnd : here;
    const auto quoted = [&](std::u32string_view inner) {
        return plain(indexOf(inner), indexOf(inner) + inner.size());
    };

    // Remarks of the typist hold even where the text they name is not found.
    if (rest == U"はママ" || rest == U"はママとした") {
        addNote(U"注記", start, end, U"ママ");
        return true;
    }
    if (rest.starts_with(U"は") && (rest.find(U"では") != std::u32string_view::npos ||
                                    rest.ends_with(U"の誤記か") || rest.ends_with(U"の誤植か"))) {
        addNote(U"注記", start, end, std::u32string(body));
        return true;
    }
    for (std::u32string_view suffix : {U"」の注記", U"」注記", U"」の傍記", U"」の著者註"}) {
        auto inner = between(rest, U"に「", suffix);
        if (!inner) inner = between(rest, U"の左に「", suffix);
        if (inner) {
            addNote(U"注記", start, end, quoted(*inner));
            return true;
        }
    }
    if (!found) return false;
    if (auto inner = between(rest, U"に「", U"」のルビ")) {
        auto& ruby = paragraph_.ruby;
        const auto at = std::lower_bound(ruby.begin(), ruby.end(), start,
                                         [](const Ruby& r, Offset o) { return r.start < o; });
        const bool clear = (at == ruby.end() || at->start >= end) &&
                           (at == ruby.begin() || std::prev(at)->end <= start);
        std::u32string reading = quoted(*inner);
        if (clear && !reading.empty()) {
            ruby.insert(at, Ruby{start, end, std::move(reading)});
            lastRubyEnd_ = std::max(lastRubyEnd_, end);
        }
        return true;
    }
    if (auto inner = between(rest, U"の左に「", U"」のルビ")) {
        addNote(U"左ルビ", start, end, quoted(*inner));
        return true;
    }
    if (rest.starts_with(U"に") || rest.starts_with(U"の左に")) {
        auto style = aozora::styleNamed(rest.substr(1));
        if (!style) return false;
        addNote(style->kind, start, end, std::move(style->value));
        return true;
    }
    if (!rest.starts_with(U"は")) return false;
    const auto names = rest.substr(1);
    if (const int level = aozora::headingLevelNamed(names)) {
        lineHeading_ = headingOf(level);
        return true;
    }
    // One or more styles joined by 、: 「１）」は縦中横、行右小書き.
    std::vector<Style> styles;
    for (std::size_t from = 0; from <= names.size();) {
        const auto comma = std::min(names.find(U'、', from), names.size());
        auto style = aozora::styleNamed(names.substr(from, comma - from));
        if (!style) return false;
        styles.push_back(std::move(*style));
        from = comma + 1;
    }
    for (Style& style : styles) addNote(style.kind, start, end, std::move(style.value));
    return true;
}

bool AozoraBodyReader::applyDirective(std::u32string_view body) {
    const bool atLineStart = paragraph_.text.empty();
    if (body.starts_with(U"ここから")) {
        const auto rest = body.substr(4);
        Block block = block_;
        if (auto count = countBefore(rest, U"字下げ")) {
            block.indent = block.hangingIndent = *count;
        } else if (auto indents = hangingIndents(rest)) {
            block.indent = indents->first;
            block.hangingIndent = indents->second;
        } else if (rest == U"地付き") {
            block.bottom = true;
            block.raise = 0;
        } else if (rest.starts_with(U"地から") || rest.starts_with(U"地より")) {
            const auto count = countBefore(rest.substr(3), U"字上げ");
            if (!count) return false;
            block.bottom = true;
            block.raise = *count;
        } else if (const int level = aozora::headingLevelNamed(rest)) {
            block.heading = headingOf(level);
        } else if (auto style = aozora::styleNamed(rest)) {
            openStyle(std::move(*style));
            return true;
        } else {
            return false;
        }
        changeBlock(block);
        return true;
    }
    if (body.starts_with(U"ここで")) {
        const auto rest = body.substr(3);
        Block block = block_;
        if (rest == U"字下げ終わり" || rest == U"字下げ終了") {
            block.indent = block.hangingIndent = 0;
        } else if (rest == U"地付き終わり" || rest == U"字上げ終わり") {
            block.bottom = false;
            block.raise = 0;
        } else if (rest.ends_with(U"終わり") &&
                   aozora::headingLevelNamed(rest.substr(0, rest.size() - 3))) {
            block.heading = Heading::None;
        } else if (rest.ends_with(U"終わり")) {
            return closeStyle(rest.substr(0, rest.size() - 3));
        } else {
            return false;
        }
        changeBlock(block);
        return true;
    }
    if (auto count = countBefore(body.starts_with(U"天から") ? body.substr(3) : body, U"字下げ")) {
        lineIndent_ = lineHanging_ = *count;
        return true;
    }
    if (auto indents = hangingIndents(body)) {
        lineIndent_ = indents->first;
        lineHanging_ = indents->second;
        return true;
    }
    if (body == U"地付き") {
        lineRaise_ = 0;
        return true;
    }
    if (body.starts_with(U"地から") || body.starts_with(U"地より")) {
        if (auto count = countBefore(body.substr(3), U"字上げ")) {
            lineRaise_ = *count;
            return true;
        }
    }
    if (auto kind = breakNamed(body)) {
        // Before the text of its line the break is this line's; after it, the next one's.
        (atLineStart ? pendingBreak_ : breakAfter_) = *kind;
        return true;
    }
    if (const int level = aozora::headingLevelNamed(body)) {
        lineHeading_ = headingOf(level);
        return true;
    }
    if (body.ends_with(U"終わり")) {
        const auto name = body.substr(0, body.size() - 3);
        if (aozora::headingLevelNamed(name)) return true;
        return closeStyle(name);
    }
    if (auto style = aozora::styleNamed(body)) {
        openStyle(std::move(*style));
        return true;
    }
    return false;
}

bool AozoraBodyReader::applyPoint(std::u32string_view body) {
    const Offset here = offsetOf(paragraph_.text.size());
    if (isKaeriten(body)) {
        addNote(U"返り点", here, here, std::u32string(body));
        return true;
    }
    if (auto inner = between(body, U"（", U"）")) {
        addNote(U"訓点送り仮名", here, here,
                plain(indexOf(*inner), indexOf(*inner) + inner->size()));
        return true;
    }
    if (body.ends_with(U"入る") && body.find(U'（') != std::u32string_view::npos) {
        std::u32string_view caption = body.substr(0, body.find(U'（'));
        if (auto named = between(caption, U"「", U"」のキャプション付きの図")) caption = *named;
        addNote(U"挿絵", here, here, std::u32string(caption));
        return true;
    }
    if (body == U"ママ" || body.find(U"底本では") != std::u32string_view::npos ||
        body.starts_with(U"入力者注") || body.starts_with(U"ルビは「") ||
        (body.starts_with(U"ルビの「") && body.ends_with(U"ママ"))) {
        addNote(U"注記", here, here, std::u32string(body));
        return true;
    }
    return false;
}

// A block note before the text of its line holds for that line; after the text, from the next.
void AozoraBodyReader::changeBlock(const Block& block) {
    block_ = block;
    if (paragraph_.text.empty()) lineBlock_ = block;
}

void AozoraBodyReader::openStyle(Style style) {
    styles_.push_back(OpenStyle{std::move(style), lineNumber_, offsetOf(paragraph_.text.size())});
}

// The latest open style of the same name closes; a size closes whatever size is open.
bool AozoraBodyReader::closeStyle(std::u32string_view name) {
    const auto style = aozora::styleNamed(name);
    if (!style) return false;
    const bool anySize = style->kind == U"大きな文字" || style->kind == U"小さな文字";
    for (auto it = styles_.rbegin(); it != styles_.rend(); ++it) {
        if (it->style.kind != style->kind || (!anySize && it->style.value != style->value))
            continue;
        const Offset start = it->line == lineNumber_ ? it->start : 0;
        const Offset end = offsetOf(paragraph_.text.size());
        if (end > start) addNote(it->style.kind, start, end, it->style.value);
        styles_.erase(std::next(it).base());
        return true;
    }
    return true;  // an end without its start changes nothing
}

void AozoraBodyReader::endLine() {
    // A line of notes that put nothing on any text (［＃改ページ］, ［＃ここから２字下げ］, or
    // notes not understood) is no paragraph; its unknown notes go with the next line of text.
    if (paragraph_.text.empty() && anyNote_ && !marksText_) {
        if (breakAfter_ != BreakBefore::None) pendingBreak_ = breakAfter_;
        for (std::u32string& note : unknown_) pendingUnknown_.push_back(std::move(note));
        return;
    }
    Paragraph& p = paragraph_;
    const Offset length = offsetOf(p.text.size());
    for (const OpenStyle& open : styles_) {
        const Offset start = open.line == lineNumber_ ? open.start : 0;
        if (length > start) addNote(open.style.kind, start, length, open.style.value);
    }
    if (!std::is_sorted(p.notes.begin(), p.notes.end(),
                        [](const Note& a, const Note& b) { return a.start < b.start; }))
        std::stable_sort(p.notes.begin(), p.notes.end(),
                         [](const Note& a, const Note& b) { return a.start < b.start; });

    p.indent = lineIndent_.value_or(lineBlock_.indent);
    p.hangingIndent = lineHanging_.value_or(lineBlock_.hangingIndent);
    if (lineRaise_ || lineBlock_.bottom) {
        p.align = Align::Bottom;
        p.raise = lineRaise_.value_or(lineBlock_.raise);
    }
    p.heading = lineHeading_ != Heading::None ? lineHeading_ : lineBlock_.heading;
    p.breakBefore = pendingBreak_;
    pendingBreak_ = breakAfter_;

    const std::size_t index = document_.paragraphs.size();
    if (!line_.empty()) {
        for (std::u32string& note : pendingUnknown_)
            document_.unknownNotes.push_back({index, std::move(note)});
        pendingUnknown_.clear();
    }
    for (std::u32string& note : unknown_)
        document_.unknownNotes.push_back({index, std::move(note)});
    for (const Gaiji& g : p.gaiji) ++(g.mapped ? document_.gaijiMapped : document_.gaijiUnmapped);
    // Notes took room in the line that the text does not need.
    if (p.text.capacity() - p.text.size() > p.text.size() / 4) p.text.shrink_to_fit();
    fromEmptyLine_.push_back(line_.empty());
    document_.paragraphs.push_back(std::move(p));
}

void AozoraBodyReader::finish() {
    auto& paragraphs = document_.paragraphs;
    std::size_t first = 0;
    BreakBefore carried = BreakBefore::None;
    while (first < paragraphs.size() && fromEmptyLine_[first]) {
        if (paragraphs[first].breakBefore != BreakBefore::None)
            carried = paragraphs[first].breakBefore;
        ++first;
    }
    std::size_t last = paragraphs.size();
    while (last > first && fromEmptyLine_[last - 1]) --last;
    paragraphs.erase(paragraphs.begin() + static_cast<std::ptrdiff_t>(last), paragraphs.end());
    paragraphs.erase(paragraphs.begin(), paragraphs.begin() + static_cast<std::ptrdiff_t>(first));
    if (!paragraphs.empty() && paragraphs.front().breakBefore == BreakBefore::None)
        paragraphs.front().breakBefore = carried;
    for (UnknownNote& note : document_.unknownNotes) note.paragraph -= first;
    // Notes after the last line of text belong to it; with no text at all, to an empty paragraph.
    if (!pendingUnknown_.empty() && paragraphs.empty()) paragraphs.emplace_back();
    for (std::u32string& note : pendingUnknown_)
        document_.unknownNotes.push_back({paragraphs.size() - 1, std::move(note)});
    pendingUnknown_.clear();
    fromEmptyLine_.clear();
    styles_.clear();
}

}  // namespace tavelo::prose
