#pragma once

#include <QString>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "common/ClassicTypes.h"
#include "flow/FlowLayout.h"
#include "prose/ProseSearch.h"
#include "shell/print/PrintChoice.h"
#include "shell/print/ProseManuscriptPrinter.h"
#include "shell/print/ProsePrinter.h"
#include "view/ProsePagePainter.h"

namespace tavelo {

class DrawingSurface;
class MessageSink;

// The prose documents of the main window and their flowing pages. The window keeps every open
// document in its collection under its ID (a prose document there as an empty record, so that
// the document menu, switching, refresh and the session treat both kinds alike); this view
// keeps, by the same ID, the prose document itself, its pages for the view's size and zoom,
// its place and its search hits, and draws its pages.
//
// The place of a prose document is a character (paragraph, offset): the first character of
// the page shown. A new view size or zoom lays the pages out again and shows the page that
// holds that character.
class ProseDocumentView {
public:
    // Reads a prose file (its bytes' name, as PathBytes keeps it) for the next adopt(); false,
    // with the reason given to `sink`, when it cannot be read.
    bool read(const String& fullPathName, MessageSink& sink);
    // The document read last becomes the one under `id`, laid out for `settings`, at the
    // start or at `place`.
    void adopt(const String& id, const flow::FlowSettings& settings,
               std::optional<flow::Place> place = std::nullopt);
    void remove(const String& id);
    // True between a successful read() and the adopt() that takes its document.
    [[nodiscard]] bool hasRead() const { return read_ != nullptr; }
    void discardRead() { read_.reset(); }
    [[nodiscard]] bool holds(const String& id) const { return documents_.count(id) != 0; }

    // Lays every document out again for new settings, each keeping its place.
    void layOutAll(const flow::FlowSettings& settings);

    [[nodiscard]] int pageCount(const String& id);
    // The page of the document's place (0-based).
    [[nodiscard]] int currentPage(const String& id);
    [[nodiscard]] flow::Place place(const String& id) const;
    // Makes `place` the document's place, moved into the document (a paragraph past the end
    // is the last, an offset past its paragraph the paragraph's end).
    void moveTo(const String& id, flow::Place place);
    // Draws page `page` (clamped into the document) and makes its first character the place.
    void paint(const String& id, int page, DrawingSurface& surface, COLORREF ink, COLORREF hit);
    // Makes the glyphs of the pages on either side of `page` in the surface's caches, so that
    // the next turn only draws.
    void prepareNeighbours(const String& id, int page, DrawingSurface& surface);
    // The status bar's text: the ID, page N / M, the percentage, the length and the encoding.
    [[nodiscard]] String status(const String& id);

    // The document and its pages, for what the reader's tools ask of them (the text under the
    // pointer, a selection's text, the headings) and the page dialog's preview.
    [[nodiscard]] const prose::ProseDocument& document(const String& id) const {
        return *entry(id).document;
    }
    [[nodiscard]] flow::FlowLayout& layout(const String& id) { return *entry(id).layout; }
    // Which readings paint() draws (ProsePaintState::ruby and onlyRuby).
    void showRuby(ProsePaintState::Ruby ruby, std::size_t onlyRuby = 0) {
        ruby_ = ruby;
        onlyRuby_ = onlyRuby;
    }

    // What the print commands print of the document: its pages as the view shows them, in
    // black on white with the hits in `hit`.
    [[nodiscard]] ProsePrinter::Job printJob(const String& id, COLORREF hit) const;
    // Its manuscript pages as the page dialog chose them (the title check box gives the title
    // page), and the document itself, for the dialog's preview.
    [[nodiscard]] ProseManuscriptPrinter::Job manuscriptJob(const String& id,
                                                            const PrintChoice& choice) const;

    // Marks `word` (with the words searched before) and returns the hits of all of them.
    long search(const String& id, const String& word);
    // The hits of one of the words searched, as the last search counted them.
    [[nodiscard]] long hitsOf(const String& id, const String& word) const;
    void clearHits(const String& id);
    [[nodiscard]] bool hasHits(const String& id) const;
    // The page of the first hit after (before) page `page`, round the end.
    [[nodiscard]] std::optional<int> nextHitPage(const String& id, int page, bool forward);

private:
    struct Entry {
        std::unique_ptr<prose::ProseDocument> document;
        std::unique_ptr<flow::FlowLayout> layout;
        flow::Place place;
        std::vector<String> words;
        std::map<String, long> hitsOfWord;               // as the last search counted them
        std::vector<prose::TextHit> hits;                // merged, in reading order
        std::optional<flow::FlowLayout::Length> length;  // counted when first shown
    };

    [[nodiscard]] Entry& entry(const String& id);
    [[nodiscard]] const Entry& entry(const String& id) const;

    std::map<String, Entry> documents_;
    std::unique_ptr<prose::ProseDocument> read_;
    flow::FlowSettings settings_;
    ProsePaintState::Ruby ruby_ = ProsePaintState::Ruby::All;
    std::size_t onlyRuby_ = 0;
};

}  // namespace tavelo
