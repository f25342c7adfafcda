#pragma once

#include "common/ClassicTypes.h"
#include "common/Table.h"

namespace tavelo {

// The highlight flags handed to a newly opened document: one per body position, lines 0..G
// (line 0 is never used) by positions 1..60, all clear after GyouArraySize is written.
//
// Contract: a line or position outside the table, or any access before GyouArraySize has been
// written, fails with a subscript-out-of-range Error and stores nothing.
class CReversalChar {
public:
    static constexpr int kMaxDan = 60;

    [[nodiscard]] bool ReversalChar(Integer vGyou, Integer vDan) const;
    void ReversalChar(Integer vGyou, Integer vDan, bool vReversal);
    // Re-creates the table for G lines, clearing every flag. (There is no read of G.)
    void GyouArraySize(Integer vNewValue);

private:
    Table2<Integer> reversal_{"CReversalChar.ReversalChar"};  // classic flags, -1 or 0
};

}  // namespace tavelo
