#include "support/RecordingDrawingSurface.h"

namespace tavelo {

bool RecordingDrawingSurface::record(Call call) {
    calls_.push_back(call);
    int& pending = pendingFailures_.at(static_cast<std::size_t>(call));
    if (pending == 0) return true;
    --pending;
    return false;
}

void RecordingDrawingSurface::failNext(Call call, int count) {
    pendingFailures_.at(static_cast<std::size_t>(call)) = count;
}

const LOGFONTA* RecordingDrawingSurface::logFontOf(std::uint32_t handle) const {
    // The record the stock font stands for, so that text drawn with it can still be described.
    static const LOGFONTA stock = stockFontRecord();
    if (handle == kStockFont) return &stock;
    const auto found = liveFonts_.find(handle);
    return found == liveFonts_.end() ? nullptr : &found->second;
}

void RecordingDrawingSurface::Cls() {
    static_cast<void>(record(Call::Cls));
    ++clsCount_;
    drawnTexts_.clear();
}

int RecordingDrawingSurface::GetDeviceCaps(HDC hdc, int index) const {
    if (hdc != kDeviceContext) return 0;
    return index == LOGPIXELSY ? 96 : 0;
}

HFONT RecordingDrawingSurface::CreateFontIndirectA(const LOGFONTA& font) {
    if (!record(Call::CreateFontIndirectA)) return HFONT();
    const std::uint32_t handle = nextHandle_++;
    liveFonts_.emplace(handle, font);
    createdFonts_.push_back(font);
    return HFONT(handle);
}

HGDIOBJ RecordingDrawingSurface::SelectObject(HDC hdc, HGDIOBJ object) {
    if (!record(Call::SelectObject)) return HGDIOBJ();
    if (hdc != kDeviceContext || logFontOf(object.value()) == nullptr) return HGDIOBJ();
    const HGDIOBJ previous = selected_;
    selected_ = object;
    return previous;
}

COLORREF RecordingDrawingSurface::SetTextColor(HDC hdc, COLORREF color) {
    if (!record(Call::SetTextColor) || hdc != kDeviceContext) return CLR_INVALID;
    const COLORREF previous = textColor_;
    textColor_ = color;
    return previous;
}

int RecordingDrawingSurface::TextOutA(HDC hdc, int x, int y, const char* text, int length) {
    if (!record(Call::TextOutA)) return 0;
    if (hdc != kDeviceContext || length < 0 || (text == nullptr && length > 0)) return 0;
    DrawnText drawn;
    drawn.x = x;
    drawn.y = y;
    if (length > 0) drawn.bytes.assign(text, static_cast<std::size_t>(length));
    drawn.text = decodeAnsiText(text, length);
    drawn.font = HFONT(selected_.value());
    drawn.logFont = *logFontOf(selected_.value());
    drawn.face = faceName(drawn.logFont);
    drawn.color = textColor_;
    drawnTexts_.push_back(std::move(drawn));
    return 1;
}

int RecordingDrawingSurface::DeleteObject(HGDIOBJ object) {
    if (!record(Call::DeleteObject)) return 0;
    if (object.value() == kStockFont) return 1;  // stock objects outlive DeleteObject
    if (object == selected_) return 0;
    return liveFonts_.erase(object.value()) == 1 ? 1 : 0;
}

}  // namespace tavelo
