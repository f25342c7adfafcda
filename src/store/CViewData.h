#pragma once

#include <cstddef>

#include "common/ClassicTypes.h"
#include "common/Table.h"
#include "layout/PositionTables.h"

namespace tavelo {

class CCalcPointXY;

// Everything the viewer keeps about one open document, filled once by CViewDataS::Add.
//
// Given by the reader: per line Bun, Rubi, FontData (cells 1..60), IsKanjiRubi (slots
// 1..120), LenBunDan, LenRubiDan; GyouArraySize G, MaxBunDan M, Plusminus1MaxLenDan, FileName,
// FullPathName. Given by the layout: FontSizeBun, FontSizeRubi, CharSpace per style,
// LenBigBunDan, LenBigRubiDan per tier and line, the eight position tables, DeviceScaleWidth.
// Given by the highlight table, and changed later by the search: ReversalChar (cells 1..60).
// ID is the key in the collection.
//
// Contract: writing G re-creates the line records (empty texts, clear flags) and the length
// tables, all zero; writing M re-creates the position tables for the G in force, so G comes
// first. Position tables are M (body) and 2M + 10 (ruby) wide and widen to every LenBunDan and
// LenRubiDan written, so that every stored line has its positions; the per-line limits of 60
// cells and 120 ruby slots stay. An index outside its table, or any access before its table
// was created, fails with a subscript-out-of-range Error and stores nothing; a position index
// outside 0..255 is an overflow. ID is written once: later writes are ignored.
class CViewData {
public:
    static constexpr int kMaxBunDan = 60;
    static constexpr int kMaxRubiDan = 120;

    [[nodiscard]] Integer GyouArraySize() const { return gyouArraySize_; }
    void GyouArraySize(Integer vNewValue);
    [[nodiscard]] Integer MaxBunDan() const { return maxBunDan_; }
    void MaxBunDan(Integer vNewValue);
    [[nodiscard]] const String& Bun(Integer vGyou) const { return lines_.at(vGyou).Bun; }
    void Bun(Integer vGyou, const String& vChrS) { lines_.at(vGyou).Bun = vChrS; }
    [[nodiscard]] const String& FileName() const { return fileName_; }
    void FileName(const String& vNewValue) { fileName_ = vNewValue; }
    [[nodiscard]] const String& FontData(Integer vGyou, Integer vDan) const {
        return lines_.at(vGyou).FontData.at(vDan);
    }
    void FontData(Integer vGyou, Integer vDan, const String& vData) {
        lines_.at(vGyou).FontData.at(vDan) = vData;
    }
    [[nodiscard]] Byte FontSizeBun(Integer vStyle) const { return fontSizeBun_.at(vStyle); }
    void FontSizeBun(Integer vStyle, Byte vNewValue) { fontSizeBun_.at(vStyle) = vNewValue; }
    [[nodiscard]] Byte FontSizeRubi(Integer vStyle) const { return fontSizeRubi_.at(vStyle); }
    void FontSizeRubi(Integer vStyle, Byte vNewValue) { fontSizeRubi_.at(vStyle) = vNewValue; }
    [[nodiscard]] const String& FullPathName() const { return fullPathName_; }
    void FullPathName(const String& vNewValue) { fullPathName_ = vNewValue; }
    [[nodiscard]] const String& ID() const { return id_; }
    void ID(const String& sID);

    [[nodiscard]] Integer LenBunDan(Integer vGyou) const { return lenBunDan_.at(vGyou); }
    void LenBunDan(Integer vGyou, Integer vLen);
    [[nodiscard]] Integer LenBigBunDan(Integer vUp_Down, Integer vGyou) const {
        return lenBigBunDan_.at(vUp_Down, vGyou);
    }
    void LenBigBunDan(Integer vUp_Down, Integer vGyou, Integer vLen) {
        lenBigBunDan_.at(vUp_Down, vGyou) = vLen;
    }
    [[nodiscard]] Integer LenRubiDan(Integer vGyou) const { return lenRubiDan_.at(vGyou); }
    void LenRubiDan(Integer vGyou, Integer vLen);
    [[nodiscard]] Integer LenBigRubiDan(Integer vUp_Down, Integer vGyou) const {
        return lenBigRubiDan_.at(vUp_Down, vGyou);
    }
    void LenBigRubiDan(Integer vUp_Down, Integer vGyou, Integer vLen) {
        lenBigRubiDan_.at(vUp_Down, vGyou) = vLen;
    }

