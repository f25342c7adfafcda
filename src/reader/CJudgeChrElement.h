#pragma once

#include "common/ClassicTypes.h"

namespace tavelo {

// Tests on one byte of a Shift-JIS file: each returns -1 when the byte belongs to the class
// and 0 otherwise. These classes are the vocabulary of the tl2 format.
class CJudgeChrElement {
public:
    [[nodiscard]] Integer IsKanjiFirstByte(Byte vByChar) const;            // 88-EA, F0-F9
    [[nodiscard]] Integer IsZenkakuNotKanjiFirstByte(Byte vByChar) const;  // 81-87
    [[nodiscard]] Integer IsZenkakuSecondByte(Byte vByChar) const;         // 40-7E, 80-FC
    [[nodiscard]] Integer IsHankakuKatakanaDokuten(Byte vByChar) const;    // A4-DF
    [[nodiscard]] Integer IsLowLine(Byte vByChar) const;                   // "_"
    [[nodiscard]] Integer IsHalfSpace(Byte vByChar) const;                 // " "
    [[nodiscard]] Integer IsCR(Byte vByChar) const;
    [[nodiscard]] Integer IsFL(Byte vByChar) const;  // line feed
    [[nodiscard]] Integer IsDigit(Byte vByChar) const;
    [[nodiscard]] Integer IsAlpha(Byte vByChar) const;
    [[nodiscard]] Integer IsHankakuStartParenthesis(Byte vByChar) const;  // "("
    [[nodiscard]] Integer IsHankakuEndParenthesis(Byte vByChar) const;    // ")"
    [[nodiscard]] Integer IsHankakuStartKakuParen(Byte vNewValue) const;  // "["
    [[nodiscard]] Integer IsHankakuEndKakuParen(Byte vNewValue) const;    // "]"
    [[nodiscard]] Integer IsHankakuPlus(Byte vByChar) const;
    [[nodiscard]] Integer IsHankakuMinus(Byte vByChar) const;
    [[nodiscard]] Integer IsMojiAndSpace(Byte vNewValue) const;  // 20-7E, A1-DF
    [[nodiscard]] Integer IsLess_Than(Byte vNewValue) const;
    [[nodiscard]] Integer IsMojikyoFirstSing(Byte vNewValue) const;  // "M"
    [[nodiscard]] Integer IsAsterisk(Byte vNewValue) const;
    [[nodiscard]] Integer IsNumberSign(Byte vNewValue) const;
    [[nodiscard]] Integer IsAlNum(Byte vNewValue) const;
    [[nodiscard]] Integer IsColon(Byte vNewValue) const;
    [[nodiscard]] Integer IsSemicolon(Byte vNewValue) const;
};

}  // namespace tavelo
