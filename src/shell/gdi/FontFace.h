#pragma once

#include <QPainterPath>
#include <QRawFont>
#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

struct hb_buffer_t;
struct hb_face_t;
struct hb_font_t;
class QString;

namespace tavelo {

struct FontDrawCounters;

// One installed font file, size independent: HarfBuzz shapes with it and Qt gives the glyph
// outlines, both in design units and from the same file. The first family of the face that
// Qt matches is used, without hinting, so that nothing depends on the screen.
class FontFace {
public:
    struct ShapedGlyph {
        std::uint32_t id = 0;  // 0 is the missing glyph
        std::int32_t xOffset = 0;
        std::int32_t yOffset = 0;  // design units, y up, from the pen position
    };
    // One character shaped on its own: its glyphs and the pen's advance (positive, along the
    // line: down for an upright character, right for one on its side).
    struct ShapedCharacter {
        std::vector<ShapedGlyph> glyphs;
        std::int32_t advance = 0;
    };

    // `counters` outlives the face and counts its loading and shaping.
    FontFace(const QString& family, FontDrawCounters& counters);
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    [[nodiscard]] int unitsPerEm() const { return unitsPerEm_; }
    // The GDI cell: ascent and descent in design units (the Windows metrics of the font).
    [[nodiscard]] int cellAscent() const { return cellAscent_; }
    [[nodiscard]] int cellDescent() const { return cellDescent_; }

    // Shapes c upright in vertical text (top to bottom, with the vertical forms) or on its
    // side (left to right). Offsets of upright glyphs are taken from the vertical origin, the
    // top centre of the character's vertical advance. Remembered when `cache` is set.
    [[nodiscard]] ShapedCharacter shape(char32_t c, bool upright, bool cache);
    // A character with the combining marks or variation selectors after it, shaped together
    // as one (never remembered: such clusters are rare).
    [[nodiscard]] ShapedCharacter shapeCluster(std::u32string_view cluster, bool upright);

    // The font the outlines come from, at one pixel per design unit: drawn as a glyph run it
    // gives the same outlines as text, with the font file behind it.
    [[nodiscard]] const QRawFont& rawFont() const { return rawFont_; }

    // The outline in design units, y down, from the glyph's horizontal origin.
    [[nodiscard]] QPainterPath outline(std::uint32_t glyph, bool cache);

private:
    [[nodiscard]] ShapedCharacter shapeText(std::u32string_view text, bool upright);

    QRawFont rawFont_;  // at one pixel per design unit
    hb_face_t* hbFace_ = nullptr;
    hb_font_t* hbFont_ = nullptr;
    hb_buffer_t* buffer_ = nullptr;
    FontDrawCounters& counters_;
    int unitsPerEm_ = 1000;
    int cellAscent_ = 0;
    int cellDescent_ = 0;
    std::unordered_map<std::uint32_t, ShapedCharacter> shaped_;  // c | upright << 21
    std::unordered_map<std::uint32_t, QPainterPath> outlines_;
};

}  // namespace tavelo
