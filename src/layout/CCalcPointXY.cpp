#include "CCalcPointXY.h"

#include "MeasuringDevice.h"
#include "PixelScale.h"
#include "common/CheckedArithmetic.h"
#include "common/Error.h"
#include "common/Rounding.h"

namespace tavelo {
namespace {

constexpr const char* kSource = "CCalcPointXY";
// The font sizes are fitted by the height of one kana in the device's font.
const String kMeasuredText = u"あ";
constexpr int kSmallestFontSize = 2;
// The largest even size a Byte holds: large views need sizes past the classic 72 points.
constexpr int kLargestFontSize = 254;
constexpr int kFontSizeStep = 2;
// A bracketed kanji in the ruby is drawn larger than kana and stands this many ruby pitches
// further right.
constexpr double kKanjiRubiShift = 0.15;

using Kind = PositionTables::Kind;

[[nodiscard]] Single single(double value) {
    return rounding::toSingle(value);
}

// a / b of whole counts in double precision; a zero divisor ends the layout.
[[nodiscard]] double quotient(double a, double b) {
    if (b == 0) throw Error::divisionByZero(kSource);
    return a / b;
}

// The step of a line as a multiple of the plain step. A line one short of the standard length
// is spread over the standard height (n / (n - 1)), a line one over is compressed into it
// (n / (n + 1)); n is the count the height is divided by. Other lengths keep the plain step.
[[nodiscard]] double stretch(Integer lineLength, Integer standard, Integer n) {
    if (lineLength == checked::sub(standard, Integer{1}))
        return quotient(n, checked::sub(n, Integer{1}));
    if (lineLength == checked::add(standard, Integer{1}))
        return quotient(n, checked::add(n, Integer{1}));
    return 1.0;
}

}  // namespace

MeasuringDevice& CCalcPointXY::device() const {
    if (device_ == nullptr) throw Error::objectNotSet("CCalcPointXY.Device1");
    return *device_;
}

void CCalcPointXY::GyouArraySize(Integer vNewValue) {
    gyouArraySize_ = vNewValue;
    lenBunDan_.redim(1, vNewValue);
    lenRubiDan_.redim(1, vNewValue);
    lenBigBunDan_.redim(0, 1, 1, vNewValue);
    lenBigRubiDan_.redim(0, 1, 1, vNewValue);
}

void CCalcPointXY::MaxBunDan(Integer vNewValue) {
    positions_.create(gyouArraySize_, vNewValue, lenBunDan_, lenRubiDan_);
    isKanjiRubi_.redim(1, gyouArraySize_, 1, positions_.rubiWidth());
    maxBunDan_ = vNewValue;
}

void CCalcPointXY::LenBunDan(Integer vGyou, Integer vLen) {
    lenBunDan_.at(vGyou) = vLen;
    positions_.holdBunLine(vLen);
}

void CCalcPointXY::LenRubiDan(Integer vGyou, Integer vLen) {
    lenRubiDan_.at(vGyou) = vLen;
    holdRubiLine(vLen);
}

void CCalcPointXY::IsKanjiRubi(Integer vGyou, Integer vDan, bool vIsKanjiRubi) {
    if (vGyou >= 1 && vGyou <= isKanjiRubi_.upper1()) holdRubiLine(vDan);
    isKanjiRubi_.at(vGyou, vDan) = toFlag(vIsKanjiRubi);
}

void CCalcPointXY::holdRubiLine(long length) {
    if (!positions_.created() || length <= positions_.rubiWidth()) return;
    positions_.holdRubiLine(length);
    isKanjiRubi_.redimPreserveLast(length);
}

Long CCalcPointXY::DeviceScaleWidth() const {
    return rounding::roundToLong(device().ScaleWidth());
}

Long CCalcPointXY::position(Kind kind, Integer vGyou, int vDan) const {
    return positions_.at(kind, vGyou, checked::toByte(vDan, kSource));
}

Long CCalcPointXY::PointSmallBunX(Integer vGyou, int vDan) const {
    return position(PositionTables::kSmallBunX, vGyou, vDan);
}
Long CCalcPointXY::PointSmallBunY(Integer vGyou, int vDan) const {
    return position(PositionTables::kSmallBunY, vGyou, vDan);
}
Long CCalcPointXY::PoinBigBunX(Integer vGyou, int vDan) const {
    return position(PositionTables::kBigBunX, vGyou, vDan);
}
Long CCalcPointXY::PoinBigBunY(Integer vGyou, int vDan) const {
    return position(PositionTables::kBigBunY, vGyou, vDan);
}
Long CCalcPointXY::PointSmallRubiX(Integer vGyou, int vDan) const {
    return position(PositionTables::kSmallRubiX, vGyou, vDan);
}
Long CCalcPointXY::PointSmallRubiY(Integer vGyou, int vDan) const {
    return position(PositionTables::kSmallRubiY, vGyou, vDan);
}
Long CCalcPointXY::PointBigRubiX(Integer vGyou, int vDan) const {
    return position(PositionTables::kBigRubiX, vGyou, vDan);
}
Long CCalcPointXY::PointBigRubiY(Integer vGyou, int vDan) const {
    return position(PositionTables::kBigRubiY, vGyou, vDan);
}

// The largest even size whose sample is not taller than the pitch: the first size that is
// taller, less one step. When no size up to the largest a Byte holds is taller, the largest
// is used; 0 only when already the smallest size is taller.
void CCalcPointXY::fitFontSizes(Integer vStyle, Single pitch) {
    MeasuringDevice& surface = device();
    int fitting = kLargestFontSize;
    for (int size = kSmallestFontSize; size <= kLargestFontSize; size += kFontSizeStep) {
        surface.FontSize(static_cast<Single>(size));
        if (surface.TextHeight(kMeasuredText) > pitch) {
            fitting = size - kFontSizeStep;
            break;
        }
    }
    const Byte bun = checked::toByte(fitting, kSource);
    fontSizeBun_.at(vStyle) = bun;
    fontSizeRubi_.at(vStyle) = static_cast<Byte>(bun / 2);
}

Long CCalcPointXY::rubiX(long j, long k, Single x, Single rubiPitch) const {
    const Long column = rounding::floorToLong(x);
    if (isKanjiRubi_.at(j, k) == kTrueFlag)
        return rounding::roundToLong(column + kKanjiRubiShift * rubiPitch);
    return column;
}

void CCalcPointXY::CalcSmallFontPointXY() {
    MeasuringDevice& surface = device();
    surface.ScaleMode(PixelScale::kPixels);
    const Long width = rounding::roundToLong(surface.ScaleWidth());
    const Integer standard = plusminus1MaxLenDan_;
    // The column holds P characters with one pitch of margin above and a little more below.
    const Integer pitches = checked::add(standard, Integer{1});
    const Long height =
        rounding::roundToLong(quotient(standard, pitches) * double{surface.ScaleHeight()});
    const Single pitch = single(quotient(height, pitches));
    charSpace_.at(0) = pitch;
    fitFontSizes(0, pitch);

    // Each line takes two columns, its body and its ruby.
    Single x = single(width - double{pitch});
    Single y = pitch;
    for (long j = 1; j <= gyouArraySize_; ++j) {
        const Integer length = lenBunDan_.at(j);
        for (long k = 1; k <= length; ++k) {
            positions_.at(PositionTables::kSmallBunX, j, k) = rounding::floorToLong(x);
            positions_.at(PositionTables::kSmallBunY, j, k) = rounding::floorToLong(y);
            y = single(y + pitch * stretch(length, standard, standard));
        }
        x = single(x - 2.0 * pitch);
        y = pitch;
    }

    // Ruby steps follow the body length of the line, so that ruby stays beside its characters.
    const Single rubiPitch = single(pitch / 2.0);
    x = single(width - double{rubiPitch});
    y = pitch;
    for (long j = 1; j <= gyouArraySize_; ++j) {
        const Integer slots = lenRubiDan_.at(j);
        for (long k = 1; k <= slots; ++k) {
            positions_.at(PositionTables::kSmallRubiX, j, k) = rubiX(j, k, x, rubiPitch);
            positions_.at(PositionTables::kSmallRubiY, j, k) = rounding::floorToLong(y);
            y = single(y + rubiPitch * stretch(lenBunDan_.at(j), standard, standard));
        }
        x = single(x - 2.0 * pitch);
        y = pitch;
    }
}

void CCalcPointXY::CalcBigFontPointXY() {
    MeasuringDevice& surface = device();
    surface.ScaleMode(PixelScale::kPixels);
    const Long width = rounding::roundToLong(surface.ScaleWidth());
    const Integer standard = plusminus1MaxLenDan_;
    const Integer half = checked::intDiv(standard, Integer{2});
    const Integer pitches = checked::add(half, Integer{1});
    const Long height =
        rounding::roundToLong(quotient(half, pitches) * double{surface.ScaleHeight()});
    const Single pitch = single(quotient(height, pitches));
    charSpace_.at(1) = pitch;
    fitFontSizes(1, pitch);

    // Body: the upper tier keeps the plain pitch; the lower tier starts again at the top of the
    // same column and is stretched by the tier's own factor.
    Single x = single(width - double{pitch});
    Single y = pitch;
    for (long j = 1; j <= gyouArraySize_; ++j) {
        const Integer length = lenBunDan_.at(j);
        const bool split = length > half;
        lenBigBunDan_.at(0, j) = split ? half : length;
        lenBigBunDan_.at(1, j) = split ? checked::sub(length, half) : Integer{0};
        for (long k = 1; k <= length; ++k) {
            positions_.at(PositionTables::kBigBunX, j, k) = rounding::floorToLong(x);
            positions_.at(PositionTables::kBigBunY, j, k) = rounding::floorToLong(y);
            if (k < half)
                y = single(y + double{pitch});
            else if (k == half)
                y = pitch;
            else
                y = single(y + pitch * stretch(length, standard, half));
        }
        x = single(x - 2.0 * pitch);
        y = pitch;
    }

    // Ruby: P slots stand beside the h characters of the upper tier; the lower tier uses the
    // factors of the whole line.
    const Single rubiPitch = single(pitch / 2.0);
    x = single(width - double{rubiPitch});
    y = pitch;
    for (long j = 1; j <= gyouArraySize_; ++j) {
        const Integer slots = lenRubiDan_.at(j);
        const bool split = slots > standard;
        lenBigRubiDan_.at(0, j) = split ? standard : slots;
        lenBigRubiDan_.at(1, j) = split ? checked::sub(slots, standard) : Integer{0};
        for (long k = 1; k <= slots; ++k) {
            positions_.at(PositionTables::kBigRubiX, j, k) = rubiX(j, k, x, rubiPitch);
            positions_.at(PositionTables::kBigRubiY, j, k) = rounding::floorToLong(y);
            if (k < standard)
                y = single(y + double{rubiPitch});
            else if (k == standard)
                y = pitch;
            else
                y = single(y + rubiPitch * stretch(lenBunDan_.at(j), standard, standard));
        }
        x = single(x - 2.0 * pitch);
        y = pitch;
    }
}

}  // namespace tavelo
