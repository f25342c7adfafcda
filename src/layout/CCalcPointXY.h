#pragma once

#include "PositionTables.h"
#include "common/ClassicTypes.h"
#include "common/Table.h"

namespace tavelo {

class MeasuringDevice;

// Lays out one document for both display styles: the pixel position of every body character
// and ruby slot, and the font sizes that fit the pitch of each style. Lines are columns from
// the right edge of the view leftwards; ruby stands right of its body column at half the pitch.
// Style 0 (small) shows each line whole; style 1 (large) splits it into an upper and a lower
// tier that both start at the top.
//
// Given: Device1 (measured, never owned), GyouArraySize G, MaxBunDan M, Plusminus1MaxLenDan P
// (the standard line length), per line LenBunDan and LenRubiDan, per ruby slot IsKanjiRubi.
// Calculated: per style CharSpace, FontSizeBun, FontSizeRubi; per line LenBigBunDan and
// LenBigRubiDan; the eight position tables (see PositionTables).
//
// Contract: write G before M; writing G re-creates the four length tables and writing M the
// position and flag tables, all zero. The tables widen to hold every line length and ruby flag
// written, so that no stored line is too long to lay out. Every assignment to the running X
// and Y, the pitch and the ruby pitch is narrowed to single precision; positions are the floor.
// Failures throw Error: an index outside its table is subscript out of range, a position index
// outside 0..255 or an Integer result out of range an overflow, a stretch factor with a zero
// divisor a division by zero. A failing layout operation keeps what it computed before.
class CCalcPointXY {
public:
    void CalcBigFontPointXY();
    void CalcSmallFontPointXY();

    [[nodiscard]] Single CharSpace(Integer vStyle) const { return charSpace_.at(vStyle); }
    [[nodiscard]] Integer GyouArraySize() const { return gyouArraySize_; }
    void GyouArraySize(Integer vNewValue);
    [[nodiscard]] Integer MaxBunDan() const { return maxBunDan_; }
    void MaxBunDan(Integer vNewValue);
    void Device1(MeasuringDevice* obDevice) { device_ = obDevice; }
    [[nodiscard]] Byte FontSizeBun(Integer vStyle) const { return fontSizeBun_.at(vStyle); }
    [[nodiscard]] Byte FontSizeRubi(Integer vStyle) const { return fontSizeRubi_.at(vStyle); }
    [[nodiscard]] Integer Plusminus1MaxLenDan() const { return plusminus1MaxLenDan_; }
    void Plusminus1MaxLenDan(Integer vNewValue) { plusminus1MaxLenDan_ = vNewValue; }

    // The eight position tables (PointSmallBunX … PointBigRubiY), by kind: the X or Y of body
    // cell or ruby slot vDan of line vGyou. vDan is a Byte: a value outside 0..255 is an
    // overflow before the table is consulted.
    [[nodiscard]] Long position(PositionTables::Kind kind, Integer vGyou, int vDan) const;

    [[nodiscard]] Integer LenBunDan(Integer vGyou) const { return lenBunDan_.at(vGyou); }
    void LenBunDan(Integer vGyou, Integer vLen);
    [[nodiscard]] Integer LenBigBunDan(Integer vUp_Down, Integer vGyou) const {
        return lenBigBunDan_.at(vUp_Down, vGyou);
    }
    [[nodiscard]] Integer LenRubiDan(Integer vGyou) const { return lenRubiDan_.at(vGyou); }
    void LenRubiDan(Integer vGyou, Integer vLen);
    [[nodiscard]] Integer LenBigRubiDan(Integer vUp_Down, Integer vGyou) const {
        return lenBigRubiDan_.at(vUp_Down, vGyou);
    }
    void IsKanjiRubi(Integer vGyou, Integer vDan, bool vIsKanjiRubi);

    // nearest(ScaleWidth) of the device at the moment of the call, in its current scale.
    [[nodiscard]] Long DeviceScaleWidth() const;

private:
    [[nodiscard]] MeasuringDevice& device() const;
    // One style: the pitch that fits `perColumn` characters (the standard length, or a tier's
    // half of it) into the view's height, the font sizes, then the body and the ruby columns.
    void layOutStyle(Integer vStyle);
    // Places the body (or the ruby) of every line in one style. A line with tiers steps plainly
    // through the `tierLength` cells or slots of its upper tier and starts its lower tier again
    // at the top; without tiers (`tierLength` 0) every step is stretched by the line's factor
    // over `stretchCount`.
    void placeColumns(Integer vStyle, bool ruby, Long width, Single pitch, Integer tierLength,
                      Integer stretchCount);
    void fitFontSizes(Integer vStyle, Single pitch);
    void holdRubiLine(long length);
    // The ruby X of slot (j, k) at the running X: a bracketed kanji moves slightly right.
    [[nodiscard]] Long rubiX(long j, long k, Single x, Single rubiPitch) const;

    MeasuringDevice* device_ = nullptr;
    Integer gyouArraySize_ = 0;
    Integer maxBunDan_ = 0;
    Integer plusminus1MaxLenDan_ = 0;
    Table<Integer> lenBunDan_{"CCalcPointXY.LenBunDan"};
    Table<Integer> lenRubiDan_{"CCalcPointXY.LenRubiDan"};
    Table2<Integer> lenBigBunDan_{"CCalcPointXY.LenBigBunDan"};
    Table2<Integer> lenBigRubiDan_{"CCalcPointXY.LenBigRubiDan"};
    Table2<Integer> isKanjiRubi_{"CCalcPointXY.IsKanjiRubi"};  // classic flags, -1 or 0
    PositionTables positions_;
    Table<Single> charSpace_{"CCalcPointXY.CharSpace", 0, 1};
    Table<Byte> fontSizeBun_{"CCalcPointXY.FontSizeBun", 0, 1};
    Table<Byte> fontSizeRubi_{"CCalcPointXY.FontSizeRubi", 0, 1};
};

}  // namespace tavelo