    // The eight position tables (PointSmallBunX … PointBigRubiY), by kind: the X or Y of body
    // cell or ruby slot vDan of line vGyou. vDan is a Byte: a value outside 0..255 is an
    // overflow before the table is consulted.
    [[nodiscard]] Long position(PositionTables::Kind kind, Integer vGyou, int vDan) const;
    void position(PositionTables::Kind kind, Integer vGyou, int vDan, Long vPoint);

    [[nodiscard]] const String& Rubi(Integer vGyou) const { return lines_.at(vGyou).Rubi; }
    void Rubi(Integer vGyou, const String& vChrS) { lines_.at(vGyou).Rubi = vChrS; }
    [[nodiscard]] Single CharSpace(Integer vStyle) const { return charSpace_.at(vStyle); }
    void CharSpace(Integer vStyle, Single vNewValue) { charSpace_.at(vStyle) = vNewValue; }
    [[nodiscard]] Long DeviceScaleWidth() const { return deviceScaleWidth_; }
    void DeviceScaleWidth(Long vNewValue) { deviceScaleWidth_ = vNewValue; }
    [[nodiscard]] bool ReversalChar(Integer vGyou, Integer vDan) const {
        return lines_.at(vGyou).ReversalChar.at(vDan) == kTrueFlag;
    }
    void ReversalChar(Integer vGyou, Integer vDan, bool vReversal) {
        lines_.at(vGyou).ReversalChar.at(vDan) = toFlag(vReversal);
    }
    [[nodiscard]] bool IsKanjiRubi(Integer vGyou, Integer vDan) const {
        return lines_.at(vGyou).IsKanjiRubi.at(vDan) == kTrueFlag;
    }
    void IsKanjiRubi(Integer vGyou, Integer vDan, bool vIsKanjiRubi) {
        lines_.at(vGyou).IsKanjiRubi.at(vDan) = toFlag(vIsKanjiRubi);
    }
    [[nodiscard]] Integer Plusminus1MaxLenDan() const { return plusminus1MaxLenDan_; }
    void Plusminus1MaxLenDan(Integer vNewValue) { plusminus1MaxLenDan_ = vNewValue; }

    // Takes what the layout calculated: font sizes, pitches, tier lengths, the position tables
    // of every line the layout holds, and the device width.
    void takeLayout(const CCalcPointXY& layout);

    // The bytes the record holds, its texts included.
    [[nodiscard]] std::size_t MemoryBytes() const;

private:
    struct Line {
        String Rubi;
        String Bun;
        Table<String> FontData{"CViewData.FontData", 1, kMaxBunDan};
        Table<Integer> ReversalChar{"CViewData.ReversalChar", 1, kMaxBunDan};  // -1 or 0
        Table<Integer> IsKanjiRubi{"CViewData.IsKanjiRubi", 1, kMaxRubiDan};   // -1 or 0
    };

    Table<Line> lines_{"CViewData.Line"};
    String fileName_;
    String id_;
    bool idWritten_ = false;
    String fullPathName_;
    Table<Integer> lenBunDan_{"CViewData.LenBunDan"};
    Table2<Integer> lenBigBunDan_{"CViewData.LenBigBunDan"};
    Table<Integer> lenRubiDan_{"CViewData.LenRubiDan"};
    Table2<Integer> lenBigRubiDan_{"CViewData.LenBigRubiDan"};
    PositionTables positions_;
    Table<Byte> fontSizeBun_{"CViewData.FontSizeBun", 0, 1};
    Table<Byte> fontSizeRubi_{"CViewData.FontSizeRubi", 0, 1};
    Table<Single> charSpace_{"CViewData.CharSpace", 0, 1};
    Integer gyouArraySize_ = 0;
    Integer maxBunDan_ = 0;
    Integer plusminus1MaxLenDan_ = 0;
    Long deviceScaleWidth_ = 0;
};

}  // namespace tavelo
