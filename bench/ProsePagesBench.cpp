// tavelo_prose_pages_bench: a novel of about a million characters (2 MB of CP932) as the
// window shows it at 1600 x 1000: opened to its first page drawn (read, first pages laid out,
// drawn), a page turn (the next page laid out and drawn, at pixel ratio 1 and 2, with and
// without its glyphs made while the page before was read, as the window does), a resize
// step (laid out again for the new size, the same character's page found and drawn), the
// whole book paginated, the memory the open book holds, and the book read and written as a
// 40 x 30 manuscript PDF on A4 landscape, as `tavelo --pdf` writes it. Runs offscreen.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <memory>
#include <string>

#include "ProseNovel.h"
#include "flow/FlowLayout.h"
#include "prose/AozoraReader.h"
#include "shell/gdi/HeadlessQt.h"
#include "shell/gdi/MFontDraw.h"
#include "shell/print/ProseManuscriptPrinter.h"
#include "view/ProsePagePainter.h"

namespace {

using namespace tavelo;
using tavelo::bench::novel;

flow::FlowSettings viewOf(int width, int height) {
    flow::FlowSettings settings;
    settings.viewWidth = width;
    settings.viewHeight = height;
    return settings;
}

void drawPage(const prose::ProseDocument& document, flow::FlowLayout& layout, int page,
              QImage& image, MFontDraw& surface) {
    image.fill(Qt::white);
    ProsePagePainter painter(surface);
    painter.paint(document, layout.metrics(), layout.page(page), {});
}

void openToFirstPage(benchmark::State& state) {
    QImage image(1600, 1000, QImage::Format_RGB32);
    MFontDraw surface(image);
    for (auto _ : state) {
        const prose::ProseDocument document = prose::readProseBytes(novel());
        flow::FlowLayout layout(document, viewOf(1600, 1000));
        drawPage(document, layout, 0, image, surface);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void pageTurn(benchmark::State& state) {
    const prose::ProseDocument document = prose::readProseBytes(novel());
    flow::FlowLayout layout(document, viewOf(1600, 1000));
    const int ratio = static_cast<int>(state.range(0));
    QImage image(1600 * ratio, 1000 * ratio, QImage::Format_RGB32);
    MFontDraw surface(image);
    surface.setDeviceScale(ratio);
    const int pages = layout.pageCount();
    int page = pages / 2;
    drawPage(document, layout, page, image, surface);
    // The window makes the next page's glyphs while the reader reads the page shown.
    const bool prepared = state.range(1) != 0;
    auto next = [&](int p) { return p + 1 < pages ? p + 1 : pages / 2; };
    auto prepare = [&](int p) {
        ProsePagePainter(surface).prepare(document, layout.metrics(), layout.page(p), {});
    };
    if (prepared) prepare(next(page));
    for (auto _ : state) {
        page = next(page);
        drawPage(document, layout, page, image, surface);
        benchmark::DoNotOptimize(image.constBits());
        if (!prepared) continue;
        state.PauseTiming();
        prepare(next(page));
        state.ResumeTiming();
    }
}

void resizeStep(benchmark::State& state) {
    const prose::ProseDocument document = prose::readProseBytes(novel());
    auto layout = std::make_unique<flow::FlowLayout>(document, viewOf(1600, 1000));
    const flow::Place place = layout->firstPlaceOn(layout->pageCount() / 2);
    QImage image(1600, 1000, QImage::Format_RGB32);
    MFontDraw surface(image);
    bool wide = false;
    for (auto _ : state) {
        wide = !wide;
        layout = std::make_unique<flow::FlowLayout>(document,
                                                    viewOf(wide ? 1600 : 1500, wide ? 1000 : 950));
        drawPage(document, *layout, layout->pageOf(place), image, surface);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void wholeBook(benchmark::State& state) {
    const prose::ProseDocument document = prose::readProseBytes(novel());
    int pages = 0;
    for (auto _ : state) {
        flow::FlowLayout layout(document, viewOf(1600, 1000));
        pages = layout.pageCount();
        benchmark::DoNotOptimize(pages);
    }
    state.counters["pages"] = pages;
    state.counters["characters"] = static_cast<double>(document.characterCount());
}

void memoryOfTheOpenBook(benchmark::State& state) {
    for (auto _ : state) {
        const std::size_t before = mallinfo2().uordblks;
        auto document = std::make_unique<prose::ProseDocument>(prose::readProseBytes(novel()));
        flow::FlowLayout layout(*document, viewOf(1600, 1000));
        benchmark::DoNotOptimize(layout.pageCount());
        const std::size_t held = mallinfo2().uordblks - before;
        state.counters["bytes/char"] =
            static_cast<double>(held) / static_cast<double>(document->characterCount());
        state.counters["MB held"] = static_cast<double>(held) / 1e6;
    }
}

// The novel and as much of it again, whole lines, as makes a million characters of text.
const std::string& millionCharacterNovel() {
    static const std::string bytes = [] {
        // Notes and ruby are not text: a little more than the share, for a million at least.
        const std::size_t once = prose::readProseBytes(novel()).characterCount();
        const double more = 1'010'000.0 / static_cast<double>(once) - 1.0;
        const std::size_t cut =
            static_cast<std::size_t>(std::max(0.0, more) * static_cast<double>(novel().size()));
        const std::size_t lineEnd = novel().find('\n', cut);
        return novel() +
               novel().substr(0, lineEnd == std::string::npos ? novel().size() : lineEnd + 1);
    }();
    return bytes;
}

// Read, laid out on the 40 x 30 grid and every page drawn into the PDF writer, fonts embedded.
void manuscriptPdf(benchmark::State& state) {
    QTemporaryDir folder;
    const QString out = folder.filePath(QStringLiteral("novel.pdf"));
    std::size_t characters = 0;
    for (auto _ : state) {
        const prose::ProseDocument document = prose::readProseBytes(millionCharacterNovel());
        ProseManuscriptPrinter::Job job;
        job.document = &document;
        job.settings.charactersPerColumn = 40;
        job.settings.columnsPerPage = 30;
        if (!ProseManuscriptPrinter::writePdf(out, job)) {
            state.SkipWithError("the PDF was not written");
            return;
        }
        characters = document.characterCount();
    }
    const prose::ProseDocument document = prose::readProseBytes(millionCharacterNovel());
    flow::FlowLayout layout(document, 40, 30);
    state.counters["pages"] = layout.pageCount();
    state.counters["characters"] = static_cast<double>(characters);
    state.counters["pdf_MB"] = static_cast<double>(QFileInfo(out).size()) / 1e6;
}

BENCHMARK(openToFirstPage)->Name("ProsePages/openToFirstPage")->Unit(benchmark::kMillisecond);
BENCHMARK(pageTurn)
    ->Name("ProsePages/pageTurn")
    ->ArgNames({"ratio", "prepared"})
    ->ArgsProduct({{1, 2}, {0, 1}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(resizeStep)->Name("ProsePages/resizeStep")->Unit(benchmark::kMillisecond);
BENCHMARK(wholeBook)->Name("ProsePages/wholeBook")->Unit(benchmark::kMillisecond);
BENCHMARK(memoryOfTheOpenBook)->Name("ProsePages/memory")->Iterations(1);
BENCHMARK(manuscriptPdf)
    ->Name("ProsePages/manuscriptPdf40x30")
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->Repetitions(3);

}  // namespace

int main(int argc, char** argv) {
    prepareHeadlessQt();
    int qtArgc = 1;
    QGuiApplication application(qtArgc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
