#include "prose/AozoraReader.h"

#include <algorithm>
#include <vector>

#include "prose/AozoraBodyReader.h"
#include "prose/AozoraNotation.h"
#include "prose/TextDecoder.h"

namespace tavelo::prose {

namespace {

constexpr std::size_t kHeadSearch = 7;
constexpr std::size_t kHeadWithoutEnd = 2;
constexpr std::u32string_view kSignsTitle = U"【テキスト中に現れる記号について】";

std::vector<std::u32string_view> splitLines(std::u32string_view text) {
    std::vector<std::u32string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != U'\r' && text[i] != U'\n') continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == U'\r' && i + 1 < text.size() && text[i + 1] == U'\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

bool endsHead(std::u32string_view line) {
    return line.empty() || aozora::isHyphenLine(line);
}

bool namesTranslator(std::u32string_view line) {
    for (std::u32string_view end : {U"訳", U"訳者", U"翻訳", U"訳編", U"訳註", U"訳・注"})
        if (line.ends_with(end)) return true;
    return false;
}

std::u32string authorOf(const std::vector<std::u32string>& head) {
    if (head.size() < 2) return {};
    if (head.size() == 2) return head[1];
    for (std::size_t i = head.size(); i-- > 1;)
        if (!head[i].empty() && !namesTranslator(head[i])) return head[i];
    return head[1];
}

bool startsColophon(std::u32string_view line) {
    return line.starts_with(U"底本：") || line.starts_with(U"底本:");
}

}  // namespace

ProseDocument readAozoraText(std::u32string_view text) {
    ProseDocument document;
    const auto lines = splitLines(text);
    AozoraBodyReader reader(document);

    std::size_t headCount = std::min(kHeadWithoutEnd, lines.size());
    for (std::size_t i = 0; i < std::min(kHeadSearch, lines.size()); ++i) {
        if (endsHead(lines[i])) {
            headCount = i;
            break;
        }
    }
    for (std::size_t i = 0; i < headCount; ++i) document.head.push_back(reader.plainLine(lines[i]));
    if (!document.head.empty()) document.title = document.head.front();
    document.author = authorOf(document.head);

    const auto colophon = std::find_if(lines.begin() + static_cast<std::ptrdiff_t>(headCount),
                                       lines.end(), startsColophon);
    const auto bodyEnd = static_cast<std::size_t>(colophon - lines.begin());
    for (std::size_t i = headCount; i < bodyEnd; ++i) {
        if (aozora::isHyphenLine(lines[i]) && i + 1 < bodyEnd &&
            lines[i + 1].starts_with(kSignsTitle)) {
            std::size_t close = i + 2;
            while (close < bodyEnd && !aozora::isHyphenLine(lines[close])) ++close;
            // Without its closing rule only the rule and the title are the explanation's.
            i = close < bodyEnd ? close : i + 1;
            continue;
        }
        reader.readLine(lines[i]);
    }
    reader.finish();

    for (auto it = colophon; it != lines.end(); ++it)
        document.colophon.push_back(reader.plainLine(*it));
    while (!document.colophon.empty() && document.colophon.back().empty())
        document.colophon.pop_back();
    return document;
}

ProseDocument readProseBytes(std::string_view bytes) {
    DecodedText decoded = decodeText(bytes);
    ProseDocument document = readAozoraText(decoded.text);
    document.encoding = std::move(decoded.encoding);
    document.undecodable = decoded.undecodable;
    return document;
}

}  // namespace tavelo::prose
