#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>

#include "cards/hand_sort.h"
#include "cards/hint_search.h"

namespace {

constexpr std::int32_t Card(int rank, int suit, int id) {
    return suit | (rank << 8) | (id << 24);
}

// The press that searches longest: against a straight that starts with the "2" every start is a
// candidate, the hand holds no run, no triple, no four and no pair of marked aces, and a hint
// was found earlier in the turn, so the chain runs to its end, starts over once and ends again.
void BM_HintSearchWorstPress(benchmark::State& state) {
    std::array<cards::CardValue, 13> hand{};
    const int ranks[13] = {3, 3, 4, 4, 6, 6, 7, 7, 9, 9, 10, 10, 12};
    for (int k = 0; k < 13; ++k) hand[k] = Card(ranks[k], k % 2 ? 4 : 8, k);
    cards::PlayToBeat former;
    former.formerType = cards::PatternType::PatternStraight;
    former.formerNum = 3;
    former.g_aFormerCards = {15 * 256 + 8, 3 * 256 + 8, 4 * 256 + 8};
    for (auto _ : state) {
        cards::HintState hint;
        hint.g_nHintType = 3;
        hint.g_nHintLen = 3;
        hint.g_bHintPlayed = true;
        benchmark::DoNotOptimize(
            cards::SearchBeat(hand, hint, 3, 3, former.g_aFormerCards, former));
        benchmark::DoNotOptimize(hint);
    }
}
BENCHMARK(BM_HintSearchWorstPress);

// Thirteen cards in rising order (the most exchanges) with both red aces to move to the front.
std::array<cards::CardValue, 13> RisingHand() {
    std::array<cards::CardValue, 13> hand{};
    for (int k = 0; k < 11; ++k) hand[k] = Card(3 + k, 8, k) | (k << 16);
    hand[11] = Card(14, 1, 11);
    hand[12] = Card(14, 4, 12);
    return hand;
}

void BM_SortByRankWorstHand(benchmark::State& state) {
    const auto rising = RisingHand();
    for (auto _ : state) {
        auto hand = rising;
        benchmark::DoNotOptimize(cards::SortByRank(hand, 4));
        cards::ClearServerBitsOfCountingRanks(hand);
        benchmark::DoNotOptimize(hand);
    }
}
BENCHMARK(BM_SortByRankWorstHand);

void BM_SortByGroupWorstHand(benchmark::State& state) {
    const auto rising = RisingHand();
    for (auto _ : state) {
        auto hand = rising;
        benchmark::DoNotOptimize(cards::SortByGroup(hand));
        cards::ClearServerBitsOfCountingRanks(hand);
        benchmark::DoNotOptimize(hand);
    }
}
BENCHMARK(BM_SortByGroupWorstHand);

}  // namespace

BENCHMARK_MAIN();
