#include "shell/gdi/FontFace.h"

#include <hb-ot.h>
#include <hb.h>

#include <QByteArray>
#include <QFont>
#include <QString>
#include <array>
#include <map>
#include <mutex>

#include "shell/gdi/FontDrawCounters.h"

namespace tavelo {
namespace {

// HarfBuzz reads the tables of the very font file Qt draws from.
hb_blob_t* referenceTable(hb_face_t*, hb_tag_t tag, void* userData) {
    const auto* rawFont = static_cast<const QRawFont*>(userData);
    const std::array<char, 5> name{
        static_cast<char>((tag >> 24) & 0xFF), static_cast<char>((tag >> 16) & 0xFF),
        static_cast<char>((tag >> 8) & 0xFF), static_cast<char>(tag & 0xFF), '\0'};
    auto* table = new QByteArray(rawFont->fontTable(name.data()));
    if (table->isEmpty()) {
        delete table;
        return nullptr;
    }
    return hb_blob_create(table->constData(), static_cast<unsigned>(table->size()),
                          HB_MEMORY_MODE_READONLY, table,
                          [](void* data) { delete static_cast<QByteArray*>(data); });
}

QRawFont loadRawFont(const QString& family) {
    QFont font;
    if (!family.isEmpty()) font.setFamily(family);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::NoFontMerging);
    font.setPixelSize(1000);
    QRawFont rawFont = QRawFont::fromFont(font);
    // Outlines at one pixel per design unit are the design outlines, free of any scaling.
    if (rawFont.isValid()) rawFont.setPixelSize(rawFont.unitsPerEm());
    return rawFont;
}

// One HarfBuzz face a family for the whole program: a face keeps the tables it has read (the
// outlines among them, megabytes for the Japanese faces), and every surface, window and PDF
// export would otherwise read and copy them again. Faces are never freed: the families are few.
hb_face_t* sharedFace(const QString& family, const QRawFont& rawFont) {
    static std::mutex lock;
    // Not destroyed at exit either: the faces stay reachable to the very end.
    static auto* const faces = new std::map<QString, hb_face_t*>;
    const std::lock_guard<std::mutex> guard(lock);
    hb_face_t*& face = (*faces)[family];
    if (face == nullptr) {
        face = hb_face_create_for_tables(referenceTable, new QRawFont(rawFont),
                                         [](void* data) { delete static_cast<QRawFont*>(data); });
        hb_face_make_immutable(face);
    }
    return hb_face_reference(face);
}

}  // namespace

FontFace::FontFace(const QString& family, FontDrawCounters& counters)
    : rawFont_(loadRawFont(family)), counters_(counters) {
    ++counters_.facesLoaded;
    hbFace_ = sharedFace(family, rawFont_);
    hbFont_ = hb_font_create(hbFace_);
    buffer_ = hb_buffer_create();
    unitsPerEm_ = static_cast<int>(hb_face_get_upem(hbFace_));
    hb_font_set_scale(hbFont_, unitsPerEm_, unitsPerEm_);

    hb_position_t ascent = 0;
    hb_position_t descent = 0;
    if (hb_ot_metrics_get_position(hbFont_, HB_OT_METRICS_TAG_HORIZONTAL_CLIPPING_ASCENT,
                                   &ascent) &&
        hb_ot_metrics_get_position(hbFont_, HB_OT_METRICS_TAG_HORIZONTAL_CLIPPING_DESCENT,
                                   &descent) &&
        ascent + descent > 0) {
        cellAscent_ = ascent;
        cellDescent_ = descent;
    } else {
        hb_font_extents_t extents{};
        hb_font_get_h_extents(hbFont_, &extents);
        cellAscent_ = extents.ascender;
        cellDescent_ = -extents.descender;
    }
    if (cellAscent_ + cellDescent_ <= 0) {
        cellAscent_ = unitsPerEm_ * 7 / 8;
        cellDescent_ = unitsPerEm_ - cellAscent_;
    }
}

FontFace::~FontFace() {
    hb_buffer_destroy(buffer_);
    hb_font_destroy(hbFont_);
    hb_face_destroy(hbFace_);
}

FontFace::ShapedCharacter FontFace::shape(char32_t c, bool upright, bool cache) {
    // Code points end below 2^21, so the orientation bit cannot collide with a character.
    const std::uint32_t key = std::uint32_t{c} | (upright ? 1u << 21 : 0u);
    if (cache) {
        const auto found = shaped_.find(key);
        if (found != shaped_.end()) return found->second;
    }
    ShapedCharacter shaped = shapeText(std::u32string_view(&c, 1), upright);
    if (cache) shaped_.emplace(key, shaped);
    return shaped;
}

FontFace::ShapedCharacter FontFace::shapeCluster(std::u32string_view cluster, bool upright) {
    return shapeText(cluster, upright);
}

FontFace::ShapedCharacter FontFace::shapeText(std::u32string_view text, bool upright) {
    hb_buffer_clear_contents(buffer_);
    hb_buffer_add_utf32(buffer_, reinterpret_cast<const std::uint32_t*>(text.data()),
                        static_cast<int>(text.size()), 0, static_cast<int>(text.size()));
    hb_buffer_guess_segment_properties(buffer_);
    hb_buffer_set_direction(buffer_, upright ? HB_DIRECTION_TTB : HB_DIRECTION_LTR);
    hb_buffer_set_language(buffer_, hb_language_from_string("ja", -1));
    static const std::array<hb_feature_t, 2> verticalFeatures{{
        {HB_TAG('v', 'e', 'r', 't'), 1, HB_FEATURE_GLOBAL_START, HB_FEATURE_GLOBAL_END},
        {HB_TAG('v', 'r', 't', '2'), 1, HB_FEATURE_GLOBAL_START, HB_FEATURE_GLOBAL_END},
    }};
    hb_shape(hbFont_, buffer_, upright ? verticalFeatures.data() : nullptr,
             upright ? static_cast<unsigned>(verticalFeatures.size()) : 0);
    ++counters_.shapings;

    unsigned count = 0;
    const hb_glyph_info_t* infos = hb_buffer_get_glyph_infos(buffer_, &count);
    const hb_glyph_position_t* positions = hb_buffer_get_glyph_positions(buffer_, &count);
    ShapedCharacter shaped;
    std::int32_t pen = 0;
    for (unsigned i = 0; i < count; ++i) {
        // Offsets from the pen at the start of the character (y up: vertical advances are
        // negative).
        shaped.glyphs.push_back({infos[i].codepoint, positions[i].x_offset + (upright ? 0 : pen),
                                 positions[i].y_offset + (upright ? pen : 0)});
        pen += upright ? positions[i].y_advance : positions[i].x_advance;
    }
    shaped.advance = upright ? -pen : pen;
    return shaped;
}

QPainterPath FontFace::outline(std::uint32_t glyph, bool cache) {
    if (cache) {
        const auto found = outlines_.find(glyph);
        if (found != outlines_.end()) return found->second;
    }
    QPainterPath path = rawFont_.pathForGlyph(glyph);
    if (cache) outlines_.emplace(glyph, path);
    return path;
}

}  // namespace tavelo
