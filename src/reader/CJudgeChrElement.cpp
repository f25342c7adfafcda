#include "CJudgeChrElement.h"

namespace tavelo {
namespace {

constexpr Integer within(Byte b, int low, int high) {
    return toFlag(b >= low && b <= high);
}

}  // namespace

Integer CJudgeChrElement::IsKanjiFirstByte(Byte b) const {
    return toFlag(within(b, 0x88, 0xEA) || within(b, 0xF0, 0xF9));
}
Integer CJudgeChrElement::IsZenkakuNotKanjiFirstByte(Byte b) const {
    return within(b, 0x81, 0x87);
}
Integer CJudgeChrElement::IsZenkakuSecondByte(Byte b) const {
    return toFlag(within(b, 0x40, 0x7E) || within(b, 0x80, 0xFC));
}
Integer CJudgeChrElement::IsHankakuKatakanaDokuten(Byte b) const {
    return within(b, 0xA4, 0xDF);
}
Integer CJudgeChrElement::IsLowLine(Byte b) const {
    return toFlag(b == 0x5F);
}
Integer CJudgeChrElement::IsHalfSpace(Byte b) const {
    return toFlag(b == 0x20);
}
Integer CJudgeChrElement::IsCR(Byte b) const {
    return toFlag(b == 0x0D);
}
Integer CJudgeChrElement::IsFL(Byte b) const {
    return toFlag(b == 0x0A);
}
Integer CJudgeChrElement::IsDigit(Byte b) const {
    return within(b, 0x30, 0x39);
}
Integer CJudgeChrElement::IsAlpha(Byte b) const {
    return toFlag(within(b, 0x41, 0x5A) || within(b, 0x61, 0x7A));
}
Integer CJudgeChrElement::IsHankakuStartParenthesis(Byte b) const {
    return toFlag(b == 0x28);
}
Integer CJudgeChrElement::IsHankakuEndParenthesis(Byte b) const {
    return toFlag(b == 0x29);
}
Integer CJudgeChrElement::IsHankakuStartKakuParen(Byte b) const {
    return toFlag(b == 0x5B);
}
Integer CJudgeChrElement::IsHankakuEndKakuParen(Byte b) const {
    return toFlag(b == 0x5D);
}
Integer CJudgeChrElement::IsHankakuPlus(Byte b) const {
    return toFlag(b == 0x2B);
}
Integer CJudgeChrElement::IsHankakuMinus(Byte b) const {
    return toFlag(b == 0x2D);
}
Integer CJudgeChrElement::IsMojiAndSpace(Byte b) const {
    return toFlag(within(b, 0x20, 0x7E) || within(b, 0xA1, 0xDF));
}
Integer CJudgeChrElement::IsLess_Than(Byte b) const {
    return toFlag(b == 0x3C);
}
Integer CJudgeChrElement::IsMojikyoFirstSing(Byte b) const {
    return toFlag(b == 0x4D);
}
Integer CJudgeChrElement::IsAsterisk(Byte b) const {
    return toFlag(b == 0x2A);
}
Integer CJudgeChrElement::IsNumberSign(Byte b) const {
    return toFlag(b == 0x23);
}
Integer CJudgeChrElement::IsAlNum(Byte b) const {
    return toFlag(IsAlpha(b) || IsDigit(b));
}
Integer CJudgeChrElement::IsColon(Byte b) const {
    return toFlag(b == 0x3A);
}
Integer CJudgeChrElement::IsSemicolon(Byte b) const {
    return toFlag(b == 0x3B);
}

}  // namespace tavelo
