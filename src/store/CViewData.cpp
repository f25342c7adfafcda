#include "CViewData.h"

#include "common/CheckedArithmetic.h"

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

Long CViewData::PointSmallBunX(Integer vGyou, int vDan) const {
    return position(PositionTables::kSmallBunX, vGyou, vDan);
}
void CViewData::PointSmallBunX(Integer vGyou, int vDan, Long vPoint) {
    position(PositionTables::kSmallBunX, vGyou, vDan, vPoint);
}
Long CViewData::PointSmallBunY(Integer vGyou, int vDan) const {
    return position(PositionTables::kSmallBunY, vGyou, vDan);
}
void CViewData::PointSmallBunY(Integer vGyou, int vDan, Long vPoint) {
    position(PositionTables::kSmallBunY, vGyou, vDan, vPoint);
}
Long CViewData::PoinBigBunX(Integer vGyou, int vDan) const {
    return position(PositionTables::kBigBunX, vGyou, vDan);
}
void CViewData::PoinBigBunX(Integer vGyou, int vDan, Long vPoint) {
    position(PositionTables::kBigBunX, vGyou, vDan, vPoint);
}
Long CViewData::PoinBigBunY(Integer vGyou, int vDan) const {
    return position(PositionTables::kBigBunY, vGyou, vDan);
}
void CViewData::PoinBigBunY(Integer vGyou, int vDan, Long vPoint) {
    position(PositionTables::kBigBunY, vGyou, vDan, vPoint);
}
Long CViewData::PointSmallRubiX(Integer vGyou, int vDan) const {
    return position(PositionTables::kSmallRubiX, vGyou, vDan);
}
void CViewData::PointSmallRubiX(Integer vGyou, int vDan, Long vPoint) {
    position(PositionTables::kSmallRubiX, vGyou, vDan, vPoint);
}
Long CViewData::PointSmallRubiY(Integer vGyou, int vDan) const {
    return position(PositionTables::kSmallRubiY, vGyou, vDan);
}
void CViewData::PointSmallRubiY(Integer vGyou, int vDan, Long vPoint) {
    position(PositionTables::kSmallRubiY, vGyou, vDan, vPoint);
}
Long CViewData::PointBigRubiX(Integer vGyou, int vDan) const {
    return position(PositionTables::kBigRubiX, vGyou, vDan);
}
void CViewData::PointBigRubiX(Integer vGyou, int vDan, Long vPoint) {
    position(PositionTables::kBigRubiX, vGyou, vDan, vPoint);
}
Long CViewData::PointBigRubiY(Integer vGyou, int vDan) const {
    return position(PositionTables::kBigRubiY, vGyou, vDan);
}
void CViewData::PointBigRubiY(Integer vGyou, int vDan, Long vPoint) {
    position(PositionTables::kBigRubiY, vGyou, vDan, vPoint);
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
