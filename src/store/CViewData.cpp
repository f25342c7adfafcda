#include "CViewData.h"

#include "common/CheckedArithmetic.h"
#include "layout/CCalcPointXY.h"

namespace tavelo {
namespace {

constexpr const char* kSource = "CViewData";

// Heap bytes of a string beyond the object itself; short strings live inside it.
std::size_t heapBytes(const String& text) {
    static const std::size_t inlineCapacity = String().capacity();
    return text.capacity() > inlineCapacity ? (text.capacity() + 1) * sizeof(char16_t) : 0;
}

}  // namespace

void CViewData::GyouArraySize(Integer vNewValue) {
    gyouArraySize_ = vNewValue;
    lines_.redim(1, vNewValue);
    lenBunDan_.redim(1, vNewValue);
    lenRubiDan_.redim(1, vNewValue);
    lenBigBunDan_.redim(0, 1, 1, vNewValue);
    lenBigRubiDan_.redim(0, 1, 1, vNewValue);
}

void CViewData::MaxBunDan(Integer vNewValue) {
    positions_.create(gyouArraySize_, vNewValue, lenBunDan_, lenRubiDan_);
    maxBunDan_ = vNewValue;
}

void CViewData::ID(const String& sID) {
    if (idWritten_) return;
    id_ = sID;
    idWritten_ = true;
}

void CViewData::LenBunDan(Integer vGyou, Integer vLen) {
    lenBunDan_.at(vGyou) = vLen;
    positions_.holdBunLine(vLen);
}

void CViewData::LenRubiDan(Integer vGyou, Integer vLen) {
    lenRubiDan_.at(vGyou) = vLen;
    positions_.holdRubiLine(vLen);
}

Long CViewData::position(PositionTables::Kind kind, Integer vGyou, int vDan) const {
    return positions_.at(kind, vGyou, checked::toByte(vDan, kSource));
}

void CViewData::position(PositionTables::Kind kind, Integer vGyou, int vDan, Long vPoint) {
    positions_.at(kind, vGyou, checked::toByte(vDan, kSource)) = vPoint;
}

void CViewData::takeLayout(const CCalcPointXY& layout) {
    using Kind = PositionTables::Kind;
    constexpr Kind kBunKinds[] = {PositionTables::kSmallBunX, PositionTables::kSmallBunY,
                                  PositionTables::kBigBunX, PositionTables::kBigBunY};
    constexpr Kind kRubiKinds[] = {PositionTables::kSmallRubiX, PositionTables::kSmallRubiY,
                                   PositionTables::kBigRubiX, PositionTables::kBigRubiY};
    for (Integer style = 0; style <= 1; ++style) {
        FontSizeBun(style, layout.FontSizeBun(style));
        FontSizeRubi(style, layout.FontSizeRubi(style));
    }
    const Integer lines = layout.GyouArraySize();
    for (Integer g = 1; g <= lines; ++g) {
        for (int k = 1; k <= layout.LenBunDan(g); ++k)
            for (const Kind kind : kBunKinds) position(kind, g, k, layout.position(kind, g, k));
        for (int k = 1; k <= layout.LenRubiDan(g); ++k)
            for (const Kind kind : kRubiKinds) position(kind, g, k, layout.position(kind, g, k));
    }
    for (Integer tier = 0; tier <= 1; ++tier) {
        for (Integer g = 1; g <= lines; ++g) {
            LenBigBunDan(tier, g, layout.LenBigBunDan(tier, g));
            LenBigRubiDan(tier, g, layout.LenBigRubiDan(tier, g));
        }
    }
    for (Integer style = 0; style <= 1; ++style) CharSpace(style, layout.CharSpace(style));
    DeviceScaleWidth(layout.DeviceScaleWidth());
}

std::size_t CViewData::MemoryBytes() const {
    std::size_t bytes = sizeof(*this) + heapBytes(fileName_) + heapBytes(id_) +
                        heapBytes(fullPathName_) + lines_.byteSize() + lenBunDan_.byteSize() +
                        lenRubiDan_.byteSize() + lenBigBunDan_.byteSize() +
                        lenBigRubiDan_.byteSize() + positions_.byteSize() +
                        fontSizeBun_.byteSize() + fontSizeRubi_.byteSize() + charSpace_.byteSize();
    if (!lines_.dimensioned()) return bytes;
    for (long g = lines_.lower(); g <= lines_.upper(); ++g) {
        const Line& line = lines_.at(g);
        bytes += heapBytes(line.Rubi) + heapBytes(line.Bun) + line.FontData.byteSize() +
                 line.ReversalChar.byteSize() + line.IsKanjiRubi.byteSize();
        for (long k = 1; k <= kMaxBunDan; ++k) bytes += heapBytes(line.FontData.at(k));
    }
    return bytes;
}

}  // namespace tavelo
