#include "cards/play_comparison.h"

#include <algorithm>
#include <string>

#include "platform/runtime/failure.h"

namespace cards {
namespace {

void CheckPlayCount(int n) {
    if (n < 1 || n > MaxPlayCards) {
        platform::fail(platform::RuntimeFailure::Kind::InvalidArgument,
                       "not a play's card count: " + std::to_string(n));
    }
}

// Triples, fours and the pair of marked aces are bombs: each beats every kind below it.
bool BeatsOtherKind(PatternType newType, PatternType formerType) {
    using enum PatternType;
    switch (formerType) {
        case PatternSingle:
        case PatternPair:
        case PatternStraight:
        case PatternPairStraight:
            return Ordinal(newType) >= Ordinal(PatternTriple);
        case PatternTriple:
            return Ordinal(newType) >= Ordinal(PatternFour);
        case PatternFour:
            return newType == PatternAcePair;
        default:
            return false;
    }
}

}  // namespace

bool CanBeat(std::span<const std::int32_t> newRanks, std::int16_t newN, PatternType newType,
             std::span<const std::int32_t> formerCards, std::int16_t formerN,
             PatternType formerType) {
    using enum PatternType;
    CheckPatternType(Ordinal(newType));
    CheckPatternType(Ordinal(formerType));
    if (newRanks.empty() || formerCards.empty()) {
        platform::fail(platform::RuntimeFailure::Kind::IndexOutOfRange,
                       "a play to compare has no first card");
    }

    // 1. Different kinds.
    if (newType != formerType) return BeatsOtherKind(newType, formerType);
    // Nothing on the table, or no play: nothing to compare.
    if (formerType == PatternInvalid) return false;

    // 2. Same kind, different card counts.
    CheckPlayCount(newN);
    CheckPlayCount(formerN);
    if (newN != formerN) return false;

    // 3. Same kind and count: the deciding ranks.
    const int m = newRanks[0];
    CheckCardRank(m);
    CheckCardValue(formerCards[0]);
    const int f = CardRank(formerCards[0]);
    switch (formerType) {
        case PatternSingle:
        case PatternPair:
        case PatternTriple:
        case PatternFour:
            return m > f;
        case PatternStraight:
        case PatternPairStraight:
            // A run that starts with the "2" is the lowest run of its length.
            if (f == RankTwo && m != RankTwo) return true;
            if (m == RankTwo) return false;
            return m > f;
        default:
            return false;
    }
}

bool CanBeat(const PlayAnalysis& analyzed, const PlayToBeat& former) {
    const auto ranks = analyzed.Ranks();
    std::array<std::int32_t, MaxPlayCards> newRanks{};
    std::ranges::copy(ranks, newRanks.begin());
    return CanBeat(std::span<const std::int32_t>(newRanks).first(ranks.size()), analyzed.rankCount,
                   analyzed.type, former.g_aFormerCards, former.formerNum, former.formerType);
}

}  // namespace cards
