#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QList>
#include <cmath>

#include "MeasuringDeviceContract.h"
#include "layout/CCalcPointXY.h"
#include "layout/qt/FontMeasuringDevice.h"

namespace tavelo::testing {
namespace {

struct FontDeviceFactory {
    static std::unique_ptr<MeasuringDevice> make(int widthPixels, int heightPixels) {
        return std::make_unique<FontMeasuringDevice>(widthPixels, heightPixels);
    }
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Font, MeasuringDeviceContract, FontDeviceFactory);

namespace {

class FontMeasuringDeviceTest : public ::testing::Test {
protected:
    FontMeasuringDevice device{600, 400};
};

// --- The view's font ---
TEST_F(FontMeasuringDeviceTest, windowGothic_resolvesToAnInstalledJapaneseGothic) {
    ASSERT_TRUE(QFontDatabase::hasFamily(QStringLiteral("IPAGothic")));
    const QString family = device.family();
    EXPECT_TRUE(QFontDatabase::hasFamily(family));
    EXPECT_TRUE(QFontDatabase::writingSystems(family).contains(QFontDatabase::Japanese));
    if (!QFontDatabase::hasFamily(QStringLiteral("ＭＳ ゴシック"))) {
        EXPECT_EQ(family, QStringLiteral("IPAGothic"));
    }
}

// --- Sizes ---
TEST_F(FontMeasuringDeviceTest, points_becomePixelsAt96PerInchWhateverTheScreen) {
    device.FontSize(9);
    EXPECT_EQ(device.pixelSize(), 12);
    device.FontSize(10.5f);
    EXPECT_EQ(device.pixelSize(), 14);
    device.FontSize(2);
    EXPECT_EQ(device.pixelSize(), 3);  // 2.67
    device.FontSize(1.125f);
    EXPECT_EQ(device.pixelSize(), 2);  // 1.5: halves away from zero
    device.FontSize(0.25f);
    EXPECT_EQ(device.pixelSize(), 1);  // never below one pixel
}

TEST_F(FontMeasuringDeviceTest, textHeight_isWholePixelsAndAtLeastTheEm) {
    device.ScaleMode(3);
    for (int size = 2; size <= 72; size += 2) {
        device.FontSize(static_cast<Single>(size));
        const Single height = device.TextHeight(u"あ");
        EXPECT_EQ(height, std::floor(height)) << size;
        EXPECT_GE(height, static_cast<Single>(device.pixelSize())) << size;
    }
}

// --- A layout on the installed Gothic ---
TEST_F(FontMeasuringDeviceTest, workedExample_fitsTheInstalledGothicBelowEachPitch) {
    CCalcPointXY calc;
    calc.Device1(&device);
    calc.GyouArraySize(1);
    calc.MaxBunDan(20);
    calc.Plusminus1MaxLenDan(20);
    calc.LenBunDan(1, 20);
    calc.CalcSmallFontPointXY();
    calc.CalcBigFontPointXY();
    for (Integer style = 0; style <= 1; ++style) {
        const Byte size = calc.FontSizeBun(style);
        ASSERT_GT(size, 0) << style;
        device.FontSize(size);
        EXPECT_LE(device.TextHeight(u"あ"), calc.CharSpace(style)) << style;
        device.FontSize(static_cast<Single>(size + 2));
        EXPECT_GT(device.TextHeight(u"あ"), calc.CharSpace(style)) << style;
        EXPECT_EQ(calc.FontSizeRubi(style), size / 2) << style;
    }
    if (device.family() == QStringLiteral("IPAGothic")) {  // as the command line shows it
        EXPECT_EQ(calc.FontSizeBun(0), 12);
        EXPECT_EQ(calc.FontSizeBun(1), 22);
    }
}

}  // namespace
}  // namespace tavelo::testing
