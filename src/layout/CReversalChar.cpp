#include "CReversalChar.h"

namespace tavelo {

bool CReversalChar::ReversalChar(Integer vGyou, Integer vDan) const {
    return reversal_.at(vGyou, vDan) == kTrueFlag;
}

void CReversalChar::ReversalChar(Integer vGyou, Integer vDan, bool vReversal) {
    reversal_.at(vGyou, vDan) = toFlag(vReversal);
}

void CReversalChar::GyouArraySize(Integer vNewValue) {
    reversal_.redim(0, vNewValue, 1, kMaxDan);
}

}  // namespace tavelo
