#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "view/DrawingSurface.h"

namespace tavelo {

// A drawing surface that draws nothing and remembers every call, for headless tests of the
// drawing procedures. It keeps the handle rules of every surface (see DrawingSurface), and
// can be told to fail the next calls of one kind so that retry loops can be exercised.
class RecordingDrawingSurface : public DrawingSurface {
public:
    enum class Call {
        Cls,
        CreateFontIndirectA,
        SelectObject,
        SetTextColor,
        TextOutA,
        DeleteObject
    };

    // One successful TextOutA, with the state of the device context at that moment.
    struct DrawnText {
        int x = 0;
        int y = 0;
        std::string bytes;  // all `length` bytes passed, terminator included
        String text;        // the bytes decoded as TextOutA reads them
        HFONT font;         // the font then selected
        LOGFONTA logFont;   // the record it was created from
        String face;        // its face name, decoded
        COLORREF color = 0;
    };

    RecordingDrawingSurface() = default;

    [[nodiscard]] HDC hDC() const override { return kDeviceContext; }
    void Cls() override;
    [[nodiscard]] int GetDeviceCaps(HDC hdc, int index) const override;
    [[nodiscard]] HFONT CreateFontIndirectA(const LOGFONTA& font) override;
    HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object) override;
    COLORREF SetTextColor(HDC hdc, COLORREF color) override;
    [[nodiscard]] int TextOutA(HDC hdc, int x, int y, const char* text, int length) override;
    int DeleteObject(HGDIOBJ object) override;

    // Every call in order, failed ones included (GetDeviceCaps, which changes nothing, is not
    // recorded).
    [[nodiscard]] const std::vector<Call>& calls() const { return calls_; }
    // The record of every font created, in order.
    [[nodiscard]] const std::vector<LOGFONTA>& createdFonts() const { return createdFonts_; }
    // What was drawn since the last Cls, in order.
    [[nodiscard]] const std::vector<DrawnText>& drawnTexts() const { return drawnTexts_; }
    [[nodiscard]] int clsCount() const { return clsCount_; }
    // Fonts created and not deleted yet: a drawing pass that cleans up leaves this at 0.
    [[nodiscard]] int liveFontCount() const { return static_cast<int>(liveFonts_.size()); }
    [[nodiscard]] HGDIOBJ selectedObject() const { return selected_; }
    [[nodiscard]] COLORREF textColor() const { return textColor_; }
    [[nodiscard]] static HGDIOBJ stockFont() { return HGDIOBJ(kStockFont); }

    // The next `count` calls of the kind report failure (0) and change nothing.
    void failNext(Call call, int count);

private:
    static constexpr std::uint32_t kStockFont = 0x10;
    static constexpr HDC kDeviceContext = HDC(0xDC);

    [[nodiscard]] bool record(Call call);  // false when the call is to fail
    [[nodiscard]] const LOGFONTA* logFontOf(std::uint32_t handle) const;

    std::vector<Call> calls_;
    std::vector<LOGFONTA> createdFonts_;
    std::vector<DrawnText> drawnTexts_;
    std::map<std::uint32_t, LOGFONTA> liveFonts_;
    std::array<int, 6> pendingFailures_{};
    std::uint32_t nextHandle_ = 0x100;
    HGDIOBJ selected_{kStockFont};
    COLORREF textColor_ = RGB(0, 0, 0);
    int clsCount_ = 0;
};

}  // namespace tavelo
