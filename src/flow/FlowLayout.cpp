#include "flow/FlowLayout.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "common/Error.h"
#include "prose/AozoraNotation.h"

namespace tavelo::flow {
namespace {

using prose::Paragraph;
using Kind = FlowLayout::Cell::Kind;

constexpr std::u32string_view kUpright = U"縦中横";
constexpr std::u32string_view kWarichu = U"割り注";
constexpr std::u32string_view kLeftRuby = U"左ルビ";
constexpr std::u32string_view kFigure = U"挿絵";
constexpr std::u32string_view kLarger = U"大きな文字";
constexpr std::u32string_view kSmaller = U"小さな文字";

bool isStructural(const prose::Note& note) {
    return note.kind == kUpright || note.kind == kWarichu;
}

bool isAsciiDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}

// The two characters at `i` make a tate-chu-yoko pair: two half-width digits that are not part
// of a longer number, or !? !! ?? (half- or full-width) that are not part of a longer run.
bool isUprightPair(std::u32string_view t, std::size_t i) {
    const char32_t a = t[i];
    if (!isAsciiDigit(a) && a != U'!' && a != U'?' && a != U'！' && a != U'？') return false;
    const char32_t b = t[i + 1];
    auto alone = [&](auto&& member) {
        return (i == 0 || !member(t[i - 1])) && (i + 2 >= t.size() || !member(t[i + 2]));
    };
    if (isAsciiDigit(a) && isAsciiDigit(b)) return alone(isAsciiDigit);
    for (std::u32string_view marks : {std::u32string_view(U"!?"), std::u32string_view(U"！？")}) {
        auto isMark = [&](char32_t c) { return c == marks[0] || c == marks[1]; };
        if ((a == marks[0] && isMark(b)) || (a == marks[1] && b == marks[1])) return alone(isMark);
    }
    return false;
}

// Text of another size is set in cells of `characters` that take `rows` whole rows, so that the
// rows stay the grid's: the pair that wastes the least of its rows, the fewest rows on a tie.
struct Chunk {
    int characters = 1;
    int rows = 1;
};

// `scale` is lowered to what a column of `mostRows` holds.
Chunk chunkOf(double& scale, int mostRows) {
    mostRows = std::clamp(mostRows, 1, 6);
    scale = std::min(scale, static_cast<double>(mostRows));
    Chunk best{1, static_cast<int>(std::ceil(scale - 1e-9))};
    double bestWaste = 1;
    for (int rows = 1; rows <= mostRows; ++rows) {
        const int characters = static_cast<int>(std::floor(rows / scale + 1e-9));
        if (characters < 1) continue;
        const double waste = (rows - characters * scale) / rows;
        if (waste < bestWaste - 1e-9) {
            best = {characters, rows};
            bestWaste = waste;
        }
    }
    return best;
}

// How a paragraph's columns are filled: the free rows at the top of the first and the other
// columns, their cells, and for a paragraph set against the foot the rows left free there.
struct Shape {
    int firstTop = 0;
    int restTop = 0;
    int firstCapacity = 1;
    int restCapacity = 1;
    bool bottom = false;
    int raise = 0;
};

Shape shapeOf(const Paragraph& p, int n) {
    Shape s;
    if (p.align == prose::Align::Bottom) {
        s.bottom = true;
        s.raise = std::clamp(p.raise, 0, n - 1);
        s.firstCapacity = s.restCapacity = n - s.raise;
        return s;
    }
    s.firstTop = std::clamp(p.indent, 0, n - 1);
    s.restTop = std::clamp(p.hangingIndent, 0, n - 1);
    s.firstCapacity = n - s.firstTop;
    s.restCapacity = n - s.restTop;
    return s;
}

// The cell of a column that holds a character, or null.
const FlowLayout::Cell* cellHolding(const FlowLayout::Column& column, Offset at) {
    for (const FlowLayout::Cell& cell : column.cells)
        if ((at >= cell.start && at < cell.end) || (at >= cell.leftStart && at < cell.leftEnd))
            return &cell;
    return nullptr;
}

}  // namespace

FlowLayout::FlowLayout(const prose::ProseDocument& document, const FlowSettings& settings)
    : FlowLayout(document, FlowMetrics::of(settings), {settings.looseBreaking, settings.hanging},
                 settings.autoTateChuYoko) {}

