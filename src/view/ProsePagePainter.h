#pragma once

#include <cstddef>
#include <map>
#include <string_view>
#include <tuple>
#include <vector>

#include "flow/FlowLayout.h"
#include "prose/ProseSearch.h"
#include "view/GdiTypes.h"

namespace tavelo {

class DrawingSurface;

// What the window adds to a page of prose: colours, the face and the search hits.
struct ProsePaintState {
    COLORREF inkColor = RGB(0, 0, 0);
    COLORREF hitColor = RGB(0, 0, 255);
    bool gothic = false;  // the body in the Gothic face instead of the Mincho
    // Search hits as prose::mergeHits gives them: sorted, not overlapping.
    std::vector<prose::TextHit> hits;
    // Which readings are drawn: all, none, or only the ruby mark `onlyRuby` of the page (the
    // one under the pointer).
    enum class Ruby { All, None, Only };
    Ruby ruby = Ruby::All;
    std::size_t onlyRuby = 0;
};

// Draws one flowing page of a prose document on a drawing surface, in the page's geometry
// (flow::FlowMetrics): every cell of every column with the Unicode text call, upright in the
// vertical face; tate-chu-yoko cells across the column in the horizontal face; warichu in two
// half-size lines; text of another size scaled in the rows its cells take; a figure as its
// caption in a thin frame; ruby at half size beside its base (left ruby on the left); emphasis
// marks and side lines in the ruby band; bold text and headings in the Gothic face. Clears nothing:
// the caller clears the surface first.
class ProsePagePainter {
public:
    explicit ProsePagePainter(DrawingSurface& surface);

    void paint(const prose::ProseDocument& document, const flow::FlowMetrics& metrics,
               const flow::FlowLayout::Page& page, const ProsePaintState& state);
    // Draws nothing: hands the surface every text the page would draw as prepareTextW, so that
    // a surface with caches makes the glyphs before the page is shown.
    void prepare(const prose::ProseDocument& document, const flow::FlowMetrics& metrics,
                 const flow::FlowLayout::Page& page, const ProsePaintState& state);

private:
    enum class Face { Mincho, Gothic };

    void drawColumn(const prose::Paragraph& paragraph, const flow::FlowLayout::Column& column,
                    const ProsePaintState& state);
    // Text of another size (a cell's scale), and a figure's caption in its frame.
    void drawScaled(std::u32string_view characters, const flow::FlowLayout::Cell& cell, Face face,
                    COLORREF color, int right, int top);
    void drawFigure(std::u32string_view caption, const flow::FlowLayout::Cell& cell, Face face,
                    int right, int top, COLORREF color);
    void drawRuby(const prose::ProseDocument& document, const flow::FlowLayout::RubyMark& mark,
                  const ProsePaintState& state);
    void drawNote(const prose::ProseDocument& document, const flow::FlowLayout::NoteMark& mark,
                  const ProsePaintState& state);
    // Draws text with the font of that face and height (pixels of the em), vertical or not,
    // from its reference point (the em square's top-right corner for vertical text, top-left
    // otherwise).
    void drawText(std::u32string_view text, Face face, int height, bool vertical, COLORREF color,
                  int x, int y);
    [[nodiscard]] bool isHit(const ProsePaintState& state, std::size_t paragraph,
                             prose::Offset offset) const;
    [[nodiscard]] Face faceOf(const prose::Paragraph& paragraph, prose::Heading heading,
                              prose::Offset offset, bool gothicBody) const;
    void releaseFonts();

    DrawingSurface& surface_;
    flow::FlowMetrics metrics_;
    bool preparing_ = false;
    // The fonts of one page, by (Gothic, height, vertical), deleted when the page is drawn.
    std::map<std::tuple<bool, int, bool>, HFONT> fonts_;
};

}  // namespace tavelo
