#include "ProseInvariants.h"

namespace tavelo::fuzzing {

namespace {

bool holdsLineEnd(std::u32string_view text) {
    return text.find_first_of(U"\r\n") != std::u32string_view::npos;
}

}  // namespace

std::vector<std::string> ProseInvariants::violations(const prose::ProseDocument& document) {
    std::vector<std::string> found;
    const auto report = [&](const char* name, std::size_t paragraph, const std::string& detail) {
        found.push_back(std::string(name) + ": paragraph " + std::to_string(paragraph) + ": " +
                        detail);
    };
    std::size_t mapped = 0, unmapped = 0;
    for (std::size_t i = 0; i < document.paragraphs.size(); ++i) {
        const prose::Paragraph& p = document.paragraphs[i];
        const std::size_t size = p.text.size();
        prose::Offset lastEnd = 0;
        for (const prose::Ruby& r : p.ruby) {
            if (r.start >= r.end || r.end > size || r.start < lastEnd || r.reading.empty())
                report("ruby", i, std::to_string(r.start) + "-" + std::to_string(r.end));
            lastEnd = r.end;
        }
        prose::Offset lastStart = 0;
        for (const prose::Note& n : p.notes) {
            if (n.start > n.end || n.end > size || n.start < lastStart || n.kind.empty())
                report("notes", i, std::to_string(n.start) + "-" + std::to_string(n.end));
            lastStart = n.start;
        }
        lastEnd = 0;
        for (const prose::Gaiji& g : p.gaiji) {
            if (g.start >= g.end || g.end > size || g.start < lastEnd)
                report("gaiji", i, std::to_string(g.start) + "-" + std::to_string(g.end));
            if (!g.mapped && (g.end != g.start + 1 || p.text[g.start] != U'〓'))
                report("gaiji", i, "an unmapped gaiji is not 〓");
            lastEnd = g.end;
            ++(g.mapped ? mapped : unmapped);
        }
        if (holdsLineEnd(p.text)) report("lineEnds", i, "in the text");
        if (p.indent < 0 || p.hangingIndent < 0 || p.raise < 0 ||
            (p.raise > 0 && p.align != prose::Align::Bottom))
            report("attributes", i, "indent, hanging indent or raise");
    }
    if (mapped != document.gaijiMapped || unmapped != document.gaijiUnmapped)
        found.push_back("gaijiCounts: " + std::to_string(document.gaijiMapped) + "/" +
                        std::to_string(document.gaijiUnmapped) + " counted, " +
                        std::to_string(mapped) + "/" + std::to_string(unmapped) + " listed");
    for (const prose::UnknownNote& note : document.unknownNotes) {
        const std::u32string_view text = note.text;
        if (note.paragraph >= document.paragraphs.size() || !text.starts_with(U"［＃") ||
            !text.ends_with(U"］"))
            found.push_back("unknownNotes: paragraph " + std::to_string(note.paragraph) + " of " +
                            std::to_string(document.paragraphs.size()));
    }
    for (const auto& line : document.head)
        if (holdsLineEnd(line)) found.push_back("lineEnds: in the head");
    for (const auto& line : document.colophon)
        if (holdsLineEnd(line)) found.push_back("lineEnds: in the colophon");
    if (document.title != (document.head.empty() ? std::u32string() : document.head.front()))
        found.push_back("title: not the head's first line");
    return found;
}

}  // namespace tavelo::fuzzing
