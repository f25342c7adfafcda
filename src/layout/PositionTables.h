#pragma once

#include <array>
#include <cstddef>

#include "common/ClassicTypes.h"
#include "common/Table.h"

namespace tavelo {

// The eight position tables of a laid-out document (X and Y of body characters and ruby slots,
// small and large style), shared by the layout calculator and the document record so that
// both size them by one rule.
//
// Lines run 1..G. Body tables are M positions wide and ruby tables 2M + 10 slots, where M is
// the longest ended line the reader counted. A document can still hold longer lines (a ruby
// line running past its body line, a line stored before the reader failed), so the tables are
// widened to every line length their owner stores; widening keeps the stored positions. Until
// `create` has run every access is a subscript-out-of-range failure.
class PositionTables {
public:
    enum Kind {
        kSmallBunX,
        kSmallBunY,
        kBigBunX,
        kBigBunY,
        kSmallRubiX,
        kSmallRubiY,
        kBigRubiX,
        kBigRubiY,
    };

    // Re-creates all eight tables, all zero, for `lines` lines: body tables max(M, longest
    // length in `bunLengths`) wide, ruby tables max(2M + 10, longest in `rubiLengths`) wide.
    // Length tables not yet dimensioned count as empty. 2M + 10 beyond an Integer is an
    // overflow, and then nothing changes.
    void create(Integer lines, Integer maxBunDan, const Table<Integer>& bunLengths,
                const Table<Integer>& rubiLengths);

    // Widen the body or ruby tables so that a line of `length` fits; no effect before `create`
    // or when the line fits already.
    void holdBunLine(long length);
    void holdRubiLine(long length);

    [[nodiscard]] bool created() const { return tables_[0].dimensioned(); }
    [[nodiscard]] long bunWidth() const { return bunWidth_; }
    [[nodiscard]] long rubiWidth() const { return rubiWidth_; }

    [[nodiscard]] Long& at(Kind kind, long vGyou, long vDan);
    [[nodiscard]] const Long& at(Kind kind, long vGyou, long vDan) const;

    [[nodiscard]] std::size_t byteSize() const;

private:
    [[nodiscard]] static bool isBun(std::size_t kind) { return kind < kSmallRubiX; }

    std::array<Table2<Long>, 8> tables_{
        Table2<Long>("PointSmallBunX"),  Table2<Long>("PointSmallBunY"),
        Table2<Long>("PoinBigBunX"),     Table2<Long>("PoinBigBunY"),
        Table2<Long>("PointSmallRubiX"), Table2<Long>("PointSmallRubiY"),
        Table2<Long>("PointBigRubiX"),   Table2<Long>("PointBigRubiY"),
    };
    long bunWidth_ = 0;
    long rubiWidth_ = 0;
};

}  // namespace tavelo