FlowLayout::FlowLayout(const prose::ProseDocument& document, int charactersPerColumn,
                       int columnsPerPage, LineBreakRules::Settings rules, bool autoTateChuYoko)
    : FlowLayout(document, FlowMetrics::grid(charactersPerColumn, columnsPerPage), rules,
                 autoTateChuYoko) {}

FlowLayout::FlowLayout(const prose::ProseDocument& document, const FlowMetrics& metrics,
                       LineBreakRules::Settings rules, bool autoTateChuYoko)
    : document_(&document), metrics_(metrics), rules_(rules), autoTateChuYoko_(autoTateChuYoko) {
    flows_.reserve(document.paragraphs.size());
}

bool FlowLayout::layOutMore(std::size_t budget) {
    std::size_t done = 0;
    while (!complete() && done < budget) {
        done += document_->paragraphs[known_].text.size() + 1;
        breakNext();
    }
    return complete();
}

void FlowLayout::ensureAll() {
    while (!complete()) breakNext();
}

void FlowLayout::knowThrough(std::size_t paragraph) {
    while (known_ <= paragraph && !complete()) breakNext();
}

void FlowLayout::breakNext() {
    const Paragraph& p = document_->paragraphs[known_];
    const bool newPage =
        p.breakBefore == prose::BreakBefore::Page || p.breakBefore == prose::BreakBefore::Sheet;
    if (newPage && nextIndex_ > 0) {
        ++nextPage_;
        nextIndex_ = 0;
    }
    setParagraph(known_);
    Flow flow;
    flow.page = nextPage_;
    flow.index = nextIndex_;
    flow.leading = flow.trailing = p.heading == prose::Heading::None ? 0 : 1;
    flow.starts.reserve(lengths_.size());
    std::size_t unit = 0;
    for (int length : lengths_) {
        flow.starts.push_back(unit < units_.size() ? units_[unit].start
                                                   : static_cast<Offset>(p.text.size()));
        unit += static_cast<std::size_t>(length);
    }
    const int total = nextIndex_ + columnsOf(flow);
    nextPage_ += total / metrics_.columnsPerPage;
    nextIndex_ = total % metrics_.columnsPerPage;
    flows_.push_back(std::move(flow));
    ++known_;
}

double FlowLayout::sizeScale(const prose::Note& note) {
    const bool larger = note.kind == kLarger;
    if (!larger && note.kind != kSmaller) return 1;
    std::size_t length = 0;
    const int steps = std::max(1, prose::aozora::leadingCount(note.value, length).value_or(1));
    const double scale = std::pow(larger ? 1.2 : 0.8, steps);
    return std::clamp(scale, 0.5, 1.5);
}

double FlowLayout::headingScale(prose::Heading heading) {
    switch (heading) {
        case prose::Heading::Large:
            return 1.44;  // two steps larger
        case prose::Heading::Medium:
            return 1.2;  // one step
        default:
            return 1;  // a small heading keeps the body's size, in bold
    }
}

void FlowLayout::setParagraph(std::size_t paragraph) {
    const Paragraph& p = document_->paragraphs[paragraph];
    const Shape shape = shapeOf(p, metrics_.charactersPerColumn);
    // A figure fills a column: no text stands beside it in the column before or after.
    buildUnits(p, std::max(shape.firstCapacity, shape.restCapacity),
               std::min(shape.firstCapacity, shape.restCapacity));
    lengths_.clear();
    LineBreakRules::columnLengths(ruleCells_, groups_, shape.firstCapacity, shape.restCapacity,
                                  rules_, lengths_);
}

