// tavelo_bench: the benchmarks, then a table of the figures, their ratios to the plain
// drawing and the targets. Runs offscreen; Google Benchmark's flags apply (by default every
// benchmark is repeated five times and its median kept).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <iostream>
#include <string>
#include <vector>

#include "BenchDocuments.h"
#include "BenchSummary.h"
#include "common/RecordingMessageSink.h"
#include "support/HeadlessCommonDialog.h"
#include "shell/gdi/HeadlessQt.h"
#include "shell/window/frmMain.h"

namespace tavelo::bench {
void registerOpenBenchmarks();
void registerRedrawBenchmarks();
void registerResizeBenchmarks();
void registerManuscriptBenchmarks();
}  // namespace tavelo::bench

namespace {

// The process's resident memory with one window holding the largest document, drawn.
long residentWithLargestDocument() {
    using namespace tavelo;
    HeadlessCommonDialog dialog;
    RecordingMessageSink messages;
    frmMain form(dialog, messages);
    form.openFile(bench::benchDocument("full").path);
    form.hsb1_Change();
    return bench::residentBytes();
}

}  // namespace

int main(int argc, char** argv) {
    tavelo::prepareHeadlessQt();
    // Repeated five times with the medians kept, unless the flags say otherwise.
    std::vector<char*> arguments(argv, argv + argc);
    std::string repetitions = "--benchmark_repetitions=5";
    std::string aggregatesOnly = "--benchmark_report_aggregates_only=true";
    bool repeated = false;
    for (int i = 1; i < argc; ++i)
        if (std::string(argv[i]).rfind("--benchmark_repetitions", 0) == 0) repeated = true;
    if (!repeated) {
        arguments.push_back(repetitions.data());
        arguments.push_back(aggregatesOnly.data());
    }
    int count = static_cast<int>(arguments.size());
    arguments.push_back(nullptr);

    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    benchmark::Initialize(&count, arguments.data());
    if (benchmark::ReportUnrecognizedArguments(count, arguments.data())) return 1;

    const long resident = residentWithLargestDocument();
    tavelo::bench::registerOpenBenchmarks();
    tavelo::bench::registerRedrawBenchmarks();
    tavelo::bench::registerResizeBenchmarks();
    tavelo::bench::registerManuscriptBenchmarks();
    tavelo::bench::BenchSummary summary;
    benchmark::RunSpecifiedBenchmarks(&summary);
    summary.print(std::cout, resident);
    benchmark::Shutdown();
    return 0;
}
