// One redraw through the scroll bar's Change handler, as the window does it and as the plain
// per-character design does it, for the largest documents in both styles, at the beginning
// and in the middle, in the default and in a large view.
#include <benchmark/benchmark.h>

#include <memory>

#include "BenchDocuments.h"
#include "common/RecordingMessageSink.h"
#include "shell/window/frmMain.h"
#include "store/CViewData.h"
#include "support/HeadlessCommonDialog.h"
#include "support/WindowDriver.h"

namespace tavelo::bench {

using testing::drive;
namespace {

struct View {
    const char* name;
    int width;
    int height;
};
constexpr View kViews[] = {{"449x624", 0, 0}, {"1600x1000", 1600, 1000}};

struct RedrawCase {
    std::string document;
    int style;    // 0 small, 1 large
    bool middle;  // else the beginning
    View view;
    bool baseline;  // the plain per-character drawing
};

// A window that is never shown, with the document open and drawn once at the position.
struct OpenWindow {
    explicit OpenWindow(const RedrawCase& c) : form(dialog, messages) {
        if (c.view.width > 0) form.setViewSize(c.view.width, c.view.height);
        form.setBaselineDrawing(c.baseline);
        form.openFile(benchDocument(c.document).path);
        if (c.style == 1) form.mnuStyleType_Click(1);
        if (c.middle) {
            // Min is the last position; the middle of the upper tiers in the large style.
            const Integer last = drive(form).scrollMin();
            drive(form).scrollTo(c.style == 0 ? last / 2 : (last / 2) & ~1);
        }
        form.hsb1_Change();
    }
    HeadlessCommonDialog dialog;
    RecordingMessageSink messages;
    frmMain form;
};

void redraw(benchmark::State& state, const RedrawCase& c) {
    OpenWindow window(c);
    if (!window.messages.messages().empty() || drive(window.form).documentCount() != 1) {
        state.SkipWithError("the document did not open without a message");
        return;
    }
    const FontDrawCounters first = window.form.surface().counters();
    for (auto _ : state) window.form.hsb1_Change();
    const FontDrawCounters after = window.form.surface().counters();
    const double redraws = static_cast<double>(state.iterations());
    state.counters["fonts"] =
        static_cast<double>(after.fontsCreated - first.fontsCreated) / redraws;
    state.counters["shapings"] = static_cast<double>(after.shapings - first.shapings) / redraws;
}

}  // namespace

void registerRedrawBenchmarks() {
    for (const char* document : {"full", "lines"})
        for (int style : {0, 1})
            for (bool middle : {false, true})
                for (const View& view : kViews)
                    for (bool baseline : {false, true}) {
                        const RedrawCase c{document, style, middle, view, baseline};
                        const std::string name = std::string("Redraw/") + document + "/" +
                                                 (style == 0 ? "small" : "large") + "/" +
                                                 (middle ? "middle" : "begin") + "/" + view.name +
                                                 (baseline ? "/baseline" : "/fast");
                        auto* b = benchmark::RegisterBenchmark(name.c_str(), redraw, c)
                                      ->Unit(benchmark::kMillisecond);
                        // The plain drawing takes long enough that a few runs tell.
                        if (baseline) b->MinTime(0.05);
                    }
}

}  // namespace tavelo::bench
