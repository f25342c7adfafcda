// tavelo_prose_bench: the Aozora Bunko notation reader over a novel of about 2 MB of CP932,
// decoding included, and the memory the read document holds per character.
//
// The novel is made of the texts in the folder TAVELO_AOZORA_CORPUS names (a checkout of Aozora
// Bunko's texts; the .txt files in name order), else of the bundled samples/aozora texts
// repeated; each text is taken without its colophon, so that the whole novel is body text.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ProseNovel.h"
#include "prose/AozoraReader.h"
#include "prose/TextDecoder.h"

namespace {

using namespace tavelo::prose;
using tavelo::bench::novel;

void setCounters(benchmark::State& state, std::size_t characters) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * novel().size()));
    state.counters["MB"] = static_cast<double>(novel().size()) / 1e6;
    state.counters["characters"] = static_cast<double>(characters);
    state.counters["ns/char"] =
        benchmark::Counter(static_cast<double>(state.iterations() * characters) * 1e-9,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void readProseBytesWhole(benchmark::State& state) {
    std::size_t characters = 0;
    for (auto _ : state) {
        ProseDocument document = readProseBytes(novel());
        characters = document.characterCount();
        benchmark::DoNotOptimize(document);
    }
    setCounters(state, characters);
}

void decodeOnly(benchmark::State& state) {
    std::size_t characters = 0;
    for (auto _ : state) {
        DecodedText text = decodeText(novel());
        characters = text.text.size();
        benchmark::DoNotOptimize(text);
    }
    setCounters(state, characters);
}

void notationOnly(benchmark::State& state) {
    const DecodedText text = decodeText(novel());
    std::size_t characters = 0;
    for (auto _ : state) {
        ProseDocument document = readAozoraText(text.text);
        characters = document.characterCount();
        benchmark::DoNotOptimize(document);
    }
    setCounters(state, characters);
}

// The heap the document holds once read, per character of its paragraphs; the reading's own
// peak is measured too (the decoded text and the line table live only while reading).
void memoryHeld(benchmark::State& state) {
    double perCharacter = 0;
    for (auto _ : state) {
        const std::size_t before = mallinfo2().uordblks;
        const ProseDocument document = readProseBytes(novel());
        const std::size_t after = mallinfo2().uordblks;
        perCharacter = static_cast<double>(after - before) /
                       static_cast<double>(std::max<std::size_t>(1, document.characterCount()));
        benchmark::DoNotOptimize(document);
    }
    state.counters["bytes/char"] = perCharacter;
}

BENCHMARK(readProseBytesWhole)->Name("Prose/readProseBytes")->Unit(benchmark::kMillisecond);
BENCHMARK(decodeOnly)->Name("Prose/decodeText")->Unit(benchmark::kMillisecond);
BENCHMARK(notationOnly)->Name("Prose/readAozoraText")->Unit(benchmark::kMillisecond);
BENCHMARK(memoryHeld)->Name("Prose/memoryHeld")->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
