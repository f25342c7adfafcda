#pragma once

#include <QTransform>
#include <cstdint>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "view/GdiTypes.h"

namespace tavelo {

class FontFace;
struct FontDrawCounters;

// A font as CreateFontIndirectA makes it: a face at the record's size, turned by its
// escapement, drawing vertically (upright CJK) when its name began with "@".
//
// Geometry, in the text's own frame (u along the text, v across it, "down" for the glyphs):
// the em square of the first character spans u in [0, em] and v in [0, em] from the reference
// point. An escapement of 2700 points u down and v left, so the reference point is the
// top-right corner of the em square and the text runs down the column. Upright characters sit
// on HarfBuzz's vertical origin at the top centre of the square; characters on their side
// stand on a baseline at the font's ascent, as GDI places horizontal text.
class GdiFont {
public:
    // A character rasterised once, blended anywhere: coverage 0-255 of the pixels from
    // (left, top) relative to the pen point, and the advance of the pen in whole pixels.
    struct GlyphImage {
        int left = 0;
        int top = 0;
        int width = 0;
        int height = 0;
        std::vector<std::uint8_t> coverage;  // width * height, row by row
        int advance = 0;
    };

    // A character as glyphs of the face: each glyph's design outline (FontFace::outline, at one
    // pixel per design unit) goes to device pixels relative to the pen point through its
    // transform. Vector output draws these; the images below are made from them.
    struct PlacedGlyph {
        std::uint32_t id = 0;
        QTransform toDevice;
    };
    struct PlacedCharacter {
        std::vector<PlacedGlyph> glyphs;  // the glyphs the font lacks are left out
        int advance = 0;
    };

    // Ems beyond this are drawn at it; larger glyph images would exhaust memory.
    static constexpr double kMaxEm = 2048.0;
    // GDI's choice for a height of 0: 12 points at 96 pixels per inch.
    static constexpr double kDefaultEm = 16.0;

    GdiFont(std::shared_ptr<FontFace> face, bool vertical, const LOGFONTA& logFont,
            FontDrawCounters& counters);

    // False when text of `characterCount` characters at (x, y) cannot ink any pixel of an
    // image of the given size: its em squares, widened by half an em for overhanging ink, lie
    // wholly outside.
    [[nodiscard]] bool mayInk(std::int64_t x, std::int64_t y, int characterCount, int width,
                              int height) const;

    // The pen's offset after `advance` pixels along the text, rounded to whole pixels.
    [[nodiscard]] std::int64_t penX(int advance) const;
    [[nodiscard]] std::int64_t penY(int advance) const;

    // The image of c: double-byte characters stand upright in a vertical font, single-byte ones
    // lie on their side as in GDI. With `cache` set it is rendered once and kept.
    [[nodiscard]] const GlyphImage& glyph(char32_t c, bool doubleByte, bool cache);
    // The glyphs of c and where they stand, shaped as glyph() shapes them.
    [[nodiscard]] PlacedCharacter place(char32_t c, bool doubleByte, bool cache);
    // The same for a cluster of TextOutW (a character and its combining marks): one character
    // is glyph(c, wide, cache); a longer cluster is shaped as one and not remembered.
    [[nodiscard]] const GlyphImage& glyph(std::u32string_view cluster, bool wide, bool cache);
    [[nodiscard]] PlacedCharacter place(std::u32string_view cluster, bool wide, bool cache);
    [[nodiscard]] FontFace& face() const { return *face_; }

private:
    [[nodiscard]] GlyphImage render(std::u32string_view cluster, bool doubleByte, bool cache);
    // The box that text of `characterCount` characters may ink, relative to its point: its em
    // squares widened by half an em on every side.
    void reach(int characterCount, double& left, double& top, double& right, double& bottom) const;

    std::shared_ptr<FontFace> face_;
    FontDrawCounters& counters_;
    bool vertical_ = true;
    double em_ = kDefaultEm;
    double baseline_ = 0.0;  // v of the baseline of characters on their side
    double alongX_ = 0.0;    // unit vector u in device pixels
    double alongY_ = 1.0;
    double acrossX_ = -1.0;  // unit vector v in device pixels
    double acrossY_ = 0.0;
    // Where one character may ink, relative to the reference point (see mayInk).
    double reachLeft_ = 0.0;
    double reachTop_ = 0.0;
    double reachRight_ = 0.0;
    double reachBottom_ = 0.0;
    std::unordered_map<std::uint32_t, GlyphImage> glyphs_;  // c | doubleByte << 21
    GlyphImage scratch_;
};

}  // namespace tavelo
