#include "view/ScrollPosition.h"

#include <algorithm>
#include <string>

#include "common/CheckedArithmetic.h"
#include "common/Rounding.h"
#include "store/CViewData.h"
#include "view/ColumnPager.h"
#include "view/DocumentPages.h"

namespace tavelo {
namespace {

String decimal(long value) {
    const std::string text = std::to_string(value);
    return String(text.begin(), text.end());
}

// A scroll position times a pitch factor: both Single, the product rounded half to even.
Long offsetOf(long position, Single factor) {
    return rounding::roundToLong(
        rounding::toSingle(static_cast<double>(position) * static_cast<double>(factor)));
}

}  // namespace

ScrollPosition::ScrollPosition(Integer lineCount, Integer style, Single smallPitch,
                               Single largePitch)
    : lineCount_(lineCount), style_(style), smallPitch_(smallPitch), largePitch_(largePitch) {}

ScrollPosition ScrollPosition::of(const CViewData& view, Integer style) {
    return ScrollPosition(view.GyouArraySize(), style, view.CharSpace(0), view.CharSpace(1));
}

Integer ScrollPosition::last() const {
    // An empty document keeps its one position 0 instead of a last position of -1.
    if (lineCount_ <= 0) return 0;
    return style_ == 0 ? checked::sub(lineCount_, Integer{1})
                       : checked::sub(checked::mul(lineCount_, Integer{2}), Integer{1});
}

Integer ScrollPosition::clamp(long position) const {
    return static_cast<Integer>(std::clamp<long>(position, 0, last()));
}

ScrollPosition::Shown ScrollPosition::at(Integer v) const {
    Shown shown;
    const Integer lastPosition = last();
    const auto ratioOf = [lastPosition](long position) {
        return lastPosition == 0 ? Single{0}
                                 : rounding::toSingle(static_cast<double>(position) /
                                                      static_cast<double>(lastPosition));
    };
    if (style_ == 0) {
        if (v != 0) {
            shown.offsetX = offsetOf(v, rounding::toSingle(double{smallPitch_} * 2));
            shown.valueRatio = ratioOf(v);
        }
        shown.lineNumber = lineCount_ < v + 1 ? String() : decimal(v + 1);
        return shown;
    }
    // In the large style an odd position is the lower tier of the line whose upper tier is the
    // even position before it: same offset, same line, same ratio, however it was reached.
    const Integer upper = static_cast<Integer>(v - v % 2);
    shown.tier = static_cast<Integer>(v % 2);
    if (upper == 0) {
        shown.lineNumber = u"1";
        return shown;
    }
    shown.offsetX = offsetOf(upper, largePitch_);
    shown.valueRatio = ratioOf(upper);
    const long line = (static_cast<long>(upper) + 2) / 2;
    shown.lineNumber = line <= lineCount_ ? decimal(line) : String();
    return shown;
}

Integer ScrollPosition::afterStyleSwitch(Single valueRatio) const {
    if (valueRatio == 0) return 0;
    const Integer v = rounding::roundToInteger(rounding::toSingle(
        static_cast<double>(last()) * static_cast<double>(valueRatio)));
    // The large style lands on the upper half of a line.
    return clamp(style_ == 1 && v % 2 != 0 ? v - 1 : v);
}

Integer ScrollPosition::pageStep(const CViewData& view, Integer style, long viewWidth) {
    const std::vector<ColumnPager::Column> columns = DocumentPages::columnsOf(view, style);
    if (columns.empty()) return style == 1 ? 2 : 1;
    // Every column has the same band around its own offset: count those that lie whole in the
    // view when the first of them is the first line shown.
    long lines = 0;
    for (const ColumnPager::Column& column : columns) {
        if (!ColumnPager::shownWhole(column, columns.front().firstOffset, viewWidth)) break;
        ++lines;
    }
    lines = std::max(lines, 1L);
    return static_cast<Integer>(std::min<long>(style == 1 ? 2 * lines : lines, 32767));
}

}  // namespace tavelo
