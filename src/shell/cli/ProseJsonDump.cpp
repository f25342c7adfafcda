#include "shell/cli/ProseJsonDump.h"

#include "common/MessageSink.h"
#include "common/PathBytes.h"
#include "common/Utf8.h"
#include "flow/FlowLayout.h"
#include "prose/ProseLoad.h"
#include "shell/cli/JsonWriter.h"

namespace tavelo {
namespace {

using prose::Paragraph;

std::string text(std::u32string_view value) {
    return utf8::fromUtf32(value);
}

const char* alignName(prose::Align align) {
    return align == prose::Align::Bottom ? "bottom" : "top";
}

void writeHeading(JsonWriter& json, prose::Heading heading) {
    switch (heading) {
        case prose::Heading::None:
            json.null();
            return;
        case prose::Heading::Large:
            json.value("大");
            return;
        case prose::Heading::Medium:
            json.value("中");
            return;
        case prose::Heading::Small:
            json.value("小");
            return;
    }
}

void writeBreak(JsonWriter& json, prose::BreakBefore breakBefore) {
    switch (breakBefore) {
        case prose::BreakBefore::None:
            json.null();
            return;
        case prose::BreakBefore::Page:
            json.value("page");
            return;
        case prose::BreakBefore::Sheet:
            json.value("sheet");
            return;
        case prose::BreakBefore::Column:
            json.value("column");
            return;
    }
}

void writeLines(JsonWriter& json, const std::vector<std::u32string>& lines) {
    json.beginArray();
    for (const std::u32string& line : lines) json.value(text(line));
    json.endArray();
}

void writeParagraph(JsonWriter& json, const Paragraph& p) {
    json.beginObject();
    json.key("text");
    json.value(text(p.text));
    json.key("ruby");
    json.beginArray();
    for (const prose::Ruby& ruby : p.ruby) {
        json.beginArray();
        json.value(std::int64_t{ruby.start});
        json.value(std::int64_t{ruby.end});
        json.value(text(ruby.reading));
        json.endArray();
    }
    json.endArray();
    json.key("notes");
    json.beginArray();
    for (const prose::Note& note : p.notes) {
        json.beginObject();
        json.key("kind");
        json.value(text(note.kind));
        json.key("start");
        json.value(std::int64_t{note.start});
        json.key("end");
        json.value(std::int64_t{note.end});
        json.key("value");
        json.value(text(note.value));
        json.endObject();
    }
    json.endArray();
    if (!p.gaiji.empty()) {
        json.key("gaiji");
        json.beginArray();
        for (const prose::Gaiji& gaiji : p.gaiji) {
            json.beginObject();
            json.key("start");
            json.value(std::int64_t{gaiji.start});
            json.key("end");
            json.value(std::int64_t{gaiji.end});
            json.key("mapped");
            json.value(std::int64_t{gaiji.mapped ? 1 : 0});
            json.key("description");
            json.value(text(gaiji.description));
            json.endObject();
        }
        json.endArray();
    }
    json.key("indent");
    json.value(std::int64_t{p.indent});
    json.key("hangingIndent");
    json.value(std::int64_t{p.hangingIndent});
    json.key("align");
    json.value(alignName(p.align));
    json.key("raise");
    json.value(std::int64_t{p.raise});
    json.key("heading");
    writeHeading(json, p.heading);
    json.key("breakBefore");
    writeBreak(json, p.breakBefore);
    json.endObject();
}

void writeLayout(JsonWriter& json, const prose::ProseDocument& document,
                 const flow::FlowSettings& settings) {
    flow::FlowLayout layout(document, settings);
    const flow::FlowMetrics& metrics = layout.metrics();
    json.beginObject();
    json.key("view");
    json.inlineArray(std::vector<std::int64_t>{settings.viewWidth, settings.viewHeight});
    json.key("zoom");
    json.value(std::int64_t{settings.zoomPercent});
    json.key("fontSize");
    json.value(std::int64_t{metrics.fontSize});
    json.key("charactersPerColumn");
    json.value(std::int64_t{metrics.charactersPerColumn});
    json.key("columnsPerPage");
    json.value(std::int64_t{metrics.columnsPerPage});
    json.key("pageCount");
    json.value(std::int64_t{layout.pageCount()});
    json.key("columns");
    json.beginArray();
    for (const flow::FlowLayout::ColumnSpan& column : layout.columns())
        json.inlineArray(std::vector<std::int64_t>{static_cast<std::int64_t>(column.paragraph),
                                                   column.start, column.end, column.page + 1});
    json.endArray();
    json.endObject();
}

// The name of the file without its folder, as the tl2 dump gives it.
std::string fileName(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

JsonDump::Result ProseJsonDump::dumpFile(const std::string& path, MessageSink& messages,
                                         const flow::FlowSettings& settings) {
    const prose::LoadedProse loaded = prose::loadProseFile(path);
    std::vector<std::string> shown;
    auto show = [&](const std::string& message) {
        shown.push_back(message);
        messages.showMessage(utf8::toUtf16(message));
    };
    if (!loaded.document)
        show(utf8::fromUtf16(PathBytes::display(PathBytes::fromSystem(path))) +
             " を開けません。\n" + loaded.message);
    if (loaded.document) {
        for (const std::string& message : loaded.document->messages) show(message);
    }

    JsonWriter json;
    json.beginObject();
    json.key("file");
    json.value(utf8::fromUtf16(utf8::toUtf16(fileName(path))));
    json.key("kind");
    json.value("prose");
    json.key("messages");
    json.beginArray();
    for (const std::string& message : shown) json.value(message);
    json.endArray();
    json.key("error");
    if (!loaded.document) {
        json.beginObject();
        json.key("number");
        json.value(std::int64_t{53});  // file not found or not readable
        json.key("description");
        json.value(loaded.message);
        json.endObject();
        json.endObject();
        return {json.text() + "\n", 1};
    }
    json.null();

    const prose::ProseDocument& document = *loaded.document;
    json.key("encoding");
    json.value(document.encoding);
    json.key("undecodable");
    json.value(static_cast<std::int64_t>(document.undecodable));
    json.key("title");
    json.value(text(document.title));
    json.key("author");
    json.value(text(document.author));
    json.key("head");
    writeLines(json, document.head);
    json.key("paragraphs");
    json.beginArray();
    for (const Paragraph& paragraph : document.paragraphs) writeParagraph(json, paragraph);
    json.endArray();
    json.key("colophon");
    writeLines(json, document.colophon);
    json.key("gaiji");
    json.beginObject();
    json.key("mapped");
    json.value(static_cast<std::int64_t>(document.gaijiMapped));
    json.key("unmapped");
    json.value(static_cast<std::int64_t>(document.gaijiUnmapped));
    json.endObject();
    const flow::FlowLayout::Length length = flow::FlowLayout::length(document);
    json.key("length");
    json.beginObject();
    json.key("characters");
    json.value(std::int64_t{length.characters});
    json.key("sheets400");
    json.value(std::int64_t{length.sheets400});
    json.endObject();
    json.key("unknownNotes");
    json.beginArray();
    for (const prose::UnknownNote& note : document.unknownNotes) {
        json.beginObject();
        json.key("paragraph");
        json.value(static_cast<std::int64_t>(note.paragraph));
        json.key("text");
        json.value(text(note.text));
        json.endObject();
    }
    json.endArray();
    json.key("layout");
    writeLayout(json, document, settings);
    json.endObject();
    return {json.text() + "\n", 0};
}

}  // namespace tavelo
