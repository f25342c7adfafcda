#include "PositionTables.h"

#include <algorithm>

#include "common/CheckedArithmetic.h"

namespace tavelo {
namespace {

long longest(const Table<Integer>& lengths) {
    long result = 0;
    if (!lengths.dimensioned()) return result;
    for (long i = lengths.lower(); i <= lengths.upper(); ++i)
        result = std::max<long>(result, lengths.at(i));
    return result;
}

}  // namespace

void PositionTables::create(Integer lines, Integer maxBunDan, const Table<Integer>& bunLengths,
                            const Table<Integer>& rubiLengths) {
    const Integer rubiSlots = checked::add(checked::mul(Integer{2}, maxBunDan), Integer{10});
    bunWidth_ = std::max<long>(maxBunDan, longest(bunLengths));
    rubiWidth_ = std::max<long>(rubiSlots, longest(rubiLengths));
    for (std::size_t kind = 0; kind < tables_.size(); ++kind)
        tables_[kind].redim(1, lines, 1, isBun(kind) ? bunWidth_ : rubiWidth_);
}

void PositionTables::holdBunLine(long length) {
    if (!created() || length <= bunWidth_) return;
    bunWidth_ = length;
    for (std::size_t kind = kSmallBunX; kind < kSmallRubiX; ++kind)
        tables_[kind].redimPreserveLast(length);
}

void PositionTables::holdRubiLine(long length) {
    if (!created() || length <= rubiWidth_) return;
    rubiWidth_ = length;
    for (std::size_t kind = kSmallRubiX; kind < tables_.size(); ++kind)
        tables_[kind].redimPreserveLast(length);
}

Long& PositionTables::at(Kind kind, long vGyou, long vDan) {
    return tables_[static_cast<std::size_t>(kind)].at(vGyou, vDan);
}

const Long& PositionTables::at(Kind kind, long vGyou, long vDan) const {
    return tables_[static_cast<std::size_t>(kind)].at(vGyou, vDan);
}

std::size_t PositionTables::byteSize() const {
    std::size_t bytes = 0;
    for (const auto& table : tables_) bytes += table.byteSize();
    return bytes;
}

}  // namespace tavelo