void FlowLayout::buildUnits(const Paragraph& p, int figureRows, int columnRows) {
    units_.clear();
    ruleCells_.clear();
    groups_.clear();
    const std::u32string_view text = p.text;
    const auto size = static_cast<Offset>(text.size());
    std::size_t note = 0;    // the next structural note
    std::size_t figure = 0;  // the next note that may be a figure
    std::size_t sized = 0;   // the next note that may set a size
    Offset sizedEnd = 0;     // the size set up to here
    double scale = 1;
    // A heading is set larger, by its level, as a 大きな文字 note would set it.
    if (const double larger = headingScale(p.heading); larger != 1) {
        scale = larger;
        sizedEnd = size;
    }
    auto addFigures = [&](Offset at) {
        for (; figure < p.notes.size() && p.notes[figure].start <= at; ++figure)
            if (p.notes[figure].kind == kFigure)
                units_.push_back({at, at, Kind::Figure, false, figureRows, 1, figure});
    };
    Offset i = 0;
    while (i < size) {
        addFigures(i);
        while (note < p.notes.size() && (p.notes[note].start < i || !isStructural(p.notes[note])))
            ++note;
        if (note < p.notes.size() && p.notes[note].start == i) {
            const prose::Note& n = p.notes[note];
            const Offset end = std::min(n.end, size);
            ++note;
            if (end > i && n.kind == kUpright) {
                units_.push_back({i, end, Kind::Upright, false});
                i = end;
                continue;
            }
            if (end > i) {  // 割り注: two characters to a cell
                for (Offset j = i; j < end; j += 2)
                    units_.push_back({j, std::min<Offset>(j + 2, end), Kind::Warichu, j == i});
                i = end;
                continue;
            }
        }
        for (; sized < p.notes.size() && p.notes[sized].start <= i; ++sized) {
            const double s = sizeScale(p.notes[sized]);
            if (s != 1 && p.notes[sized].end > i) {
                scale = s;
                sizedEnd = p.notes[sized].end;
            }
        }
        if (i < sizedEnd) {
            // A cell of characters of another size, up to the next note that places something.
            double cellScale = scale;
            const Chunk chunk = chunkOf(cellScale, columnRows);
            Offset end =
                std::min<Offset>({i + static_cast<Offset>(chunk.characters), sizedEnd, size});
            for (std::size_t k = figure; k < p.notes.size() && p.notes[k].start < end; ++k)
                if ((p.notes[k].kind == kFigure || isStructural(p.notes[k])) &&
                    p.notes[k].start > i)
                    end = p.notes[k].start;
            const int rows = end - i == static_cast<Offset>(chunk.characters)
                                 ? chunk.rows
                                 : static_cast<int>(std::ceil((end - i) * cellScale - 1e-9));
            units_.push_back({i, end, Kind::Plain, false, std::max(1, rows), cellScale});
            i = end;
            continue;
        }
        if (autoTateChuYoko_ && i + 1 < size && isUprightPair(text, i)) {
            units_.push_back({i, i + 2, Kind::Upright, false});
            i += 2;
            continue;
        }
        units_.push_back({i, i + 1, Kind::Plain, false});
        ++i;
    }
    addFigures(size);
    ruleCells_.reserve(units_.size());
    for (const Unit& u : units_) {
        // A figure breaks like an ideograph; the rows it takes keep text off its column.
        if (u.kind == Kind::Figure)
            ruleCells_.push_back({U'〓', U'〓', u.rows});
        else
            ruleCells_.push_back({text[u.start], text[u.end - 1], u.rows});
    }

    // Ruby groups, in units.
    auto unitHolding = [&](Offset at) {
        const auto it = std::upper_bound(units_.begin(), units_.end(), at,
                                         [](Offset a, const Unit& u) { return a < u.start; });
        return static_cast<int>(it - units_.begin()) - 1;
    };
    for (const prose::Ruby& r : p.ruby) {
        const Offset end = std::min(r.end, size);
        if (r.start >= end) continue;
        const int first = unitHolding(r.start);
        const int last = unitHolding(end - 1);
        if (!groups_.empty() && first <= groups_.back().last)
            groups_.back().last = std::max(groups_.back().last, last);
        else
            groups_.push_back({first, last});
    }
}

std::pair<int, int> FlowLayout::placeOf(const Flow& flow, int k) const {
    const int at = flow.index + k;
    return {flow.page + at / metrics_.columnsPerPage, at % metrics_.columnsPerPage};
}

int FlowLayout::lastPageOf(const Flow& flow) const {
    return placeOf(flow, columnsOf(flow) - 1).first;
}

int FlowLayout::pageCount() {
    ensureAll();
    if (known_ == 0) return 0;
    return nextIndex_ == 0 ? nextPage_ : nextPage_ + 1;
}

int FlowLayout::pageOf(Place place) {
    if (place.paragraph >= document_->paragraphs.size())
        throw Error::subscriptOutOfRange("FlowLayout.pageOf");
    knowThrough(place.paragraph);
    const Flow& flow = flows_[place.paragraph];
    const auto k = std::upper_bound(flow.starts.begin(), flow.starts.end(), place.offset) -
                   flow.starts.begin() - 1;
    return placeOf(flow, flow.leading + static_cast<int>(std::max<std::ptrdiff_t>(k, 0))).first;
}

