#include "shell/gdi/MFontDraw.h"

#include <QFontDatabase>
#include <QImage>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <limits>
#include <string_view>

#include "shell/gdi/FontFace.h"
#include "shell/gdi/GdiFont.h"

namespace tavelo {
namespace {

constexpr int kPixelsPerInch = 96;
constexpr std::uint32_t kSlotBits = 20;
constexpr std::uint32_t kMaxSlots = 0xFFFF;  // GDI, too, runs out of handles at some point
constexpr std::uint32_t kGenerations = 1u << (32 - kSlotBits);
constexpr std::size_t kMaxCachedFonts = 4096;

// Device contexts of different surfaces differ, so a call on the wrong one is noticed.
HDC nextDeviceContext() {
    static std::atomic<std::uint32_t> next{0xDC00};
    return HDC(next++);
}

// Characters in the text without decoding them: a lead byte takes its trail byte along.
int characterCount(const char* text, int length) {
    int count = 0;
    for (int i = 0; i < length && text[i] != '\0'; ++i, ++count)
        if (CodePage932::isLeadByte(static_cast<std::uint8_t>(text[i]))) ++i;
    return count;
}

std::uint32_t handleValue(std::uint32_t slot, std::uint32_t generation) {
    return (generation << kSlotBits) | (slot + 1);
}

}  // namespace

std::size_t MFontDraw::FontKeyHash::operator()(const FontKey& key) const {
    return std::hash<std::string_view>()(std::string_view(key.data(), key.size()));
}

MFontDraw::MFontDraw(QImage& image)
    : image_(image), deviceContext_(nextDeviceContext()), resolver_(QFontDatabase::families()) {
    slots_.push_back({nullptr, nullptr, 0, true});
}

MFontDraw::~MFontDraw() = default;

void MFontDraw::setCachingEnabled(bool enabled) {
    caching_ = enabled;
    dropCachedFonts();
}

void MFontDraw::setDeviceScale(double scale) {
    scale_ = std::clamp(scale, 1.0, 4.0);
}

// The record as the device sees it: height and width times the scale (kept within LONG).
LOGFONTA MFontDraw::atDeviceScale(const LOGFONTA& font) const {
    LOGFONTA scaled = font;
    if (scale_ == 1) return scaled;
    const auto times = [this](LONG value) {
        const double device = std::round(static_cast<double>(value) * scale_);
        return static_cast<LONG>(std::clamp(device, double{std::numeric_limits<LONG>::min()},
                                            double{std::numeric_limits<LONG>::max()}));
    };
    scaled.lfHeight = times(font.lfHeight);
    scaled.lfWidth = times(font.lfWidth);
    return scaled;
}

std::int64_t MFontDraw::toDevice(int logical) const {
    if (scale_ == 1) return logical;
    return std::llround(static_cast<double>(logical) * scale_);
}

void MFontDraw::dropCachedFonts() {
    if (liveFonts_ > 0)
        for (auto& entry : fonts_) retiredFonts_.push_back(std::move(entry.second));
    fonts_.clear();
    recentFonts_ = {};
}

void MFontDraw::Cls() {
    if (image_.format() != QImage::Format_RGB32) image_.convertTo(QImage::Format_RGB32);
    image_.fill(0xFFFFFFFFu);
}

int MFontDraw::GetDeviceCaps(HDC hdc, int index) const {
    if (hdc != deviceContext_) return 0;
    return index == LOGPIXELSY ? kPixelsPerInch : 0;
}

// Font files stay loaded either way, as the system keeps them for every program.
std::shared_ptr<FontFace> MFontDraw::faceFor(const QString& family) {
    std::shared_ptr<FontFace>& face = faces_[family];
    if (!face) face = std::make_shared<FontFace>(family, counters_);
    return face;
}

std::shared_ptr<GdiFont> MFontDraw::realise(const LOGFONTA& font) {
    const FaceNameResolver::Resolution resolution = resolver_.resolve(faceName(font));
    return std::make_shared<GdiFont>(faceFor(resolution.family), resolution.vertical, font,
                                     counters_);
}

GdiFont* MFontDraw::cachedFont(const LOGFONTA& font) {
    // The passes create the same few fonts over and over: the raw record settles most calls.
    for (std::size_t i = 0; i < recentFonts_.size(); ++i) {
        const std::size_t index = (lastRecentHit_ + i) % recentFonts_.size();
        const RecentFont& recent = recentFonts_[index];
        if (recent.font && std::memcmp(recent.record.data(), &font, sizeof font) == 0) {
            lastRecentHit_ = index;
            return recent.font;
        }
    }

    // Bytes after the name's terminator are left-overs of earlier names, not part of it.
    FontKey key;
    std::memcpy(key.data(), &font, sizeof font);
    const auto faceBegin = key.begin() + offsetof(LOGFONTA, lfFaceName);
    std::fill(std::find(faceBegin, key.end(), '\0'), key.end(), '\0');
    if (fonts_.size() >= kMaxCachedFonts) dropCachedFonts();
    std::shared_ptr<GdiFont>& cached = fonts_[key];
    if (!cached) cached = realise(font);

    RecentFont& recent = recentFonts_[nextRecentFont_];
    lastRecentHit_ = nextRecentFont_;
    nextRecentFont_ = (nextRecentFont_ + 1) % recentFonts_.size();
    std::memcpy(recent.record.data(), &font, sizeof font);
    recent.font = cached.get();
    return recent.font;
}

HFONT MFontDraw::CreateFontIndirectA(const LOGFONTA& record) {
    const LOGFONTA font = atDeviceScale(record);
    std::shared_ptr<GdiFont> owner;
    GdiFont* realised = nullptr;
    if (caching_) {
        realised = cachedFont(font);
    } else {
        owner = realise(font);
        realised = owner.get();
    }

    std::uint32_t slot = 0;
    if (!freeSlots_.empty()) {
        slot = freeSlots_.back();
        freeSlots_.pop_back();
    } else {
        if (slots_.size() >= kMaxSlots) return HFONT();
        slot = static_cast<std::uint32_t>(slots_.size());
        slots_.emplace_back();
    }
    FontSlot& entry = slots_[slot];
    entry.font = realised;
    entry.owner = std::move(owner);
    entry.live = true;
    ++liveFonts_;
    return HFONT(handleValue(slot, entry.generation));
}

MFontDraw::FontSlot* MFontDraw::slotOf(HGDIOBJ object) {
    const std::uint32_t value = object.value();
    const std::uint32_t index = value & ((1u << kSlotBits) - 1);
    if (index == 0 || index > slots_.size()) return nullptr;
    FontSlot& slot = slots_[index - 1];
    if (!slot.live || handleValue(index - 1, slot.generation) != value) return nullptr;
    return &slot;
}

HGDIOBJ MFontDraw::SelectObject(HDC hdc, HGDIOBJ object) {
    if (hdc != deviceContext_) return HGDIOBJ();
    const FontSlot* slot = slotOf(object);
    if (slot == nullptr) return HGDIOBJ();
    const HGDIOBJ previous(handleValue(selectedSlot_, slots_[selectedSlot_].generation));
    selectedSlot_ = static_cast<std::uint32_t>(slot - slots_.data());
    return previous;
}

int MFontDraw::DeleteObject(HGDIOBJ object) {
    FontSlot* slot = slotOf(object);
    if (slot == nullptr) return 0;
    const auto index = static_cast<std::uint32_t>(slot - slots_.data());
    if (index == 0) return 1;              // the stock font outlives DeleteObject
    if (index == selectedSlot_) return 0;  // GDI refuses to delete a selected object
    slot->font = nullptr;
    slot->owner.reset();
    slot->live = false;
    if (--liveFonts_ == 0) retiredFonts_.clear();
    slot->generation = (slot->generation + 1) % kGenerations;
    freeSlots_.push_back(index);
    return 1;
}

COLORREF MFontDraw::SetTextColor(HDC hdc, COLORREF color) {
    if (hdc != deviceContext_) return CLR_INVALID;
    const COLORREF previous = textColor_;
    textColor_ = color;
    return previous;
}

GdiFont& MFontDraw::selectedFont() {
    FontSlot& slot = slots_[selectedSlot_];
    if (slot.font == nullptr) {
        stockFont_ = realise(atDeviceScale(stockFontRecord()));
        slot.font = stockFont_.get();
    }
    return *slot.font;
}

int MFontDraw::TextOutA(HDC hdc, int x, int y, const char* text, int length) {
    if (hdc != deviceContext_ || length < 0 || (text == nullptr && length > 0)) return 0;
    if (length == 0) return 1;
    GdiFont& font = selectedFont();
    const std::int64_t left = toDevice(x);
    const std::int64_t top = toDevice(y);
    // Most of a document lies outside the view: such text costs only this test. Without the
    // caches every character is shaped and rasterised, and then clipped.
    if (caching_ &&
        !font.mayInk(left, top, characterCount(text, length), image_.width(), image_.height()))
        return 1;
    if (image_.format() != QImage::Format_RGB32) image_.convertTo(QImage::Format_RGB32);

    int advance = 0;
    forEachAnsiCharacter(text, length, [&](char16_t c, bool doubleByte) {
        const GdiFont::GlyphImage& glyph = font.glyph(c, doubleByte, caching_);
        blend(glyph.coverage, left + font.penX(advance) + glyph.left,
              top + font.penY(advance) + glyph.top, glyph.width, glyph.height);
        advance += glyph.advance;
    });
    return 1;
}

int MFontDraw::TextOutW(HDC hdc, int x, int y, std::u32string_view text) {
    if (hdc != deviceContext_) return 0;
    GdiFont& font = selectedFont();
    const std::int64_t left = toDevice(x);
    const std::int64_t top = toDevice(y);
    const auto count = static_cast<int>(std::min<std::size_t>(text.size(), 1u << 20));
    if (caching_ && !font.mayInk(left, top, count, image_.width(), image_.height())) return 1;
    if (image_.format() != QImage::Format_RGB32) image_.convertTo(QImage::Format_RGB32);

    int advance = 0;
    forEachUnicodeCluster(text, [&](std::u32string_view cluster, bool wide) {
        const GdiFont::GlyphImage& glyph = font.glyph(cluster, wide, caching_);
        blend(glyph.coverage, left + font.penX(advance) + glyph.left,
              top + font.penY(advance) + glyph.top, glyph.width, glyph.height);
        advance += glyph.advance;
    });
    return 1;
}

void MFontDraw::prepareText(const LOGFONTA& font, const char* text, int length) {
    if (!caching_ || text == nullptr || length <= 0) return;
    GdiFont& realised = *cachedFont(atDeviceScale(font));
    forEachAnsiCharacter(text, length, [&](char16_t c, bool doubleByte) {
        (void)realised.glyph(c, doubleByte, true);
    });
}

void MFontDraw::prepareTextW(const LOGFONTA& font, std::u32string_view text) {
    if (!caching_ || text.empty()) return;
    GdiFont& realised = *cachedFont(atDeviceScale(font));
    forEachUnicodeCluster(text, [&](std::u32string_view cluster, bool wide) {
        if (cluster.size() == 1) (void)realised.glyph(cluster.front(), wide, true);
    });
}

void MFontDraw::blend(const std::vector<std::uint8_t>& coverage, std::int64_t left,
                      std::int64_t top, int width, int height) {
    const std::int64_t firstColumn = std::max<std::int64_t>(0, -left);
    const std::int64_t lastColumn = std::min<std::int64_t>(width, image_.width() - left);
    const std::int64_t firstRow = std::max<std::int64_t>(0, -top);
    const std::int64_t lastRow = std::min<std::int64_t>(height, image_.height() - top);
    if (firstColumn >= lastColumn || firstRow >= lastRow) return;

    const std::uint32_t red = redOf(textColor_);
    const std::uint32_t green = greenOf(textColor_);
    const std::uint32_t blue = blueOf(textColor_);
    // dst + (src - dst) * alpha / 255 per channel, rounded; exact at 0 (the pixel as it is)
    // and 255 (the text colour), so no pixel needs a branch of its own.
    const auto mix = [red, green, blue](std::uint32_t pixel, std::uint32_t alpha) {
        const auto channel = [alpha](std::uint32_t destination, std::uint32_t source) {
            const std::uint32_t t = destination * (255 - alpha) + source * alpha + 128;
            return (t + (t >> 8)) >> 8;
        };
        return 0xFF000000u | (channel((pixel >> 16) & 0xFF, red) << 16) |
               (channel((pixel >> 8) & 0xFF, green) << 8) | channel(pixel & 0xFF, blue);
    };
    constexpr std::int64_t kRun = 8;  // coverage bytes tested at once for a run of nothing
    std::uint8_t* bits = image_.bits();  // detaches once, not per row
    const qsizetype stride = image_.bytesPerLine();
    for (std::int64_t row = firstRow; row < lastRow; ++row) {
        auto* line = reinterpret_cast<std::uint32_t*>(bits + (top + row) * stride);
        const std::uint8_t* cover = coverage.data() + row * width;
        std::int64_t column = firstColumn;
        // Most of a glyph's box is empty paper: eight pixels without ink cost one test.
        for (; column + kRun <= lastColumn; column += kRun) {
            std::uint64_t run = 0;
            std::memcpy(&run, cover + column, sizeof run);
            if (run == 0) continue;
            for (std::int64_t k = column; k < column + kRun; ++k)
                line[left + k] = mix(line[left + k], cover[k]);
        }
        for (; column < lastColumn; ++column)
            line[left + column] = mix(line[left + column], cover[column]);
    }
}

}  // namespace tavelo
