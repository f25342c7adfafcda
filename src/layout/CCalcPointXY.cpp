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
    layOutStyle(0);
}

void CCalcPointXY::CalcBigFontPointXY() {
    layOutStyle(1);
}

void CCalcPointXY::layOutStyle(Integer vStyle) {
    MeasuringDevice& surface = device();
    surface.ScaleMode(PixelScale::kPixels);
    const Long width = rounding::roundToLong(surface.ScaleWidth());
    const Integer standard = plusminus1MaxLenDan_;
    const bool large = vStyle == 1;
    // The small style's column holds the standard length, the large style's half of it; each
    // with one pitch of margin above and a little more below.
    const Integer perColumn = large ? checked::intDiv(standard, Integer{2}) : standard;
    const Integer pitches = checked::add(perColumn, Integer{1});
    const Long height =
        rounding::roundToLong(quotient(perColumn, pitches) * double{surface.ScaleHeight()});
    const Single pitch = single(quotient(height, pitches));
    charSpace_.at(vStyle) = pitch;
    fitFontSizes(vStyle, pitch);

    // Body: in the large style the upper tier keeps the plain pitch; the lower tier starts again
    // at the top of the same column and is stretched by the tier's own factor.
    placeColumns(vStyle, false, width, pitch, large ? perColumn : Integer{0}, perColumn);
    // Ruby: its steps follow the body length of the line, so that ruby stays beside its
    // characters; in the large style P slots stand beside the upper tier's characters and the
    // lower tier uses the factors of the whole line.
    placeColumns(vStyle, true, width, pitch, large ? standard : Integer{0}, standard);
}

void CCalcPointXY::placeColumns(Integer vStyle, bool ruby, Long width, Single pitch,
                                Integer tierLength, Integer stretchCount) {
    const bool large = vStyle == 1;
    const Kind xKind = ruby ? (large ? PositionTables::kBigRubiX : PositionTables::kSmallRubiX)
                            : (large ? PositionTables::kBigBunX : PositionTables::kSmallBunX);
    const Kind yKind = ruby ? (large ? PositionTables::kBigRubiY : PositionTables::kSmallRubiY)
                            : (large ? PositionTables::kBigBunY : PositionTables::kSmallBunY);
    Table2<Integer>& tiers = ruby ? lenBigRubiDan_ : lenBigBunDan_;
    const Integer standard = plusminus1MaxLenDan_;
    // Each line takes two columns, its body and its ruby; ruby stands at half the pitch.
    const Single step = ruby ? single(pitch / 2.0) : pitch;
    Single x = single(width - double{step});
    Single y = pitch;
    for (long j = 1; j <= gyouArraySize_; ++j) {
        const Integer length = ruby ? lenRubiDan_.at(j) : lenBunDan_.at(j);
        if (large) {
            const bool split = length > tierLength;
            tiers.at(0, j) = split ? tierLength : length;
            tiers.at(1, j) = split ? checked::sub(length, tierLength) : Integer{0};
        }
        for (long k = 1; k <= length; ++k) {
            positions_.at(xKind, j, k) = ruby ? rubiX(j, k, x, step) : rounding::floorToLong(x);
            positions_.at(yKind, j, k) = rounding::floorToLong(y);
            if (k < tierLength)
                y = single(y + double{step});
            else if (k == tierLength)
                y = pitch;
            else
                y = single(y + step * stretch(lenBunDan_.at(j), standard, stretchCount));
        }
        x = single(x - 2.0 * pitch);
        y = pitch;
    }
}

}  // namespace tavelo
