#include "CBunInfoPage.h"

#include "common/CheckedArithmetic.h"
#include "common/Error.h"
#include "common/MessageSink.h"
#include "common/Rounding.h"

namespace tavelo {
namespace {

const String kSpaceFont = u"0";
// With no line of 8 cells or more the standard length would be 0, which collapses the layout
// onto one point; short documents get the smallest standard length instead.
constexpr Integer kSmallestStandardLength = 8;

}  // namespace

// Room for all 1000 lines from the start, so that a reference to a line's text stays valid
// while later lines are written; but a line is only built when it is first written: most
// documents use a few of them, and every open builds a fresh page.
CBunInfoPage::CBunInfoPage(MessageSink& messages) : messages_(messages) {
    lines_.reserve(kMaxLines);
}

CBunInfoPage::BunInfo& CBunInfoPage::line(long vGyou) {
    if (vGyou < 1 || vGyou > kMaxLines) throw Error::subscriptOutOfRange(kLinesSource);
    const auto index = static_cast<std::size_t>(vGyou - 1);
    if (index >= lines_.size()) lines_.resize(index + 1);
    return lines_[index];
}

const CBunInfoPage::BunInfo& CBunInfoPage::line(long vGyou) const {
    if (vGyou < 1 || vGyou > kMaxLines) throw Error::subscriptOutOfRange(kLinesSource);
    static const BunInfo kNeverWritten;
    const auto index = static_cast<std::size_t>(vGyou - 1);
    return index < lines_.size() ? lines_[index] : kNeverWritten;
}

void CBunInfoPage::AddChar(const String& vChar, const String& vFontData) {
    BunInfo& current = line(currentGyou_);
    if (vChar.size() == 1)
        current.Bun += vChar;
    else
        messages_.showMessage(u"1文字以外");
    // A refused character still uses up its cell; the 56th cell fails after the append.
    current.FontData.at(currentDan_) = vFontData;
    currentDan_ = checked::add(currentDan_, Integer{1});
    if (page1BunGyou_ < currentGyou_) page1BunGyou_ = currentGyou_;
}

void CBunInfoPage::tl2AddSyotaiInfo(Single vPos, const String& vFontData) {
    const Integer cell =
        checked::toInteger(static_cast<std::int64_t>(rounding::floorToLong(vPos)) + 1);
    const Integer endedLine = checked::sub(currentGyou_, Integer{1});
    if (endedLine < 1) throw Error::subscriptOutOfRange(kTypefaceLineSource);
    Table<String>& fonts = line(endedLine).FontData;
    if (!fonts.contains(cell)) throw Error::subscriptOutOfRange(kTypefaceCellSource);
    fonts.at(cell) = vFontData;
}

void CBunInfoPage::AddString(const String& vString) {
    for (char16_t c : vString) {
        BunInfo& current = line(currentGyou_);
        current.Bun.push_back(c);
        current.FontData.at(currentDan_) = kSpaceFont;
        currentDan_ = checked::add(currentDan_, Integer{1});
    }
    if (page1BunGyou_ < currentGyou_) page1BunGyou_ = currentGyou_;
}

const String& CBunInfoPage::Bun(Integer vGyou) const {
    return line(vGyou).Bun;
}

Integer CBunInfoPage::CountBun(Integer vGyou) const {
    return checked::toInteger(static_cast<std::int64_t>(line(vGyou).Bun.size()));
}

const String& CBunInfoPage::FontData(Integer vGyou, Integer vDan) const {
    return line(vGyou).FontData.at(vDan);
}

void CBunInfoPage::FontData(Integer vGyou, Integer vDan, const String& vFontData) {
    line(vGyou).FontData.at(vDan) = vFontData;
}

void CBunInfoPage::Kaigyou() {
    const Integer length = CountBun(currentGyou_);
    const long last = lenDan_.upper();
    lenDan_.at(last) = length;
    lenDan_.redimPreserve(last + 1);
    if (length > maxBunDan_) maxBunDan_ = length;
    currentDan_ = 1;
    currentGyou_ = checked::add(currentGyou_, Integer{1});
}

void CBunInfoPage::InitializeBun() {
    currentGyou_ = 1;
    currentDan_ = 1;
    for (Integer g = 1; g <= page1BunGyou_; ++g) line(g).Bun.clear();
    page1BunGyou_ = 0;
    maxBunDan_ = 0;
}

bool CBunInfoPage::DropOverlongCells() {
    if (currentGyou_ < 1 || currentGyou_ > kMaxLines) return false;
    String& bun = line(currentGyou_).Bun;
    if (bun.size() <= static_cast<std::size_t>(kMaxCells)) return false;
    bun.resize(static_cast<std::size_t>(kMaxCells));
    return true;
}

void CBunInfoPage::CountLenDan() {
    lenDanCount_.fillDefault();
    const long ended = lenDan_.upper() - 1;
    for (long i = 1; i <= ended; ++i) {
        const Integer length = lenDan_.at(i);
        if (length > maxBunDan_ || length < 7) continue;
        if (length % 2 == 0) {
            Integer& count = lenDanCount_.at(length);
            count = checked::add(count, Integer{1});
        } else {
            if (length - 1 >= 8) {
                Integer& count = lenDanCount_.at(length - 1);
                count = checked::add(count, Integer{1});
            }
            if (length + 1 < maxBunDan_) {
                Integer& count = lenDanCount_.at(length + 1);
                count = checked::add(count, Integer{1});
            }
        }
    }
}

Integer CBunInfoPage::Plusminus1MaxLenDan() {
    CountLenDan();
    for (Integer a = kMaxCells; a >= 1; --a) {
        if (a % 2 == 0 && lenDanCount_.at(a) >= 1) return a;
    }
    return kSmallestStandardLength;
}

}  // namespace tavelo
