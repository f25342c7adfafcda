#pragma once

#include <compare>
#include <cstddef>
#include <vector>

#include "flow/FlowMetrics.h"
#include "flow/LineBreakRules.h"
#include "prose/ProseDocument.h"
#include "prose/ProseText.h"

namespace tavelo::flow {

using prose::Offset;

using prose::Place;

// The flowing vertical pages of a prose document.
//
// Given: the document (which must outlive the layout), the grid (from FlowSettings through
// FlowMetrics, or N × M directly) and the break settings. Calculated: the columns of every
// paragraph, their pages, and per page the cells, ruby and note marks the painter draws.
//
// Every paragraph starts a new column and flows down the column and on into the next, right to
// left; a page holds M columns and an empty paragraph is one empty column. A column holds at
// most N cells (rows 0 … N − 1) and a hanging 、。，． in row N. The cells are set by
// LineBreakRules over cells: a tate-chu-yoko group (a 縦中横 note's span; with auto
// tate-chu-yoko two half-width digits standing alone, and !? !! ?? or ！？ ！！ ？？) is one
// upright cell; a 割り注 span takes one cell per two characters, set in two half-size lines
// (the first half of a column's run on the right, the rest on the left); ruby spans are groups
// that are not split unless longer than the column. Text under a 大きな文字 / 小さな文字 note is
// set at sizeScale of the note (at most the rows of a column), in cells of a few characters
// that take whole rows between them (five characters one step larger take six rows). A 挿絵 note is
// a cell of its own column, as tall as the column, where its caption stands in a frame. The first
// column leaves `indent` rows free at the top and the others `hangingIndent` (each at most N − 1);
// a paragraph aligned to the bottom sets every column against the foot, `raise` rows above it. A
// heading has an empty column before and after it and its columns carry the heading level, for the
// painter to set larger and bold. A page or sheet break before a paragraph starts a new page unless
// the page is still empty; a column break is what every paragraph does anyway.
//
// The layout is lazy: paragraphs are broken in reading order only as far as a question needs
// (cheaply: column starts only; cells are set when a page is asked for), and the rest on
// demand or by layOutMore from an idle timer. The answers do not depend on the order of
// questions. Questions that may lay out more are not const.
class FlowLayout {
public:
    struct Cell {
        enum class Kind { Plain, Upright, Hanging, Warichu, Figure };
        Offset start = 0;  // the characters [start, end); for Warichu the right line's
        Offset end = 0;
        int row = 0;
        int rows = 1;  // the rows the cell takes
        Kind kind = Kind::Plain;
        Offset leftStart = 0;  // Warichu: the left line's characters, empty when none
        Offset leftEnd = 0;
        double scale = 1;        // Plain: the size of its characters, fontSize = 1
        std::size_t figure = 0;  // Figure: the index of its 挿絵 note (start == end)

        friend bool operator==(const Cell&, const Cell&) = default;
    };
    struct Column {
        std::size_t paragraph = 0;
        Offset start = 0;  // the paragraph's characters [start, end) it holds
        Offset end = 0;
        int page = 0;   // 0-based
        int index = 0;  // 0 = rightmost on the page
        prose::Heading heading = prose::Heading::None;
        std::vector<Cell> cells;

        friend bool operator==(const Column&, const Column&) = default;
    };
    // A reading beside its base on one column: the paragraph's ruby[index] (or, when left, the
    // 左ルビ note notes[index], whose value is the reading). A base split over columns gives
    // each part the share of the reading [readingStart, readingEnd) its cells have. The reading
    // is centred on its base, top and bottom in rows (fractions allowed; it may overhang).
    struct RubyMark {
        std::size_t paragraph = 0;
        std::size_t index = 0;
        bool left = false;
        int column = 0;  // index on the page
        Offset readingStart = 0;
        Offset readingEnd = 0;
        double top = 0;
        double bottom = 0;

        friend bool operator==(const RubyMark&, const RubyMark&) = default;
    };
    // A note over a span of cells of one column (傍点, 傍線, 太字, 大きな文字 …; not 縦中横,
    // 割り注 or 左ルビ, which the cells and the ruby marks carry): rows inclusive.
    struct NoteMark {
        std::size_t paragraph = 0;
        std::size_t note = 0;
        int column = 0;
        int firstRow = 0;
        int lastRow = 0;

        friend bool operator==(const NoteMark&, const NoteMark&) = default;
    };
    struct Page {
        int number = 0;  // 0-based
        std::vector<Column> columns;
        std::vector<RubyMark> ruby;
        std::vector<NoteMark> notes;

