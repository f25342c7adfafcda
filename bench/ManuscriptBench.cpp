// A document to a manuscript PDF (40 x 30 on A4 landscape), as `tavelo --pdf` writes it: the
// layout on the grid, the painter's calls and the PDF writer with its embedded fonts.
#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include "BenchDocuments.h"
#include "common/RecordingMessageSink.h"
#include "layout/CEisuuCyotai.h"
#include "layout/DefaultViewSize.h"
#include "layout/qt/FontMeasuringDevice.h"
#include "layout/qt/QtScreenFonts.h"
#include "shell/print/ManuscriptPrinter.h"
#include "store/CViewData.h"
#include "store/CViewDataS.h"
#include "store/DocumentLoader.h"

namespace tavelo::bench {
namespace {

void writeManuscriptPdf(benchmark::State& state, const BenchDocument& document) {
    RecordingMessageSink messages;
    FontMeasuringDevice device(kDefaultViewWidth, kDefaultViewHeight);
    CViewDataS documents;
    DocumentLoader loader(messages, device);
    loader.keepOnlyWholeCells(true);
    loader.loadFile(document.path, u"bench.tl2");
    (void)loader.addTo(documents, u"bench");
    CEisuuCyotai fonts;
    fonts.ScreenFont(QtScreenFonts());
    ManuscriptPrinter::Job job;
    job.view = &documents.Item(1);
    QTemporaryDir folder;
    const QString out = folder.filePath(QStringLiteral("bench.pdf"));
    for (auto _ : state) {
        if (!ManuscriptPrinter::writePdf(out, job, fonts)) {
            state.SkipWithError("the PDF was not written");
            return;
        }
    }
    state.counters["lines"] = static_cast<double>(documents.Item(1).GyouArraySize());
    state.counters["pdf_bytes"] = static_cast<double>(QFileInfo(out).size());
}

}  // namespace

void registerManuscriptBenchmarks() {
    for (const std::string name : {"lines", "full"})
        benchmark::RegisterBenchmark(("ManuscriptPdf/" + name).c_str(), writeManuscriptPdf,
                                     benchDocument(name))
            ->Unit(benchmark::kMillisecond);
}

}  // namespace tavelo::bench
