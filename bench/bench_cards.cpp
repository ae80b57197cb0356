#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>

#include "cards/play_analysis.h"
#include "cards/play_comparison.h"

namespace {

constexpr std::int32_t Card(int rank, int suit, int id) {
    return suit | (rank << 8) | (id << 24);
}

// The longest selection a hand allows: thirteen cards from the two up to the marked ace, the
// run the analysis checks longest.
std::array<cards::CardValue, 13> LongestRun() {
    std::array<cards::CardValue, 13> selection{};
    selection[0] = Card(16, 4, 0);
    for (int k = 1; k < 13; ++k) selection[k] = Card(k == 1 ? 15 : 15 - k, 8, k);
    return selection;
}

void BM_AnalyzeThirteenCards(benchmark::State& state) {
    const auto selection = LongestRun();
    cards::PlayAnalysis analyzed;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            cards::AnalyzeCombination(cards::PatternType::PatternInvalid, selection, analyzed));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_AnalyzeThirteenCards);

void BM_CanBeat(benchmark::State& state) {
    cards::PlayAnalysis analyzed;
    const std::array<cards::CardValue, 5> play{Card(4, 1, 0), Card(5, 2, 1), Card(6, 4, 2),
                                               Card(7, 8, 3), Card(8, 1, 4)};
    cards::AnalyzeCombination(cards::PatternType::PatternStraight, play, analyzed);
    cards::PlayToBeat former;
    former.formerType = cards::PatternType::PatternStraight;
    former.formerNum = 5;
    for (int k = 0; k < 5; ++k) former.g_aFormerCards[k] = (k == 0 ? 15 : k + 2) * 256 + 8;
    for (auto _ : state) {
        benchmark::DoNotOptimize(cards::CanBeat(analyzed, former));
    }
}
BENCHMARK(BM_CanBeat);

}  // namespace

BENCHMARK_MAIN();
