#include "view/ProsePagePainter.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

#include "view/DrawingSurface.h"

namespace tavelo {
namespace {

using flow::FlowLayout;
using prose::Offset;

constexpr LONG kDown = 2700;  // escapement of text running down a column

// The mark set beside each character of an emphasis note, by the note's value.
char32_t emphasisMark(std::u32string_view value) {
    struct Mark {
        std::u32string_view value;
        char32_t mark;
    };
    static constexpr Mark kMarks[] = {
        {U"白ゴマ傍点", U'\uFE46'}, {U"丸傍点", U'●'},     {U"白丸傍点", U'○'},
        {U"黒三角傍点", U'▲'},      {U"白三角傍点", U'△'}, {U"二重丸傍点", U'◎'},
        {U"蛇の目傍点", U'◉'},      {U"ばつ傍点", U'×'},   {U"傍点", U'\uFE45'},
    };
    for (const Mark& mark : kMarks)
        if (value == mark.value) return mark.mark;
    return U'\uFE45';  // sesame dot, the usual emphasis
}

// The character a side line is drawn with, one per row, upright in a horizontal face: a
// vertical stroke through the middle of its em square.
char32_t sideLine(std::u32string_view value) {
    if (value == U"二重傍線") return U'║';
    if (value == U"鎖線" || value == U"破線") return U'╎';
    if (value == U"点線") return U'┊';
    if (value == U"波線") return U'≀';
    return U'│';
}

bool isEmphasis(std::u32string_view kind) {
    return kind == U"傍点";
}
bool isSideLine(std::u32string_view kind) {
    return kind == U"傍線";
}

}  // namespace

ProsePagePainter::ProsePagePainter(DrawingSurface& surface) : surface_(surface) {}

void ProsePagePainter::paint(const prose::ProseDocument& document, const flow::FlowMetrics& metrics,
                             const FlowLayout::Page& page, const ProsePaintState& state) {
    metrics_ = metrics;
    for (const FlowLayout::Column& column : page.columns) {
        if (column.paragraph >= document.paragraphs.size()) continue;
        drawColumn(document.paragraphs[column.paragraph], column, state);
    }
    for (std::size_t i = 0; i < page.ruby.size(); ++i) {
        if (state.ruby == ProsePaintState::Ruby::All ||
            (state.ruby == ProsePaintState::Ruby::Only && i == state.onlyRuby))
            drawRuby(document, page.ruby[i], state);
    }
    for (const FlowLayout::NoteMark& mark : page.notes) drawNote(document, mark, state);
    releaseFonts();
}

void ProsePagePainter::prepare(const prose::ProseDocument& document,
                               const flow::FlowMetrics& metrics, const FlowLayout::Page& page,
                               const ProsePaintState& state) {
    preparing_ = true;
    paint(document, metrics, page, state);
    preparing_ = false;
}

bool ProsePagePainter::isHit(const ProsePaintState& state, std::size_t paragraph,
                             Offset offset) const {
    // The hits are sorted: find the last that starts at or before the offset.
    const auto after = std::upper_bound(
        state.hits.begin(), state.hits.end(), std::make_pair(paragraph, offset),
        [](const std::pair<std::size_t, Offset>& place, const prose::TextHit& hit) {
            return std::tie(place.first, place.second) < std::tie(hit.paragraph, hit.start);
        });
    if (after == state.hits.begin()) return false;
    const prose::TextHit& hit = *std::prev(after);
    return hit.paragraph == paragraph && offset < hit.end;
}

ProsePagePainter::Face ProsePagePainter::faceOf(const prose::Paragraph& paragraph,
                                                prose::Heading heading, Offset offset,
                                                bool gothicBody) const {
    if (gothicBody || heading != prose::Heading::None) return Face::Gothic;
    for (const prose::Note& note : paragraph.notes) {
        if (note.start > offset) break;
        if (offset < note.end && note.kind == U"太字") return Face::Gothic;
    }
    return Face::Mincho;
}

void ProsePagePainter::drawColumn(const prose::Paragraph& paragraph,
                                  const FlowLayout::Column& column, const ProsePaintState& state) {
    const int size = metrics_.fontSize;
    const int right = metrics_.bodyX(column.index) + size;  // the body's right edge
    const std::u32string_view text = paragraph.text;
    auto slice = [&](Offset start, Offset end) {
        start = std::min<Offset>(start, static_cast<Offset>(text.size()));
        end = std::clamp<Offset>(end, start, static_cast<Offset>(text.size()));
        return text.substr(start, end - start);
    };
    for (const FlowLayout::Cell& cell : column.cells) {
        const int top = static_cast<int>(std::lround(metrics_.rowY(cell.row)));
        const Face face = faceOf(paragraph, column.heading, cell.start, state.gothic);
        const COLORREF color =
            isHit(state, column.paragraph, cell.start) ? state.hitColor : state.inkColor;
        const std::u32string_view characters = slice(cell.start, cell.end);
        switch (cell.kind) {
            case FlowLayout::Cell::Kind::Plain:
            case FlowLayout::Cell::Kind::Hanging:
                if (cell.scale == 1) {
                    drawText(characters, face, size, true, color, right, top);
                    break;
                }
                drawScaled(characters, cell, face, color, right, top);
                break;
            case FlowLayout::Cell::Kind::Figure:
                if (cell.figure < paragraph.notes.size())
                    drawFigure(paragraph.notes[cell.figure].value, cell, face, right, top,
                               state.inkColor);
                break;
            case FlowLayout::Cell::Kind::Upright: {
                // Across the column: two half-width characters fill the cell; more are set
                // smaller so that they still fit.
                const int count = std::max<int>(2, static_cast<int>(characters.size()));
                const int height = std::max(1, size * 2 / count);
                drawText(characters, face, height, false, color, right - size,
                         top + (size - height) / 2);
                break;
            }
            case FlowLayout::Cell::Kind::Warichu: {
                const int half = std::max(1, size / 2);
                int y = top;
                for (const char32_t c : characters) {
                    drawText(std::u32string_view(&c, 1), face, half, true, color, right, y);
                    y += half;
                }
                y = top;
                for (const char32_t c : slice(cell.leftStart, cell.leftEnd)) {
                    drawText(std::u32string_view(&c, 1), face, half, true, color, right - half, y);
                    y += half;
                }
                break;
            }
        }
    }
}

void ProsePagePainter::drawScaled(std::u32string_view characters, const FlowLayout::Cell& cell,
                                  Face face, COLORREF color, int right, int top) {
    // Centred across the body, one character after another from the top of the cell: the
    // rows a cell leaves over fall at the end of the run, not inside a word.
    const int size = metrics_.fontSize;
    const int height = std::max(1, static_cast<int>(std::lround(size * cell.scale)));
    const int x = right + (height - size) / 2;
    int y = top;
    for (std::size_t i = 0; i < characters.size(); ++i, y += height)
        drawText(characters.substr(i, 1), face, height, true, color, x, y);
}

void ProsePagePainter::drawFigure(std::u32string_view caption, const FlowLayout::Cell& cell,
                                  Face face, int right, int top, COLORREF color) {
    // A thin frame a little wider than the body and as tall as the cell, drawn with box
    // characters in a horizontal face (their strokes run through the middle of the em), and
    // the caption down the middle, smaller when it is longer than the frame.
    const int size = metrics_.fontSize;
    const int pad = std::max(1, size / 5);
    const int left = right - size - pad;
    const int east = right + pad;
    const int bottom = top + cell.rows * size - pad;
    const int northY = top + pad;
    const int box = std::max(2, size / 2);
    const int half = box / 2;
    auto stroke = [&](char32_t c, int x, int y) {
        drawText(std::u32string_view(&c, 1), Face::Mincho, box, false, color, x - half, y - half);
    };
    for (int x = left; x < east; x += half) {
        stroke(U'─', x, northY);
        stroke(U'─', x, bottom);
    }
    for (int y = northY; y < bottom; y += half) {
        stroke(U'│', left, y);
        stroke(U'│', east, y);
    }
    stroke(U'┐', east, northY);
    stroke(U'┌', left, northY);
    stroke(U'┘', east, bottom);
    stroke(U'└', left, bottom);
    std::u32string text = U"挿絵";
    if (!caption.empty() && caption != text) text.append(U"：").append(caption);
    const int room = bottom - northY - 2 * pad;
    const int count = static_cast<int>(text.size());
    const int height = std::clamp(room / std::max(1, count), 1, size * 4 / 5);
    int y = northY + pad + std::max(0, (room - count * height) / 2);
    const int x = right - (size - height) / 2;
    for (std::size_t i = 0; i < text.size(); ++i, y += height)
        drawText(std::u32string_view(text).substr(i, 1), face, height, true, color, x, y);
}

void ProsePagePainter::drawRuby(const prose::ProseDocument& document,
                                const FlowLayout::RubyMark& mark, const ProsePaintState& state) {
    if (mark.paragraph >= document.paragraphs.size()) return;
    const prose::Paragraph& paragraph = document.paragraphs[mark.paragraph];
    const std::u32string* reading = nullptr;
    if (mark.left) {
        if (mark.index < paragraph.notes.size()) reading = &paragraph.notes[mark.index].value;
    } else if (mark.index < paragraph.ruby.size()) {
        reading = &paragraph.ruby[mark.index].reading;
    }
    if (reading == nullptr || mark.readingStart >= mark.readingEnd ||
        mark.readingEnd > reading->size())
        return;
    const std::u32string_view part = std::u32string_view(*reading).substr(
        mark.readingStart, mark.readingEnd - mark.readingStart);
    const int size = metrics_.rubySize;
    // Spread over the base when it is longer than the reading, packed and centred otherwise.
    const double top = metrics_.rowY(mark.top);
    const double span = std::max(0.0, metrics_.rowY(mark.bottom) - top);
    const double step = std::max<double>(size, span / static_cast<double>(part.size()));
    const double first = top + (span - step * static_cast<double>(part.size())) / 2;
    const int x = mark.left ? metrics_.bodyX(mark.column) : metrics_.rubyX(mark.column) + size;
    for (std::size_t i = 0; i < part.size(); ++i) {
        const double y = first + step * static_cast<double>(i) + (step - size) / 2;
        drawText(part.substr(i, 1), Face::Mincho, size, true, state.inkColor, x,
                 static_cast<int>(std::lround(y)));
    }
}

void ProsePagePainter::drawNote(const prose::ProseDocument& document,
                                const FlowLayout::NoteMark& mark, const ProsePaintState& state) {
    if (mark.paragraph >= document.paragraphs.size()) return;
    const prose::Paragraph& paragraph = document.paragraphs[mark.paragraph];
    if (mark.note >= paragraph.notes.size()) return;
    const prose::Note& note = paragraph.notes[mark.note];
    const int size = metrics_.fontSize;
    const int ruby = metrics_.rubySize;
    for (int row = mark.firstRow; row <= mark.lastRow; ++row) {
        const int top = static_cast<int>(std::lround(metrics_.rowY(row)));
        if (isEmphasis(note.kind)) {
            const char32_t dot = emphasisMark(note.value.empty() ? note.kind : note.value);
            drawText(std::u32string_view(&dot, 1), Face::Mincho, ruby, true, state.inkColor,
                     metrics_.rubyX(mark.column) + ruby, top + (size - ruby) / 2);
        } else if (isSideLine(note.kind)) {
            const char32_t line = sideLine(note.value.empty() ? note.kind : note.value);
            // A horizontal face keeps the stroke upright; its em square, one row tall, is
            // centred on the middle of the ruby band.
            drawText(std::u32string_view(&line, 1), Face::Mincho, size, false, state.inkColor,
                     metrics_.rubyX(mark.column) + ruby / 2 - size / 2, top);
        }
    }
}

void ProsePagePainter::drawText(std::u32string_view text, Face face, int height, bool vertical,
                                COLORREF color, int x, int y) {
    if (text.empty()) return;
    const HDC dc = surface_.hDC();
    const auto key = std::make_tuple(face == Face::Gothic, height, vertical);
    auto record = [&] {
        const String name = face == Face::Gothic ? String(u"ＭＳ ゴシック") : String(u"ＭＳ 明朝");
        return textFontRecord(-height, vertical ? kDown : 0, vertical ? u"@" + name : name);
    };
    if (preparing_) {
        surface_.prepareTextW(record(), text);
        return;
    }
    auto found = fonts_.find(key);
    if (found == fonts_.end()) {
        const HFONT font = surface_.CreateFontIndirectA(record());
        if (!font) return;
        found = fonts_.emplace(key, font).first;
    }
    const HGDIOBJ previous = surface_.SelectObject(dc, found->second);
    if (!previous) return;
    surface_.SetTextColor(dc, color);
    static_cast<void>(surface_.TextOutW(dc, x, y, text));
    surface_.SelectObject(dc, previous);
}

void ProsePagePainter::releaseFonts() {
    for (const auto& [key, font] : fonts_) surface_.DeleteObject(font);
    fonts_.clear();
}

}  // namespace tavelo
