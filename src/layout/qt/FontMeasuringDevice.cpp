#include "FontMeasuringDevice.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QStringList>
#include <cmath>

#include "common/Error.h"

namespace tavelo {
namespace {

constexpr double kPixelsPerInch = 96;
constexpr double kPointsPerInch = 72;
// A fresh view's font size, in points.
constexpr Single kInitialFontSize = 9;

}  // namespace

QString FontMeasuringDevice::gothicFamily() {
    const QStringList candidates = {QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"),
                                    QStringLiteral("Noto Sans CJK JP")};
    for (const QString& family : candidates)
        if (QFontDatabase::hasFamily(family)) return family;
    return candidates.front();
}

FontMeasuringDevice::FontMeasuringDevice(int widthPixels, int heightPixels)
    : width_(widthPixels), height_(heightPixels), font_(gothicFamily()) {
    FontSize(kInitialFontSize);
}

Single FontMeasuringDevice::ScaleWidth() const {
    return scale_.fromPixels(static_cast<Single>(width_));
}

Single FontMeasuringDevice::ScaleHeight() const {
    return scale_.fromPixels(static_cast<Single>(height_));
}

void FontMeasuringDevice::FontSize(Single vNewValue) {
    if (!(std::isfinite(vNewValue) && vNewValue > 0))
        throw Error::invalidArgument("FontMeasuringDevice.FontSize");
    const long pixels = std::lround(double{vNewValue} * kPixelsPerInch / kPointsPerInch);
    if (pixels > 0xFFFF) throw Error::invalidArgument("FontMeasuringDevice.FontSize");
    font_.setPixelSize(pixels < 1 ? 1 : static_cast<int>(pixels));
}

Single FontMeasuringDevice::TextHeight(const String& /*text*/) const {
    return scale_.fromPixels(static_cast<Single>(QFontMetrics(font_).height()));
}

void FontMeasuringDevice::setInnerSize(int widthPixels, int heightPixels) {
    width_ = widthPixels;
    height_ = heightPixels;
}

}  // namespace tavelo
