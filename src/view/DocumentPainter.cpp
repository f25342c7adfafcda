#include "DocumentPainter.h"

#include <algorithm>
#include <array>

#include "common/CheckedArithmetic.h"
#include "common/CodePage932.h"
#include "common/Error.h"
#include "common/Rounding.h"
#include "layout/CEisuuCyotai.h"
#include "store/CViewData.h"
#include "view/DrawingSurface.h"

namespace tavelo {
namespace {

constexpr char16_t kHalfSpace = u' ';
constexpr char16_t kFullSpace = u'　';
const String kRubiFace = u"@ＭＳ 明朝";

// The fields every pass sets the same way: a vertical font of normal weight.
LOGFONTA verticalFont(LONG height, const String& face) {
    return textFontRecord(height, 2700, face);
}

// The one-character substring at d (1-based); past the end of the text there is none.
std::optional<char16_t> characterAt(const String& text, Integer d) {
    if (d < 1 || static_cast<std::size_t>(d) > text.size()) return std::nullopt;
    return text[static_cast<std::size_t>(d - 1)];
}

// The character in the code page with its terminator; past the end of the text, two zero
// bytes.
std::array<char, 2> encoded(std::optional<char16_t> c) {
    return c ? ansiCharacter(*c) : std::array<char, 2>{0, 0};
}

}  // namespace

DocumentPainter::DocumentPainter(DrawingSurface& picView, const CEisuuCyotai& fonts)
    : picView_(picView), fonts_(fonts), bodyFonts_(fonts) {}

void DocumentPainter::DrawSmallBun(const CViewData& view, const PaintState& state) {
    drawBunLines(view, 0, 0, state);
}

void DocumentPainter::DrawBigBun(const CViewData& view, Integer tier, const PaintState& state) {
    if (tier == 0 || tier == 1) drawBunLines(view, 1, tier, state);
}

void DocumentPainter::DrawSmallRubi(const CViewData& view, const PaintState& state) {
    drawRubiLines(view, 0, 0, state);
}

void DocumentPainter::DrawBigRubi(const CViewData& view, Integer tier, const PaintState& state) {
    if (tier == 0 || tier == 1) drawRubiLines(view, 1, tier, state);
}

bool DocumentPainter::columnVisible(Long x, LONG height, const PaintState& state) const {
    if (state.viewWidth <= 0) return true;
    // A glyph stands left of its x within one em; two ems of margin on each side leave room
    // for ink that reaches beyond the em square.
    const long em = height < 0 ? -static_cast<long>(height) : static_cast<long>(height);
    const long right = static_cast<long>(state.offsetX) + x;
    return right >= -2 * em && right - 3 * em <= state.viewWidth;
}

bool DocumentPainter::bodyInkInView(const CViewData& view, Integer style, Integer tier, Integer g,
                                    const PaintState& state) {
    // Not a culling: the view's left edge is at 0 whatever its width, and drawing every line
    // must show the same.
    const auto [first, last] = bunRange(view, style, tier, g);
    if (first > last) return true;  // ruby over no body of this tier is culled on its own
    const PositionTables::Kind x =
        style == 0 ? PositionTables::kSmallBunX : PositionTables::kBigBunX;
    // The cell stands left of its x: the body shows when that edge is right of the view's.
    return checked::add(state.offsetX, view.position(x, g, first)) > 0;
}

std::pair<Integer, Integer> DocumentPainter::bunRange(const CViewData& view, Integer style,
                                                      Integer tier, Integer g) {
    if (style == 0) return {Integer{1}, view.LenBunDan(g)};
    if (tier == 0) return {Integer{1}, view.LenBigBunDan(0, g)};
    return {checked::add(checked::intDiv(view.Plusminus1MaxLenDan(), Integer{2}), Integer{1}),
            checked::add(view.LenBigBunDan(0, g), view.LenBigBunDan(1, g))};
}

const LOGFONTA& DocumentPainter::bodyFont(const String& shortName, LONG height) {
    return bodyFonts_.at(shortName, height);
}

void DocumentPainter::drawBunLines(const CViewData& view, Integer style, Integer tier,
                                   const PaintState& state) {
    const LONG height = bunHeight(view, style);
    const PositionTables::Kind x =
        style == 0 ? PositionTables::kSmallBunX : PositionTables::kBigBunX;
    const PositionTables::Kind y =
        style == 0 ? PositionTables::kSmallBunY : PositionTables::kBigBunY;
    prepareOnFirstSight(view, style, state);
    const Integer end = std::min(view.GyouArraySize(), state.lastLine);
    for (Integer g = std::max(Integer{1}, state.firstLine); g <= end; ++g) {
        const auto [first, last] = bunRange(view, style, tier, g);
        if (first > last || !columnVisible(view.position(x, g, first), height, state)) continue;
        const String& bun = view.Bun(g);
        for (Integer d = first; d <= last; ++d) {
            const LOGFONTA& font = bodyFont(view.FontData(g, d), height);
            const COLORREF color =
                (view.ReversalChar(g, d) && state.isSearch) ? state.hitColor : state.inkColor;
            const Long left = checked::add(state.offsetX, view.position(x, g, d));
            drawCharacter(characterAt(bun, d), font, color, left, view.position(y, g, d));
        }
    }
}

void DocumentPainter::drawRubiLines(const CViewData& view, Integer style, Integer tier,
                                    const PaintState& state) {
    const RubiFonts fonts = rubiFonts(view, style);
    const LOGFONTA& plain = fonts.plain;
    const LOGFONTA& kanji = fonts.kanji;
    const PositionTables::Kind x =
        style == 0 ? PositionTables::kSmallRubiX : PositionTables::kBigRubiX;
    const PositionTables::Kind y =
        style == 0 ? PositionTables::kSmallRubiY : PositionTables::kBigRubiY;
    prepareOnFirstSight(view, style, state);
    const Integer end = std::min(view.GyouArraySize(), state.lastLine);
    for (Integer g = std::max(Integer{1}, state.firstLine); g <= end; ++g) {
        Integer first = 1;
        Integer last = view.LenRubiDan(g);
        if (style == 1 && tier == 0) {
            last = view.LenBigRubiDan(0, g);
        } else if (style == 1) {
            first = checked::add(view.Plusminus1MaxLenDan(), Integer{1});
            last = checked::add(view.LenBigRubiDan(0, g), view.LenBigRubiDan(1, g));
        }
        if (first > last || !columnVisible(view.position(x, g, first), kanji.lfHeight, state) ||
            !bodyInkInView(view, style, tier, g, state))
            continue;
        const String& rubi = view.Rubi(g);
        for (Integer d = first; d <= last; ++d) {
            const auto c = characterAt(rubi, d);
            if (c == kHalfSpace || c == kFullSpace) continue;
            const LOGFONTA& font = view.IsKanjiRubi(g, d) ? kanji : plain;
            const Long left = checked::add(state.offsetX, view.position(x, g, d));
            drawCharacter(c, font, state.inkColor, left, view.position(y, g, d));
        }
    }
}

LONG DocumentPainter::bunHeight(const CViewData& view, Integer style) const {
    return -MulDiv(view.FontSizeBun(style), picView_.GetDeviceCaps(picView_.hDC(), LOGPIXELSY), 72);
}

DocumentPainter::RubiFonts DocumentPainter::rubiFonts(const CViewData& view, Integer style) const {
    const int pixelsPerInch = picView_.GetDeviceCaps(picView_.hDC(), LOGPIXELSY);
    const Byte size = view.FontSizeRubi(style);
    const auto kanjiSize = rounding::roundToInteger(static_cast<double>(size) * 1.25);
    return {verticalFont(-MulDiv(size, pixelsPerInch, 72), kRubiFace),
            verticalFont(-MulDiv(kanjiSize, pixelsPerInch, 72), kRubiFace)};
}

void DocumentPainter::prepareOnFirstSight(const CViewData& view, Integer style,
                                          const PaintState& state) {
    // Without culling every character is drawn anyway.
    if (state.viewWidth <= 0) return;
    const LONG height = bunHeight(view, style);
    const RubiFonts fonts = rubiFonts(view, style);
    if (prepared_.size() > 64) prepared_.clear();  // sizes a long session of zooming left behind
    std::vector<bool>& prepared = prepared_[{&view, style, height}];
    const auto lines = static_cast<std::size_t>(std::max<Integer>(view.GyouArraySize(), 0));
    if (prepared.size() != lines + 1) prepared.assign(lines + 1, false);
    // The view and one view width on either side: the next pages come from there. The rest
    // is made when it is drawn.
    PaintState margin = state;
    margin.offsetX = checked::add(state.offsetX, static_cast<Long>(state.viewWidth));
    margin.viewWidth = 3 * state.viewWidth;
    const PositionTables::Kind x =
        style == 0 ? PositionTables::kSmallBunX : PositionTables::kBigBunX;
    for (Integer g = 1; g <= view.GyouArraySize(); ++g) {
        if (prepared[static_cast<std::size_t>(g)]) continue;
        if (view.LenBunDan(g) >= 1 && !columnVisible(view.position(x, g, 1), height, margin))
            continue;
        prepared[static_cast<std::size_t>(g)] = true;
        const String& bun = view.Bun(g);
        for (Integer d = 1; d <= view.LenBunDan(g); ++d)
            picView_.prepareText(bodyFont(view.FontData(g, d), height),
                                 encoded(characterAt(bun, d)).data(), 2);
        const String& rubi = view.Rubi(g);
        for (Integer d = 1; d <= view.LenRubiDan(g); ++d) {
            const auto c = characterAt(rubi, d);
            if (c == kHalfSpace || c == kFullSpace) continue;
            picView_.prepareText(view.IsKanjiRubi(g, d) ? fonts.kanji : fonts.plain,
                                 encoded(c).data(), 2);
        }
    }
}

void DocumentPainter::drawCharacter(std::optional<char16_t> c, const LOGFONTA& font, COLORREF color,
                                    Long x, Long y) {
    const HDC hdc = picView_.hDC();
    HFONT created;
    for (int i = 0; i < kTries && !created; ++i) created = picView_.CreateFontIndirectA(font);
    if (!created) return;
    HGDIOBJ previous;
    for (int i = 0; i < kTries && !previous; ++i) previous = picView_.SelectObject(hdc, created);
    if (previous) {
        picView_.SetTextColor(hdc, color);
        const std::array<char, 2> bytes = encoded(c);
        for (int i = 0; i < kTries; ++i) {
            if (picView_.TextOutA(hdc, x, y, bytes.data(), 2) != 0) break;
        }
        picView_.SelectObject(hdc, previous);
    }
    picView_.DeleteObject(created);
}

}  // namespace tavelo
