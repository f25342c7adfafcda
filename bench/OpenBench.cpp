// Reading, layout and the headless open of the benchmark documents, and the memory a stored
// document holds.
#include <benchmark/benchmark.h>

#include "BenchDocuments.h"
#include "common/RecordingMessageSink.h"
#include "layout/DefaultViewSize.h"
#include "layout/qt/FontMeasuringDevice.h"
#include "reader/CFileChangeTlData.h"
#include "store/CViewDataS.h"
#include "store/DocumentLoader.h"

namespace tavelo::bench {
namespace {

const String kName = u"bench.tl2";

bool failed(benchmark::State& state, const RecordingMessageSink& messages) {
    if (messages.messages().empty()) return false;
    state.SkipWithError("the document gave a message");
    return true;
}

// FileOpenBuff and BuffChangeTl2Data.
void read(benchmark::State& state, const BenchDocument& document) {
    RecordingMessageSink messages;
    for (auto _ : state) {
        CFileChangeTlData reader(messages);
        reader.FileName(kName);
        reader.FullPathName(document.path);
        reader.FileOpenBuff();
        reader.BuffChangeTl2Data();
        benchmark::DoNotOptimize(reader.GyouArraySize());
    }
    (void)failed(state, messages);
}

// Both styles' positions of a document already read.
void layOut(benchmark::State& state, const BenchDocument& document) {
    RecordingMessageSink messages;
    FontMeasuringDevice device(kDefaultViewWidth, kDefaultViewHeight);
    DocumentLoader loader(messages, device);
    loader.loadFile(document.path, kName);
    if (loader.readError() || loader.layoutError()) {
        state.SkipWithError("the document does not load whole");
        return;
    }
    for (auto _ : state) {
        loader.layOut();
        benchmark::DoNotOptimize(loader.calculator().CharSpace(0));
    }
}

// Read, lay out and add to the collection, as the open command does without drawing. The
// memory figure is what the collection holds once the loader is gone.
void open(benchmark::State& state, const BenchDocument& document) {
    RecordingMessageSink messages;
    FontMeasuringDevice device(kDefaultViewWidth, kDefaultViewHeight);
    for (auto _ : state) {
        CViewDataS documents;
        DocumentLoader loader(messages, device);
        loader.keepOnlyWholeCells(true);
        loader.loadFile(document.path, kName);
        benchmark::DoNotOptimize(&loader.addTo(documents, u"9:05:31 bench.tl2"));
    }
    if (failed(state, messages)) return;

    const long before = heapBytesInUse();
    CViewDataS documents;
    {
        DocumentLoader loader(messages, device);
        loader.keepOnlyWholeCells(true);
        loader.loadFile(document.path, kName);
        (void)loader.addTo(documents, u"9:05:31 bench.tl2");
    }
    state.counters["held_bytes"] = static_cast<double>(heapBytesInUse() - before);
}

void registerAll() {
    for (const BenchDocument& document : benchDocuments()) {
        benchmark::RegisterBenchmark(("Read/" + document.name).c_str(), read, document)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("Layout/" + document.name).c_str(), layOut, document)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("Open/" + document.name).c_str(), open, document)
            ->Unit(benchmark::kMicrosecond);
    }
}

}  // namespace

void registerOpenBenchmarks() {
    registerAll();
}

}  // namespace tavelo::bench