        friend bool operator==(const Page&, const Page&) = default;
    };
    // A column as the dump lists it.
    struct ColumnSpan {
        std::size_t paragraph = 0;
        Offset start = 0;
        Offset end = 0;
        int page = 0;  // 0-based

        friend bool operator==(const ColumnSpan&, const ColumnSpan&) = default;
    };
    struct Length {
        long characters = 0;  // text and first-column indents; ruby and notes not
        int sheets400 = 0;    // pages of a 20 × 20 grid
    };

    FlowLayout(const prose::ProseDocument& document, const FlowSettings& settings);
    // A fixed grid of N × M cells (values below 1 count as 1).
    FlowLayout(const prose::ProseDocument& document, int charactersPerColumn, int columnsPerPage,
               LineBreakRules::Settings rules = {}, bool autoTateChuYoko = true);

    [[nodiscard]] const FlowMetrics& metrics() const { return metrics_; }

    // Breaks about `budget` more characters' worth of paragraphs; true once all are done.
    bool layOutMore(std::size_t budget);
    void ensureAll();
    [[nodiscard]] bool complete() const { return known_ == document_->paragraphs.size(); }

    [[nodiscard]] int pageCount();  // lays out everything; 0 for a document without paragraphs
    // The page that shows a character (an offset past the end counts as the paragraph's
    // end). Fails with a subscript error for a paragraph that does not exist.
    [[nodiscard]] int pageOf(Place place);
    // The first character on a page (a heading's empty column gives its paragraph's start).
    // Fails with a subscript error for a page that does not exist.
    [[nodiscard]] Place firstPlaceOn(int page);
    [[nodiscard]] Page page(int page);
    // Every column in reading order; lays out everything.
    [[nodiscard]] std::vector<ColumnSpan> columns();

    [[nodiscard]] static Length length(const prose::ProseDocument& document);
    // The size a 大きな文字 or 小さな文字 note sets its text at, the body being 1: 1.2 for each
    // step larger, 0.8 for each smaller (no count is one step), kept within [0.5, 1.5] so that
    // larger text stays inside its column's pitch. 1 for any other note.
    [[nodiscard]] static double sizeScale(const prose::Note& note);
    // A heading's size: 大見出し two steps larger, 中見出し one, 小見出し the body's (bold).
    [[nodiscard]] static double headingScale(prose::Heading heading);

private:
    // A paragraph's cells as the rules see them.
    struct Unit {
        Offset start = 0;
        Offset end = 0;
        Cell::Kind kind = Cell::Kind::Plain;
        bool runStart = false;  // Warichu: the first unit of its note
        int rows = 1;
        double scale = 1;
        std::size_t figure = 0;
    };
    // Where a broken paragraph stands.
    struct Flow {
        int page = 0;     // of its first column, an empty heading column included
        int index = 0;    // on that page
        int leading = 0;  // empty columns before the text (a heading's)
        int trailing = 0;
        std::vector<Offset> starts;  // of the text's columns
    };

    FlowLayout(const prose::ProseDocument& document, const FlowMetrics& metrics,
               LineBreakRules::Settings rules, bool autoTateChuYoko);

    void knowThrough(std::size_t paragraph);  // breaks every paragraph up to it
    void breakNext();
    // Sets units_ and lengths_ (in units) for a paragraph.
    void setParagraph(std::size_t paragraph);
    // A figure takes figureRows; text of another size is kept to what columnRows hold.
    void buildUnits(const prose::Paragraph& p, int figureRows, int columnRows);
    [[nodiscard]] int columnsOf(const Flow& flow) const {
        return flow.leading + static_cast<int>(flow.starts.size()) + flow.trailing;
    }
    // Page and index of column k of a broken paragraph.
    [[nodiscard]] std::pair<int, int> placeOf(const Flow& flow, int k) const;
    [[nodiscard]] int lastPageOf(const Flow& flow) const;
    void addParagraphTo(Page& page, std::size_t paragraph);

    const prose::ProseDocument* document_;
    FlowMetrics metrics_;
    LineBreakRules::Settings rules_;
    bool autoTateChuYoko_ = true;

    std::vector<Flow> flows_;  // of the paragraphs broken so far, in order
    std::size_t known_ = 0;
    int nextPage_ = 0;  // where the next paragraph's first column goes
    int nextIndex_ = 0;

    // Scratch of setParagraph, kept to spare allocations.
    std::vector<Unit> units_;
    std::vector<LineBreakRules::Cell> ruleCells_;
    std::vector<LineBreakRules::Group> groups_;
    std::vector<int> lengths_;
};

}  // namespace tavelo::flow
