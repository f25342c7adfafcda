#include "flow/FlowMetrics.h"

#include <algorithm>
#include <cmath>

namespace tavelo::flow {
namespace {

constexpr int kBaseFontSize = 20;
constexpr int kSmallestFontSize = 6;

// Hidden ruby gives its band up to the gap between columns: only emphasis marks stand there.
constexpr double kPitchWithRuby = 1.75;
constexpr double kPitchWithoutRuby = 1.5;

FlowMetrics forFont(int fontSize, int viewWidth, int viewHeight, bool rubySpace = true) {
    FlowMetrics m;
    m.viewWidth = viewWidth;
    m.viewHeight = viewHeight;
    m.fontSize = fontSize;
    m.rubySize = static_cast<int>(std::lround(fontSize / 2.0));
    m.columnPitch = static_cast<int>(std::lround(fontSize * (rubySpace ? kPitchWithRuby : kPitchWithoutRuby)));
    m.rowPitch = fontSize;
    m.marginTop = fontSize;
    m.marginBottom = fontSize;
    m.marginX = m.columnPitch / 2;
    m.charactersPerColumn = std::max(1, (viewHeight - 2 * m.marginTop) / fontSize);
    m.columnsPerPage = std::max(1, (viewWidth - 2 * m.marginX) / m.columnPitch);
    return m;
}

}  // namespace

FlowMetrics FlowMetrics::of(const FlowSettings& settings) {
    const long size =
        std::lround(kBaseFontSize * static_cast<double>(settings.zoomPercent) / 100.0);
    const int fontSize = static_cast<int>(std::clamp<long>(size, kSmallestFontSize, 1 << 16));
    return forFont(fontSize, settings.viewWidth, settings.viewHeight, settings.rubySpace);
}

FlowMetrics FlowMetrics::grid(int charactersPerColumn, int columnsPerPage) {
    const int n = std::max(1, charactersPerColumn);
    const int m = std::max(1, columnsPerPage);
    const FlowMetrics unit = forFont(kBaseFontSize, 0, 0);
    return forFont(kBaseFontSize, m * unit.columnPitch + 2 * unit.marginX,
                   n * kBaseFontSize + 2 * unit.marginTop);
}

}  // namespace tavelo::flow