Place FlowLayout::firstPlaceOn(int page) {
    if (page < 0) throw Error::subscriptOutOfRange("FlowLayout.firstPlaceOn");
    while (!complete() && (known_ == 0 || lastPageOf(flows_.back()) < page)) breakNext();
    const auto it = std::partition_point(flows_.begin(), flows_.end(),
                                         [&](const Flow& f) { return lastPageOf(f) < page; });
    if (it == flows_.end()) throw Error::subscriptOutOfRange("FlowLayout.firstPlaceOn");
    const Flow& flow = *it;
    const auto paragraph = static_cast<std::size_t>(it - flows_.begin());
    const int k = std::max(0, (page - flow.page) * metrics_.columnsPerPage - flow.index);
    const int text = k - flow.leading;
    if (text < 0) return {paragraph, 0};
    if (static_cast<std::size_t>(text) < flow.starts.size())
        return {paragraph, flow.starts[static_cast<std::size_t>(text)]};
    // A heading's empty column after it: what follows is what the page shows.
    if (paragraph + 1 < document_->paragraphs.size()) {
        knowThrough(paragraph + 1);
        if (flows_[paragraph + 1].page == page) return {paragraph + 1, 0};
    }
    return {paragraph, static_cast<Offset>(document_->paragraphs[paragraph].text.size())};
}

FlowLayout::Page FlowLayout::page(int number) {
    if (number < 0) throw Error::subscriptOutOfRange("FlowLayout.page");
    while (!complete() && (known_ == 0 || flows_.back().page <= number)) breakNext();
    if (complete() && number >= pageCount()) throw Error::subscriptOutOfRange("FlowLayout.page");
    Page page;
    page.number = number;
    auto it = std::partition_point(flows_.begin(), flows_.end(),
                                   [&](const Flow& f) { return lastPageOf(f) < number; });
    for (; it != flows_.end() && it->page <= number; ++it)
        addParagraphTo(page, static_cast<std::size_t>(it - flows_.begin()));
    return page;
}

