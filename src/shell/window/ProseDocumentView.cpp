#include "shell/window/ProseDocumentView.h"

#include <algorithm>

#include "common/Error.h"
#include "common/MessageSink.h"
#include "common/PathBytes.h"
#include "common/Utf8.h"
#include "prose/ProseLoad.h"

namespace tavelo {
namespace {

String decimal(long long n) {
    return utf8::toUtf16(std::to_string(n));
}

String encodingName(const std::string& encoding) {
    if (encoding == "cp932") return u"Shift_JIS";
    if (encoding == "utf-8") return u"UTF-8";
    if (encoding == "utf-8-bom") return u"UTF-8 (BOM)";
    if (encoding == "utf-16le") return u"UTF-16LE";
    if (encoding == "utf-16be") return u"UTF-16BE";
    return utf8::toUtf16(encoding);
}

}  // namespace

bool ProseDocumentView::read(const String& fullPathName, MessageSink& sink) {
    prose::LoadedProse loaded = prose::loadProseFile(PathBytes::toSystem(fullPathName));
    if (!loaded.document) {
        sink.showMessage(PathBytes::display(fullPathName) + u" を開けません。\n" +
                         utf8::toUtf16(loaded.message));
        read_.reset();
        return false;
    }
    read_ = std::make_unique<prose::ProseDocument>(std::move(*loaded.document));
    return true;
}

void ProseDocumentView::adopt(const String& id, const flow::FlowSettings& settings,
                              std::optional<flow::Place> place) {
    if (!read_) throw Error::invalidArgument("ProseDocumentView.adopt");
    settings_ = settings;
    Entry fresh;
    fresh.document = std::move(read_);
    fresh.layout = std::make_unique<flow::FlowLayout>(*fresh.document, settings);
    if (place && place->paragraph < fresh.document->paragraphs.size()) fresh.place = *place;
    documents_.insert_or_assign(id, std::move(fresh));
}

void ProseDocumentView::remove(const String& id) {
    documents_.erase(id);
}

void ProseDocumentView::layOutAll(const flow::FlowSettings& settings) {
    settings_ = settings;
    for (auto& [id, document] : documents_)
        document.layout = std::make_unique<flow::FlowLayout>(*document.document, settings);
}

ProseDocumentView::Entry& ProseDocumentView::entry(const String& id) {
    const auto found = documents_.find(id);
    if (found == documents_.end()) throw Error::subscriptOutOfRange("ProseDocumentView");
    return found->second;
}

const ProseDocumentView::Entry& ProseDocumentView::entry(const String& id) const {
    const auto found = documents_.find(id);
    if (found == documents_.end()) throw Error::subscriptOutOfRange("ProseDocumentView");
    return found->second;
}

int ProseDocumentView::pageCount(const String& id) {
    return std::max(1, entry(id).layout->pageCount());
}

int ProseDocumentView::currentPage(const String& id) {
    Entry& document = entry(id);
    if (document.document->paragraphs.empty()) return 0;
    return document.layout->pageOf(document.place);
}

flow::Place ProseDocumentView::place(const String& id) const {
    return entry(id).place;
}

void ProseDocumentView::moveTo(const String& id, flow::Place place) {
    Entry& document = entry(id);
    const auto& paragraphs = document.document->paragraphs;
    if (paragraphs.empty()) {
        document.place = {};
        return;
    }
    place.paragraph = std::min(place.paragraph, paragraphs.size() - 1);
    place.offset =
        std::min(place.offset, static_cast<prose::Offset>(paragraphs[place.paragraph].text.size()));
    document.place = place;
}

void ProseDocumentView::paint(const String& id, int page, DrawingSurface& surface, COLORREF ink,
                              COLORREF hit) {
    Entry& document = entry(id);
    if (document.document->paragraphs.empty()) return;
    page = std::clamp(page, 0, pageCount(id) - 1);
    // The place moves only when another page is shown: a redraw keeps the very character.
    if (document.layout->pageOf(document.place) != page)
        document.place = document.layout->firstPlaceOn(page);
    ProsePaintState state;
    state.inkColor = ink;
    state.hitColor = hit;
    state.hits = document.hits;
    state.ruby = ruby_;
    state.onlyRuby = onlyRuby_;
    ProsePagePainter painter(surface);
    painter.paint(*document.document, document.layout->metrics(), document.layout->page(page),
                  state);
}

void ProseDocumentView::prepareNeighbours(const String& id, int page, DrawingSurface& surface) {
    Entry& document = entry(id);
    const int pages = pageCount(id);
    for (const int p : {page + 1, page - 1})
        if (p >= 0 && p < pages)
            ProsePagePainter(surface).prepare(*document.document, document.layout->metrics(),
                                              document.layout->page(p), {});
}

String ProseDocumentView::status(const String& id) {
    Entry& document = entry(id);
    const int pages = pageCount(id);
    const int page = currentPage(id) + 1;
    if (!document.length) document.length = flow::FlowLayout::length(*document.document);
    return id + u"   " + decimal(page) + u" / " + decimal(pages) + u" ページ（" +
           decimal(page * 100LL / pages) + u"%）   " + decimal(document.length->characters) +
           u"字・400字詰め" + decimal(document.length->sheets400) + u"枚   " +
           encodingName(document.document->encoding);
}

ProsePrinter::Job ProseDocumentView::printJob(const String& id, COLORREF hit) const {
    const Entry& document = entry(id);
    ProsePrinter::Job job;
    job.document = document.document.get();
    job.settings = settings_;
    job.state.hitColor = hit;
    job.state.hits = document.hits;
    job.title = QString::fromStdString(utf8::fromUtf32(document.document->title));
    return job;
}

ProseManuscriptPrinter::Job ProseDocumentView::manuscriptJob(const String& id,
                                                             const PrintChoice& choice) const {
    const Entry& document = entry(id);
    ProseManuscriptPrinter::Job job;
    job.document = document.document.get();
    job.settings = choice.settings();
    job.titlePage = choice.title;
    job.title = QString::fromStdString(utf8::fromUtf32(document.document->title));
    return job;
}

long ProseDocumentView::search(const String& id, const String& word) {
    Entry& document = entry(id);
    if (std::find(document.words.begin(), document.words.end(), word) == document.words.end())
        document.words.push_back(word);
    std::vector<prose::TextHit> all;
    long found = 0;
    document.hitsOfWord.clear();
    for (const String& each : document.words) {
        const std::u32string unicode = utf8::utf16ToUtf32(each);
        std::vector<prose::TextHit> hits = prose::findAll(*document.document, unicode);
        document.hitsOfWord[each] = static_cast<long>(hits.size());
        found += static_cast<long>(hits.size());
        all.insert(all.end(), hits.begin(), hits.end());
    }
    document.hits = prose::mergeHits(std::move(all));
    return found;
}

long ProseDocumentView::hitsOf(const String& id, const String& word) const {
    const Entry& document = entry(id);
    const auto counted = document.hitsOfWord.find(word);
    return counted != document.hitsOfWord.end() ? counted->second : 0;
}

void ProseDocumentView::clearHits(const String& id) {
    Entry& document = entry(id);
    document.words.clear();
    document.hitsOfWord.clear();
    document.hits.clear();
}

bool ProseDocumentView::hasHits(const String& id) const {
    return !entry(id).hits.empty();
}

std::optional<int> ProseDocumentView::nextHitPage(const String& id, int page, bool forward) {
    Entry& document = entry(id);
    if (document.hits.empty()) return std::nullopt;
    std::vector<int> pages;
    for (const prose::TextHit& hit : document.hits)
        pages.push_back(document.layout->pageOf({hit.paragraph, hit.start}));
    if (forward) {
        const auto after = std::upper_bound(pages.begin(), pages.end(), page);
        return after != pages.end() ? *after : pages.front();
    }
    const auto before = std::lower_bound(pages.begin(), pages.end(), page);
    return before != pages.begin() ? *std::prev(before) : pages.back();
}

}  // namespace tavelo
