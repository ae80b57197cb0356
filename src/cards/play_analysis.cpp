#include "cards/play_analysis.h"

#include <string>

#include "platform/runtime/failure.h"

namespace cards {
namespace {

// Cards held per rank 0..16, filled from the selection.
using RankCounts = std::array<std::int16_t, RankMarkedAce + 1>;

// Gathers the ranks of one reading and hands them to `analyzed` only once the kind is certain,
// so that a run that fails half-way leaves nothing behind.
class Reading {
  public:
    void Write(int rank, int times = 1) {
        for (int i = 0; i < times; ++i) {
            if (count_ == MaxPlayCards) {
                platform::fail(platform::RuntimeFailure::Kind::IndexOutOfRange,
                               "a play holds at most " + std::to_string(MaxPlayCards) + " cards");
            }
            ranks_[count_++] = static_cast<std::int16_t>(rank);
        }
    }

    PatternType Commit(PatternType type, PlayAnalysis& analyzed) const {
        analyzed.type = type;
        analyzed.ranks = ranks_;
        analyzed.rankCount = count_;
        analyzed.g_nAnalyzedCount = 1;
        return type;
    }

  private:
    std::array<std::int16_t, MaxPlayCards> ranks_{};
    std::int16_t count_ = 0;
};

// The lowest rank from 0 to 15 that is held, or -1.
int LowestHeld(const RankCounts& counts) {
    for (int r = 0; r <= RankTwo; ++r) {
        if (counts[r] > 0) return r;
    }
    return -1;
}

// The highest rank from the ace down to 0 that is held, or -1: the top of a run without the
// marked ace, the "2" never counting as a top.
int HighestHeldUpToAce(const RankCounts& counts) {
    for (int r = RankAce; r >= 0; --r) {
        if (counts[r] > 0) return r;
    }
    return -1;
}

// Every rank from `from` to `to` is held exactly g times.
bool EachRankHeld(const RankCounts& counts, int from, int to, int g) {
    for (int r = from; r <= to; ++r) {
        if (counts[r] != g) return false;
    }
    return true;
}

void WriteRun(Reading& reading, int from, int to, int g) {
    for (int r = from; r <= to; ++r) reading.Write(r, g);
}

// Runs without a marked ace. A "2" may only stand below the 3, as the run's lowest group.
bool MatchStraight(PatternType type, int g, const RankCounts& counts, PlayAnalysis& analyzed) {
    if (counts[RankMarkedAce] > 0) return false;
    const int low = LowestHeld(counts);
    const int top = HighestHeldUpToAce(counts);
    Reading reading;
    if (counts[RankTwo] == 0) {
        if (low < 0 || !EachRankHeld(counts, low, top, g)) return false;
        WriteRun(reading, low, top, g);
    } else {
        if (top < RankLowest) return false;  // "2"s alone are no run
        if (!EachRankHeld(counts, RankLowest, top, g) || counts[RankTwo] != g) return false;
        reading.Write(RankTwo, g);
        WriteRun(reading, RankLowest, top, g);
    }
    reading.Commit(type, analyzed);
    return true;
}

// Runs topped by marked aces, which stand in the ace's place directly above the King.
bool MatchStraightToAce(PatternType type, int g, const RankCounts& counts, PlayAnalysis& analyzed) {
    if (counts[RankMarkedAce] == 0) return false;
    if (counts[RankKing] != g) return false;
    const int low = LowestHeld(counts);
    Reading reading;
    if (counts[RankTwo] == 0) {
        if (!EachRankHeld(counts, low, RankKing, g)) return false;
        WriteRun(reading, low, RankKing, g);
    } else {
        if (!EachRankHeld(counts, RankLowest, RankKing, g) || counts[RankTwo] != g) return false;
        reading.Write(RankTwo, g);
        WriteRun(reading, RankLowest, RankKing, g);
    }

    const int aces = counts[RankAce];
    const int marked = counts[RankMarkedAce];
    if (g == 1 && marked == 1 && aces == 0) {
        reading.Write(RankMarkedAce);
    } else if (g == 2 && marked == 2 && aces == 0) {
        reading.Write(RankMarkedAce, 2);
    } else if (g == 2 && aces == 1 && marked == 1) {
        reading.Write(RankAce);
        reading.Write(RankMarkedAce);
    } else {
        return false;
    }
    reading.Commit(type, analyzed);
    return true;
}

bool MatchRun(PatternType type, int g, const RankCounts& counts, PlayAnalysis& analyzed) {
    return MatchStraightToAce(type, g, counts, analyzed) ||
           MatchStraight(type, g, counts, analyzed);
}

// Plain aces mixed with marked aces: the plain aces first, so that the ace, not the marked ace,
// is the play's deciding rank whatever order the hand shows them in.
PatternType CommitMixedAces(PatternType type, const RankCounts& counts, PlayAnalysis& analyzed) {
    Reading reading;
    reading.Write(RankAce, counts[RankAce]);
    reading.Write(RankMarkedAce, counts[RankMarkedAce]);
    return reading.Commit(type, analyzed);
}

PatternType CommitAsSelected(PatternType type, std::span<const CardValue> cards,
                             PlayAnalysis& analyzed) {
    Reading reading;
    for (const CardValue card : cards) reading.Write(CardRank(card));
    return reading.Commit(type, analyzed);
}

// The kinds decided by the number of cards alone; PatternInvalid when none applies.
PatternType AnalyzeFixedSize(std::span<const CardValue> cards, const RankCounts& counts,
                             PlayAnalysis& analyzed) {
    using enum PatternType;
    const int aces = counts[RankAce];
    const int marked = counts[RankMarkedAce];
    switch (cards.size()) {
        case 1:
            return CommitAsSelected(PatternSingle, cards, analyzed);
        case 2: {
            const int r0 = CardRank(cards[0]);
            const int r1 = CardRank(cards[1]);
            if (r0 == RankMarkedAce && r1 == RankMarkedAce) {
                return CommitAsSelected(PatternAcePair, cards, analyzed);
            }
            if (r0 == r1) return CommitAsSelected(PatternPair, cards, analyzed);
            if (aces == 1 && marked == 1) return CommitMixedAces(PatternPair, counts, analyzed);
            return PatternInvalid;
        }
        case 3:
            for (int r = RankLowest; r <= RankTwo; ++r) {
                if (counts[r] == 3) return CommitAsSelected(PatternTriple, cards, analyzed);
                if (r == RankAce && ((aces == 1 && marked == 2) || (aces == 2 && marked == 1))) {
                    return CommitMixedAces(PatternTriple, counts, analyzed);
                }
            }
            return PatternInvalid;
        case 4:
            for (int r = RankLowest; r <= RankTwo; ++r) {
                if (counts[r] == 4) return CommitAsSelected(PatternFour, cards, analyzed);
                if (r == RankAce && aces == 2 && marked == 2) {
                    return CommitMixedAces(PatternFour, counts, analyzed);
                }
            }
            return PatternInvalid;
        default:
            return PatternInvalid;
    }
}

// Runs of the kinds that may be played now: any run when leading (straights of pairs first),
// otherwise only a run of the kind to beat.
PatternType AnalyzeRuns(PatternType formerType, int n, const RankCounts& counts,
                        PlayAnalysis& analyzed) {
    using enum PatternType;
    const bool pairRunSize = n % 2 == 0 && n >= 6;
    switch (formerType) {
        case PatternInvalid:
            if (pairRunSize && MatchRun(PatternPairStraight, 2, counts, analyzed)) {
                return PatternPairStraight;
            }
            if (n >= 3 && n <= 14 && MatchRun(PatternStraight, 1, counts, analyzed)) {
                return PatternStraight;
            }
            return PatternInvalid;
        case PatternStraight:
            if (n >= 3 && n <= 12 && MatchRun(PatternStraight, 1, counts, analyzed)) {
                return PatternStraight;
            }
            return PatternInvalid;
        case PatternPairStraight:
            if (pairRunSize && MatchRun(PatternPairStraight, 2, counts, analyzed)) {
                return PatternPairStraight;
            }
            return PatternInvalid;
        default:
            return PatternInvalid;
    }
}

}  // namespace

PatternType AnalyzeCombination(PatternType formerType, std::span<const CardValue> cards,
                               PlayAnalysis& analyzed) {
    analyzed = PlayAnalysis{};
    CheckPatternType(Ordinal(formerType));
    if (cards.size() > static_cast<std::size_t>(MaxPlayCards)) {
        platform::fail(platform::RuntimeFailure::Kind::InvalidArgument,
                       "too many cards for one play: " + std::to_string(cards.size()));
    }
    for (const CardValue card : cards) CheckCardValue(card);
    // Nothing selected is no play; the play button turns it into a pass before it gets here.
    if (cards.empty()) return PatternType::PatternInvalid;

    RankCounts counts{};
    for (const CardValue card : cards) ++counts[CardRank(card)];

    const PatternType fixed = AnalyzeFixedSize(cards, counts, analyzed);
    if (fixed != PatternType::PatternInvalid) return fixed;
    return AnalyzeRuns(formerType, static_cast<int>(cards.size()), counts, analyzed);
}

}  // namespace cards