void FlowLayout::addParagraphTo(Page& page, std::size_t paragraph) {
    const Paragraph& p = document_->paragraphs[paragraph];
    const Flow& flow = flows_[paragraph];
    const auto size = static_cast<Offset>(p.text.size());
    const int n = metrics_.charactersPerColumn;
    const Shape shape = shapeOf(p, n);
    setParagraph(paragraph);
    std::size_t unit = 0;  // the first unit of text column k
    const int count = columnsOf(flow);
    for (int k = 0; k < count; ++k) {
        // Named, not bound: a lambda below uses the index, and clang before 16 cannot
        // capture a structured binding.
        const std::pair<int, int> placed = placeOf(flow, k);
        const int pageNumber = placed.first;
        const int index = placed.second;
        const int textColumn = k - flow.leading;
        const bool isText = textColumn >= 0 && textColumn < static_cast<int>(flow.starts.size());
        const auto length =
            isText ? static_cast<std::size_t>(lengths_[static_cast<std::size_t>(textColumn)]) : 0;
        if (pageNumber != page.number) {
            unit += length;
            continue;
        }
        Column column;
        column.paragraph = paragraph;
        column.page = pageNumber;
        column.index = index;
        column.heading = p.heading;
        if (!isText) {
            column.start = column.end = textColumn < 0 ? 0 : size;
            page.columns.push_back(std::move(column));
            continue;
        }
        const int capacity = textColumn == 0 ? shape.firstCapacity : shape.restCapacity;
        int rows = 0;
        for (std::size_t u = unit; u < unit + length; ++u) rows += units_[u].rows;
        // More rows than the column holds: a hanging mark below it, or one cell taller than
        // the column (a figure beside an indent), which is cut to the column.
        const bool hangs = rows > capacity && length > 1 && units_[unit + length - 1].rows == 1;
        const int body = std::min(rows - (hangs ? 1 : 0), capacity);
        int row = shape.bottom ? n - shape.raise - body
                               : (textColumn == 0 ? shape.firstTop : shape.restTop);
        column.start = flow.starts[static_cast<std::size_t>(textColumn)];
        column.end = unit + length < units_.size() ? units_[unit + length].start : size;
        for (std::size_t u = unit; u < unit + length;) {
            const Unit& first = units_[u];
            if (first.kind == Kind::Warichu) {
                // The run of this note in this column: its first half on the right line.
                std::size_t last = u + 1;
                while (last < unit + length && units_[last].kind == Kind::Warichu &&
                       !units_[last].runStart)
                    ++last;
                const Offset a = first.start;
                const Offset b = units_[last - 1].end;
                const auto cells = static_cast<Offset>(last - u);
                for (Offset m = 0; m < cells; ++m) {
                    Cell cell{a + m, a + m + 1, row++, 1, Kind::Warichu, 0, 0};
                    if (a + cells + m < b) {
                        cell.leftStart = a + cells + m;
                        cell.leftEnd = cell.leftStart + 1;
                    }
                    column.cells.push_back(cell);
                }
                u = last;
                continue;
            }
            const bool hanging = hangs && u + 1 == unit + length;
            const int cellRows = std::max(1, std::min(first.rows, n - row));
            column.cells.push_back({first.start, first.end, row, cellRows,
                                    hanging ? Kind::Hanging : first.kind, 0, 0, first.scale,
                                    first.figure});
            row += cellRows;
            ++u;
        }
        unit += length;

        // Ruby and notes over the column.
        auto rowsOf = [&](Offset from, Offset to) {  // [from, to), not empty
            const Cell* top = cellHolding(column, from);
            const Cell* bottom = cellHolding(column, to - 1);
            return std::pair<int, int>{top ? top->row : 0, bottom ? bottom->row + bottom->rows : 0};
        };
        auto addReading = [&](std::size_t i, bool left, Offset start, Offset end,
                              std::size_t reading) {
            const Offset from = std::max(start, column.start);
            const Offset to = std::min(end, column.end);
            if (from >= to) return;
            const auto [top, bottom] = rowsOf(from, to);
            const std::size_t base = end - start;
            const auto readingStart = static_cast<Offset>(reading * (from - start) / base);
            const auto readingEnd = static_cast<Offset>(reading * (to - start) / base);
            const double centre = (top + bottom) / 2.0;
            const double half = (readingEnd - readingStart) / 4.0;  // half-size characters
            page.ruby.push_back({paragraph, i, left, index, readingStart, readingEnd, centre - half,
                                 centre + half});
        };
        const auto firstRuby =
            std::partition_point(p.ruby.begin(), p.ruby.end(),
                                 [&](const prose::Ruby& r) { return r.end <= column.start; });
        for (auto r = firstRuby; r != p.ruby.end() && r->start < column.end; ++r)
            addReading(static_cast<std::size_t>(r - p.ruby.begin()), false, r->start, r->end,
                       r->reading.size());
        for (std::size_t i = 0; i < p.notes.size() && p.notes[i].start < column.end; ++i) {
            const prose::Note& note = p.notes[i];
            if (note.end <= column.start || note.start >= note.end || isStructural(note)) continue;
            if (note.kind == kLeftRuby) {
                addReading(i, true, note.start, note.end, note.value.size());
                continue;
            }
            const auto [top, bottom] =
                rowsOf(std::max(note.start, column.start), std::min(note.end, column.end));
            page.notes.push_back({paragraph, i, index, top, bottom - 1});
        }
        page.columns.push_back(std::move(column));
    }
}

std::vector<FlowLayout::ColumnSpan> FlowLayout::columns() {
    ensureAll();
    std::vector<ColumnSpan> spans;
    for (std::size_t i = 0; i < flows_.size(); ++i) {
        const Flow& flow = flows_[i];
        const auto size = static_cast<Offset>(document_->paragraphs[i].text.size());
        for (int k = 0; k < columnsOf(flow); ++k) {
            const int text = k - flow.leading;
            Offset start = text < 0 ? 0 : size;
            Offset end = start;
            if (text >= 0 && static_cast<std::size_t>(text) < flow.starts.size()) {
                const auto t = static_cast<std::size_t>(text);
                start = flow.starts[t];
                end = t + 1 < flow.starts.size() ? flow.starts[t + 1] : size;
            }
            spans.push_back({i, start, end, placeOf(flow, k).first});
        }
    }
    return spans;
}

FlowLayout::Length FlowLayout::length(const prose::ProseDocument& document) {
    Length length;
    for (const Paragraph& p : document.paragraphs)
        length.characters += static_cast<long>(p.text.size()) + std::max(0, p.indent);
    FlowLayout sheets(document, 20, 20);
    length.sheets400 = sheets.pageCount();
    return length;
}

}  // namespace tavelo::flow
