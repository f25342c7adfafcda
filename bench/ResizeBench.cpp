// One step of resizing (the open document laid out again for the new view, then redrawn) and
// one step of zooming, for the largest documents in both styles at 1600 x 1000, on a screen of
// pixel ratio 1 and 2 (the image then has 3200 x 2000 device pixels).
#include <benchmark/benchmark.h>

#include <string>

#include "BenchDocuments.h"
#include "common/RecordingMessageSink.h"
#include "shell/window/frmMain.h"
#include "support/HeadlessCommonDialog.h"
#include "support/WindowDriver.h"

namespace tavelo::bench {

using testing::drive;
namespace {

constexpr int kWidth = 1600;
constexpr int kHeight = 1000;

struct StepCase {
    std::string document;
    int style;  // 0 small, 1 large
    bool zoom;  // else resize
    int scale;  // device pixels per view pixel
};

void step(benchmark::State& state, const StepCase& c) {
    HeadlessCommonDialog dialog;
    RecordingMessageSink messages;
    frmMain form(dialog, messages);
    drive(form).picView().setDevicePixelRatio(c.scale);
    form.setViewSize(kWidth, kHeight);
    form.openFile(benchDocument(c.document).path);
    if (c.style == 1) form.mnuStyleType_Click(1);
    drive(form).scrollTo(static_cast<Integer>(drive(form).scrollMin() / 2));
    if (!messages.messages().empty() || drive(form).documentCount() != 1) {
        state.SkipWithError("the document did not open without a message");
        return;
    }
    // Alternates between two sizes (a window dragged wider and back) or two zoom steps, so
    // that every step lays out for sizes other than the last.
    bool other = false;
    for (auto _ : state) {
        other = !other;
        if (c.zoom) {
            form.zoomTo(other ? 90 : 100);  // the zoom stops at 100 %
        } else {
            form.setViewSize(other ? kWidth - 16 : kWidth, other ? kHeight - 12 : kHeight);
            form.followViewSize();
        }
    }
}

}  // namespace

void registerResizeBenchmarks() {
    for (const char* document : {"full", "lines"})
        for (int style : {0, 1})
            for (bool zoom : {false, true})
                for (int scale : {1, 2}) {
                    const std::string name = std::string(zoom ? "ZoomStep/" : "ResizeStep/") +
                                             document + "/" + (style == 0 ? "small" : "large") +
                                             "/1600x1000" + (scale == 2 ? "@2x" : "");
                    benchmark::RegisterBenchmark(name.c_str(), step,
                                                 StepCase{document, style, zoom, scale})
                        ->Unit(benchmark::kMillisecond);
                }
}

}  // namespace tavelo::bench
