#pragma once

#include <array>
#include <vector>

#include "RubiInfo.h"

namespace tavelo {

// Collects the ruby lines that stand before one body line, one row per ruby line, and merges
// them slot by slot: the first row with a character other than "　" in a slot gives that
// slot; a kanji flag of -1 in any row survives the merge.
//
// Until InitializeBufRubiRetu has run there are no rows, and every member that reads or
// writes them fails with a subscript-out-of-range error.
class CBufRubiRetu {
public:
    void InitializeBufRubiRetu();
    [[nodiscard]] Integer IsKanjiRubi(Integer vDan);
    void IsKanjiRubi(Integer vDan, Integer vKanjiRubi);
    [[nodiscard]] String Rubi() const;
    void AddBufRubiRetu();
    void AddChar(const String& vChar, Integer vIsKanjiRubi);
    void ClearRubiInfo();

    // The merged flags of all 120 slots at once (index 0 is slot 1), so that a body line
    // taking the rows merges them once rather than once per slot.
    [[nodiscard]] std::array<Integer, RubiInfo::kMaxSlots> MergedKanjiRubi() const;

private:
    [[nodiscard]] RubiInfo& lastRow();

    std::vector<RubiInfo> m_RubiRetu;  // rows 1..n; empty until the first reset
    Table<Integer> m_IsKanjiRubi{"CBufRubiRetu.m_IsKanjiRubi", 1, RubiInfo::kMaxSlots};
};

}  // namespace tavelo
