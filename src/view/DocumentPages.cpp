#include "view/DocumentPages.h"

#include <cmath>

#include "common/Rounding.h"
#include "store/CViewData.h"
#include "view/GdiTypes.h"

namespace tavelo {
namespace {

constexpr int kPixelsPerInch = 96;
// A bracketed kanji in the ruby stands this many ruby pitches right of its slot (the layout's
// shift), and is drawn this much larger.
constexpr double kKanjiRubiShift = 0.15;
constexpr double kKanjiRubiScale = 1.25;

}  // namespace

Long DocumentPages::firstLineOffset(const CViewData& view, Integer style, Integer line) {
    // The scroll position that shows the line first, times the pitch factor of the scroll bar,
    // both single precision and rounded half to even, as the scroll bar's handler does.
    const long position = style == 0 ? line - 1L : 2L * (line - 1L);
    if (position <= 0) return 0;
    const Single factor =
        style == 0 ? rounding::toSingle(double{view.CharSpace(0)} * 2) : view.CharSpace(1);
    return rounding::roundToLong(
        rounding::toSingle(static_cast<double>(position) * static_cast<double>(factor)));
}

std::vector<ColumnPager::Column> DocumentPages::columnsOf(const CViewData& view, Integer style) {
    const Single pitch = view.CharSpace(style);
    const Single rubiPitch = rounding::toSingle(pitch / 2.0);
    const double bodyEm = MulDiv(view.FontSizeBun(style), kPixelsPerInch, 72);
    const double kanjiShift = std::ceil(kKanjiRubiShift * rubiPitch);
    const double rubiEm = MulDiv(
        rounding::roundToInteger(static_cast<double>(view.FontSizeRubi(style)) * kKanjiRubiScale),
        kPixelsPerInch, 72);
    const auto width = static_cast<double>(view.DeviceScaleWidth());

    // The same running positions as the layout, so that empty lines have their place too.
    Single x = rounding::toSingle(width - double{pitch});
    Single rubiX = rounding::toSingle(width - double{rubiPitch});
    std::vector<ColumnPager::Column> columns;
    const Integer lines = view.GyouArraySize();
    columns.reserve(static_cast<std::size_t>(lines > 0 ? lines : 0));
    for (Integer g = 1; g <= lines; ++g) {
        const auto bodyX = static_cast<double>(rounding::floorToLong(x));
        const auto rubiRight = static_cast<double>(rounding::floorToLong(rubiX)) + kanjiShift;
        ColumnPager::Column column;
        column.left = std::min(bodyX - bodyEm, rubiRight - kanjiShift - rubiEm);
        column.right = std::max(bodyX, rubiRight);
        column.firstOffset = firstLineOffset(view, style, g);
        columns.push_back(column);
        x = rounding::toSingle(x - 2.0 * pitch);
        rubiX = rounding::toSingle(rubiX - 2.0 * pitch);
    }
    return columns;
}

std::vector<DocumentPages::Page> DocumentPages::pagesOf(const CViewData& view, Integer style,
                                                        long viewWidth) {
    std::vector<Page> pages;
    for (const ColumnPager::Page& set : ColumnPager::paginate(columnsOf(view, style), viewWidth)) {
        Page page;
        page.firstLine = static_cast<Integer>(set.firstLine + 1);
        page.lastLine = static_cast<Integer>(set.lastLine + 1);
        page.offsetX = static_cast<Long>(set.offsetX);
        pages.push_back(page);
        if (style == 1) {
            page.tier = 1;
            pages.push_back(page);
        }
    }
    return pages;
}

}  // namespace tavelo
