#pragma once

#include "common/ClassicTypes.h"
#include "common/Table.h"

namespace tavelo {

// The ruby of one line: its slots, and per slot -1 where it holds a bracketed kanji, else 0.
struct RubiInfo {
    static constexpr int kMaxSlots = 120;
    static constexpr const char* kSlotsSource = "RubiInfo.IsKanjiRubi";

    String Rubi;
    Table<Integer> IsKanjiRubi{kSlotsSource, 1, kMaxSlots};
};

}  // namespace tavelo
