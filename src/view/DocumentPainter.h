#pragma once

#include <limits>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <unordered_map>
#include <utility>
#include <vector>

#include "common/ClassicTypes.h"
#include "view/BodyFonts.h"
#include "view/GdiTypes.h"

namespace tavelo {

class CEisuuCyotai;
class CViewData;
class DrawingSurface;

// The window state the drawing passes read.
struct PaintState {
    Long offsetX = 0;       // m_OffsetX, added to every x position
    bool isSearch = false;  // m_IsSearch: hits are shown
    COLORREF hitColor = RGB(0, 0, 255);
    COLORREF inkColor = RGB(0, 0, 0);  // body and ruby; printing keeps black
    int viewWidth = 0;                 // the view's width in pixels; 0 draws every line
    // The lines drawn, 1-based and inclusive: a printed page leaves out the lines that belong
    // to its neighbours even where they would show in part.
    Integer firstLine = 1;
    Integer lastLine = std::numeric_limits<Integer>::max();
};

// The body and ruby passes of both styles. Each draws the characters of the current document
// at their stored positions plus the offset, one vertical font per character through the GDI
// calls of the drawing surface. Lines whose column lies wholly outside the view are skipped,
// which changes nothing that can be seen. The ruby of a line whose body has left the view at
// its left edge is left out too, culled or not, as it would stand alone there. The passes hand the
// characters near the view to the surface to prepare, so that scrolling finds the next pages' fonts
// and glyphs made.
class DocumentPainter {
public:
    // How often font creation, selection and text output are tried before a character is
    // given up.
    static constexpr int kTries = 3;

    DocumentPainter(DrawingSurface& picView, const CEisuuCyotai& fonts);

    void DrawSmallBun(const CViewData& view, const PaintState& state);
    // tier 0 draws the upper tiers of all lines, 1 the lower tiers; other values nothing.
    void DrawBigBun(const CViewData& view, Integer tier, const PaintState& state);
    void DrawSmallRubi(const CViewData& view, const PaintState& state);
    void DrawBigRubi(const CViewData& view, Integer tier, const PaintState& state);

private:
    void drawBunLines(const CViewData& view, Integer style, Integer tier, const PaintState& state);
    void drawRubiLines(const CViewData& view, Integer style, Integer tier, const PaintState& state);
    struct RubiFonts {
        LOGFONTA plain;
        LOGFONTA kanji;  // for bracketed kanji, a quarter larger
    };

    void drawCharacter(std::optional<char16_t> c, const LOGFONTA& font, COLORREF color, Long x,
                       Long y);
    [[nodiscard]] LONG bunHeight(const CViewData& view, Integer style) const;
    [[nodiscard]] RubiFonts rubiFonts(const CViewData& view, Integer style) const;
    // A culling pass hands the characters of the lines in and near the view (one view width
    // on either side) to the surface to prepare, once per document, style and font size; the
    // rest is made as it is drawn. Records are told apart by address: a record made later at
    // the same address is prepared only as it is drawn, which costs time, never pixels.
    void prepareOnFirstSight(const CViewData& view, Integer style, const PaintState& state);
    [[nodiscard]] const LOGFONTA& bodyFont(const String& shortName, LONG height);
    [[nodiscard]] bool columnVisible(Long x, LONG height, const PaintState& state) const;
    // The characters of line g's body in the tier (style 1) as first and last, 1-based.
    [[nodiscard]] static std::pair<Integer, Integer> bunRange(const CViewData& view, Integer style,
                                                              Integer tier, Integer g);
    // Whether some of line g's body in the tier shows in the view. A line whose body has left
    // the view at its left edge draws no ruby: ruby standing alone beside the edge would read
    // as belonging to nothing.
    [[nodiscard]] static bool bodyInkInView(const CViewData& view, Integer style, Integer tier,
                                            Integer g, const PaintState& state);

    DrawingSurface& picView_;
    const CEisuuCyotai& fonts_;
    // Face names resolved once per short name: the font list does not change while the
    // program runs.
    BodyFonts bodyFonts_;
    std::map<std::tuple<const CViewData*, Integer, LONG>, std::vector<bool>> prepared_;
};

}  // namespace tavelo
