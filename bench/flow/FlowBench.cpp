#include <benchmark/benchmark.h>

#include <random>

#include "flow/FlowLayout.h"

namespace tavelo::flow {
namespace {

// About a million characters of prose: paragraphs of 20 to 400 characters of kana, kanji and
// punctuation, a ruby word every fifty characters or so, a few numbers and bracketed speech.
const prose::ProseDocument& millionCharacters() {
    static const prose::ProseDocument document = [] {
        prose::ProseDocument d;
        std::mt19937 random(2024);
        const std::u32string_view kana =
            U"あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれ"
            U"ろわをんがぎぐげご";
        const std::u32string_view kanji = U"永字漢語人日本先生私時間手前気持今度世話家内心事";
        std::size_t total = 0;
        while (total < 1'000'000) {
            prose::Paragraph p;
            const int length = 20 + static_cast<int>(random() % 381);
            p.indent = 1;
            int sinceRuby = 0;
            while (static_cast<int>(p.text.size()) < length) {
                const unsigned r = random() % 100;
                const auto at = static_cast<prose::Offset>(p.text.size());
                if (sinceRuby >= 45 && r < 20) {
                    p.text += U"先生";
                    p.ruby.push_back({at, at + 2, U"せんせい"});
                    sinceRuby = 0;
                } else if (r < 55) {
                    p.text += kana[random() % kana.size()];
                } else if (r < 80) {
                    p.text += kanji[random() % kanji.size()];
                } else if (r < 88) {
                    p.text += U"、";
                } else if (r < 92) {
                    p.text += U"。";
                } else if (r < 95) {
                    p.text += U"「はい」";
                } else if (r < 97) {
                    p.text += U"12";
                } else {
                    p.text += U"ー";
                }
                sinceRuby += 1;
            }
            total += p.text.size();
            d.paragraphs.push_back(std::move(p));
        }
        return d;
    }();
    return document;
}

const FlowSettings kWide{1600, 1000, 100};

void BM_FullPagination(benchmark::State& state) {
    const prose::ProseDocument& d = millionCharacters();
    for (auto _ : state) {
        FlowLayout layout(d, kWide);
        benchmark::DoNotOptimize(layout.pageCount());
    }
    state.counters["characters"] = static_cast<double>(d.characterCount());
    FlowLayout layout(d, kWide);
    state.counters["pages"] = layout.pageCount();
}
BENCHMARK(BM_FullPagination)->Unit(benchmark::kMillisecond);

// A fresh layout's page at a place `state.range(0)` percent into the paragraphs.
void BM_FirstPageAtPlace(benchmark::State& state) {
    const prose::ProseDocument& d = millionCharacters();
    const Place place{d.paragraphs.size() * static_cast<std::size_t>(state.range(0)) / 100, 0};
    for (auto _ : state) {
        FlowLayout layout(d, kWide);
        benchmark::DoNotOptimize(layout.page(layout.pageOf(place)));
    }
}
BENCHMARK(BM_FirstPageAtPlace)->Arg(0)->Arg(50)->Arg(99)->Unit(benchmark::kMillisecond);

void BM_LengthAndSheets(benchmark::State& state) {
    const prose::ProseDocument& d = millionCharacters();
    for (auto _ : state) benchmark::DoNotOptimize(FlowLayout::length(d));
}
BENCHMARK(BM_LengthAndSheets)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavelo::flow
