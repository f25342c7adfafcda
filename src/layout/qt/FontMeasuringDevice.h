#pragma once

#include <QFont>
#include <QString>

#include "layout/MeasuringDevice.h"
#include "layout/PixelScale.h"

namespace tavelo {

// The view measured through Qt: a given inner size in pixels and the view's font, the window
// font "ＭＳ ゴシック" resolved to the installed Gothic. Point sizes become pixels at 96 pixels per
// logical inch on every machine, so that a layout does not depend on the screen it runs on.
// Needs a QGuiApplication.
class FontMeasuringDevice : public MeasuringDevice {
public:
    FontMeasuringDevice(int widthPixels, int heightPixels);

    void ScaleMode(Integer vNewValue) override { scale_.setMode(vNewValue); }
    [[nodiscard]] Single ScaleWidth() const override;
    [[nodiscard]] Single ScaleHeight() const override;
    // Points to pixels: round(points * 96 / 72), halves away from zero, at least one pixel.
    void FontSize(Single vNewValue) override;
    // The line height of the font in whole pixels, as the platform's text measurement gives it.
    [[nodiscard]] Single TextHeight(const String& text) const override;

    void setInnerSize(int widthPixels, int heightPixels);
    // The installed family the view's font was resolved to.
    [[nodiscard]] QString family() const { return font_.family(); }
    [[nodiscard]] int pixelSize() const { return font_.pixelSize(); }

    // The first installed of "ＭＳ ゴシック", IPAGothic and Noto Sans CJK JP; when none is,
    // "ＭＳ ゴシック" itself, which Qt then substitutes.
    [[nodiscard]] static QString gothicFamily();

private:
    int width_;
    int height_;
    PixelScale scale_;
    QFont font_;
};

}  // namespace tavelo
