#include "view/ManuscriptPainter.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "common/CodePage932.h"
#include "common/Error.h"
#include "layout/CEisuuCyotai.h"
#include "view/DrawingSurface.h"

namespace tavelo {
namespace {

const String kBodyFace = u"@ＭＳ 明朝";
const String kRubiFace = u"@ＭＳ 明朝";
const String kAcrossFace = u"ＭＳ 明朝";
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr LONG kDown = 2700;
// A bracketed kanji in the ruby is drawn this much larger, as the view draws it.
constexpr double kKanjiRubiScale = 1.25;

bool isBlank(char16_t c) {
    return c == u' ' || c == u'　';
}

int toUnits(double points, double unitsPerPoint) {
    return static_cast<int>(std::lround(points * unitsPerPoint));
}

// The page number in full-width digits: each is one em wide, so the number centres exactly.
String fullWidthNumber(int page) {
    String text;
    for (char digit : std::to_string(page)) text += static_cast<char16_t>(u'０' + (digit - '0'));
    return text;
}

}  // namespace

ManuscriptPainter::ManuscriptPainter(DrawingSurface& surface, const CEisuuCyotai& fonts)
    : surface_(surface), fonts_(fonts), bodyFonts_(fonts) {}

LONG ManuscriptPainter::heightOf(double points, double unitsPerPoint) {
    return -std::max(1, toUnits(points, unitsPerPoint));
}

ManuscriptPainter::Point ManuscriptPainter::bodyPoint(const ManuscriptGeometry& geometry,
                                                      const ManuscriptLayout::Cell& cell,
                                                      double unitsPerPoint) {
    const double top = geometry.rowTop(cell.row) + (geometry.rowPitch() - geometry.fontSize()) / 2;
    return {toUnits(geometry.bodyRight(cell.column), unitsPerPoint), toUnits(top, unitsPerPoint)};
}

ManuscriptPainter::Point ManuscriptPainter::rubiPoint(const ManuscriptGeometry& geometry,
                                                      const ManuscriptLayout::RubiCell& cell,
                                                      bool kanji, double unitsPerPoint) {
    const double size = geometry.rubiSize() * (kanji ? kKanjiRubiScale : 1.0);
    const double slot = geometry.rowPitch() / 2;
    const double top = geometry.rowTop(cell.row) + cell.half * slot + (slot - size) / 2;
    return {toUnits(geometry.bodyRight(cell.column) + size, unitsPerPoint),
            toUnits(top, unitsPerPoint)};
}

const LOGFONTA& ManuscriptPainter::bodyFont(const String& shortName, LONG height) {
    return bodyFonts_.at(shortName, height);
}

void ManuscriptPainter::paintPage(const ManuscriptLayout& layout, int page,
                                  const ManuscriptGeometry& geometry, const Options& options) {
    if (page < 1 || page > layout.pageCount() || !geometry.fits()) return;
    const double units = options.unitsPerPoint;

    const LONG bodyHeight = heightOf(geometry.fontSize(), units);
    for (const ManuscriptLayout::Cell& cell : layout.cellsOn(page)) {
        const ManuscriptLayout::Line& line = layout.line(cell.line);
        const char16_t c = line.bun[static_cast<std::size_t>(cell.dan - 1)];
        if (isBlank(c)) continue;
        const auto index = static_cast<std::size_t>(cell.dan - 1);
        const String& shortName = index < line.fontData.size() ? line.fontData[index] : kBodyFace;
        const std::array<char, 2> bytes = ansiCharacter(c);
        drawText(surface_, bodyFont(shortName, bodyHeight), bytes.data(), 2,
                 bodyPoint(geometry, cell, units));
    }

    const LOGFONTA plain = textFontRecord(heightOf(geometry.rubiSize(), units), kDown, kRubiFace);
    const LOGFONTA kanji =
        textFontRecord(heightOf(geometry.rubiSize() * kKanjiRubiScale, units), kDown, kRubiFace);
    for (const ManuscriptLayout::RubiCell& cell : layout.rubiCellsOn(page)) {
        const ManuscriptLayout::Line& line = layout.line(cell.line);
        const auto index = static_cast<std::size_t>(cell.slot - 1);
        const bool isKanji = index < line.kanjiRubi.size() && line.kanjiRubi[index];
        const std::array<char, 2> bytes = ansiCharacter(line.rubi[index]);
        drawText(surface_, isKanji ? kanji : plain, bytes.data(), 2,
                 rubiPoint(geometry, cell, isKanji, units));
    }

    paintMargins(surface_, page, geometry, options);
}

void ManuscriptPainter::paintMargins(DrawingSurface& surface, int page,
                                     const ManuscriptGeometry& geometry, const Options& options) {
    if (options.pageNumbers)
        drawAcross(surface, fullWidthNumber(page), geometry.numberTop(), geometry, options);
    if (!options.title.empty())
        drawAcross(surface, options.title, geometry.titleTop(), geometry, options);
}

void ManuscriptPainter::drawAcross(DrawingSurface& surface, const String& text, double top,
                                   const ManuscriptGeometry& geometry, const Options& options) {
    const double size = geometry.marginTextSize();
    // Double-byte characters are one em wide, single-byte ones half an em.
    double ems = 0;
    for (char16_t c : text) ems += CodePage932::encodeChar(c).length == 2 ? 1.0 : 0.5;
    const double left = (geometry.pageWidth() - ems * size) / 2;
    const std::string bytes = CodePage932::encode(text);
    drawText(surface, textFontRecord(heightOf(size, options.unitsPerPoint), 0, kAcrossFace),
             bytes.data(), static_cast<int>(bytes.size()),
             {toUnits(left, options.unitsPerPoint), toUnits(top, options.unitsPerPoint)});
}

void ManuscriptPainter::drawText(DrawingSurface& surface, const LOGFONTA& font, const char* bytes,
                                 int length, Point at) {
    const HDC hdc = surface.hDC();
    HFONT created;
    for (int i = 0; i < kTries && !created; ++i) created = surface.CreateFontIndirectA(font);
    if (!created) return;
    HGDIOBJ previous;
    for (int i = 0; i < kTries && !previous; ++i) previous = surface.SelectObject(hdc, created);
    if (previous) {
        surface.SetTextColor(hdc, kBlack);
        for (int i = 0; i < kTries; ++i)
            if (surface.TextOutA(hdc, at.x, at.y, bytes, length) != 0) break;
        surface.SelectObject(hdc, previous);
    }
    surface.DeleteObject(created);
}

}  // namespace tavelo
