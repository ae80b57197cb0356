#include "cards/play_comparison.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "card_notation.h"
#include "cards/play_analysis.h"
#include "platform/runtime/failure.h"

namespace {

using cards::CanBeat;
using cards::PatternType;
using enum cards::PatternType;
using card_notation::Card;
using platform::RuntimeFailure;

// A play as the comparison sees it: its kind, its card count and its deciding (first) rank.
struct Play {
    PatternType type;
    std::int16_t n;
    int first;
};

bool Beats(const Play& play, const Play& former) {
    const std::array<std::int32_t, 1> ranks{play.first};
    // The play to beat is held as rank × 256 + suit mask; its suit plays no part.
    const std::array<std::int32_t, 1> formerCards{Card(former.first, card_notation::kClubs)};
    return CanBeat(ranks, play.n, play.type, formerCards, former.n, former.type);
}

struct ComparisonCase {
    const char* what;
    Play play;
    Play former;
    bool beats;
};

void ExpectComparisons(const std::vector<ComparisonCase>& cases) {
    for (const ComparisonCase& c : cases) EXPECT_EQ(Beats(c.play, c.former), c.beats) << c.what;
}

TEST(CardPlayComparison, SameKindComparesTheDecidingRank) {
    ExpectComparisons({
        {"ace over King", {PatternSingle, 1, 14}, {PatternSingle, 1, 13}, true},
        {"two over ace", {PatternSingle, 1, 15}, {PatternSingle, 1, 14}, true},
        {"marked ace over two", {PatternSingle, 1, 16}, {PatternSingle, 1, 15}, true},
        {"King does not beat King", {PatternSingle, 1, 13}, {PatternSingle, 1, 13}, false},
        {"King does not beat ace", {PatternSingle, 1, 13}, {PatternSingle, 1, 14}, false},
        {"ace with marked ace against pair of aces",
         {PatternPair, 2, 14},
         {PatternPair, 2, 14},
         false},
        {"pair of twos over ace with marked ace", {PatternPair, 2, 15}, {PatternPair, 2, 14}, true},
        {"mixed ace triple against three aces",
         {PatternTriple, 3, 14},
         {PatternTriple, 3, 14},
         false},
        {"three twos over three aces", {PatternTriple, 3, 15}, {PatternTriple, 3, 14}, true},
        {"four tens over four nines", {PatternFour, 4, 10}, {PatternFour, 4, 9}, true},
        {"four nines do not beat four tens", {PatternFour, 4, 9}, {PatternFour, 4, 10}, false},
    });
}

TEST(CardPlayComparison, RunsCompareLowestRankAndTheTwoStartsTheLowestRun) {
    ExpectComparisons({
        {"3-4-5 over 2-3-4", {PatternStraight, 3, 3}, {PatternStraight, 3, 15}, true},
        {"2-3-4 does not beat 3-4-5", {PatternStraight, 3, 15}, {PatternStraight, 3, 3}, false},
        {"2-3-4 does not beat 2-3-4", {PatternStraight, 3, 15}, {PatternStraight, 3, 15}, false},
        {"4-5-6 over 3-4-5", {PatternStraight, 3, 4}, {PatternStraight, 3, 3}, true},
        {"Q-K-marked ace over J-Q-K", {PatternStraight, 3, 12}, {PatternStraight, 3, 11}, true},
        {"Q-K-A against Q-K-marked ace", {PatternStraight, 3, 12}, {PatternStraight, 3, 12}, false},
        {"a run of five never beats six", {PatternStraight, 5, 9}, {PatternStraight, 6, 3}, false},
        {"a run of five never beats four", {PatternStraight, 5, 9}, {PatternStraight, 4, 3}, false},
        {"pairs from 3 over pairs from the two",
         {PatternPairStraight, 6, 3},
         {PatternPairStraight, 6, 15},
         true},
        {"pairs from the two under pairs from 3",
         {PatternPairStraight, 6, 15},
         {PatternPairStraight, 6, 3},
         false},
        {"pairs from 5 over pairs from 4",
         {PatternPairStraight, 8, 5},
         {PatternPairStraight, 8, 4},
         true},
        {"three pairs never beat four pairs",
         {PatternPairStraight, 6, 10},
         {PatternPairStraight, 8, 3},
         false},
    });
}

TEST(CardPlayComparison, BombsBeatTheKindsBelowThem) {
    ExpectComparisons({
        {"triple over seven-card straight", {PatternTriple, 3, 3}, {PatternStraight, 7, 8}, true},
        {"four over triple", {PatternFour, 4, 3}, {PatternTriple, 3, 15}, true},
        {"marked aces over four", {PatternAcePair, 2, 16}, {PatternFour, 4, 15}, true},
        {"four of twos does not beat marked aces",
         {PatternFour, 4, 15},
         {PatternAcePair, 2, 16},
         false},
        {"marked aces do not beat marked aces",
         {PatternAcePair, 2, 16},
         {PatternAcePair, 2, 16},
         false},
        {"single does not beat pair", {PatternSingle, 1, 16}, {PatternPair, 2, 3}, false},
        {"pair does not beat triple", {PatternPair, 2, 15}, {PatternTriple, 3, 3}, false},
        {"triple does not beat four", {PatternTriple, 3, 15}, {PatternFour, 4, 3}, false},
        {"straight does not beat pair", {PatternStraight, 3, 12}, {PatternPair, 2, 3}, false},
    });
}

TEST(CardPlayComparison, KindTableMatchesTheRules) {
    // Play to beat in the rows, new play in the columns; '=' same kind (decided by rank), 'y'
    // beats whatever the ranks, 'n' never beats.
    const char* const table[] = {
        "=nnnyyy",  // single
        "n=nnyyy",  // pair
        "nn=nyyy",  // straight
        "nnn=yyy",  // straight of pairs
        "nnnn=yy",  // triple
        "nnnnn=y",  // four
        "nnnnnn=",  // pair of marked aces
    };
    for (int former = 1; former <= 7; ++former) {
        for (int type = 1; type <= 7; ++type) {
            const char rule = table[former - 1][type - 1];
            if (rule == '=') continue;
            // Deliberately the lowest new rank against the highest old one, and other counts.
            const Play play{static_cast<PatternType>(type), 3, 3};
            const Play formerPlay{static_cast<PatternType>(former), 5, 16};
            EXPECT_EQ(Beats(play, formerPlay), rule == 'y') << "new " << type << " on " << former;
        }
    }
}

TEST(CardPlayComparison, NothingBeatsWhenThereIsNothingToBeat) {
    for (int type = 0; type <= 7; ++type) {
        EXPECT_FALSE(Beats({static_cast<PatternType>(type), 1, 16}, {PatternInvalid, 0, 0}))
            << "new " << type;
    }
}

TEST(CardPlayComparison, AnalysedPlayAgainstThePlayToBeat) {
    cards::PlayToBeat former;
    former.formerType = PatternStraight;
    former.formerNum = 3;
    former.g_aFormerCards[0] = Card(15, card_notation::kSpades);  // 2-3-4
    former.g_aFormerCards[1] = Card(3, card_notation::kSpades);
    former.g_aFormerCards[2] = Card(4, card_notation::kSpades);

    cards::PlayAnalysis analyzed;
    ASSERT_EQ(cards::AnalyzeCombination(former.formerType, card_notation::Hand("4 5 3"), analyzed),
              PatternStraight);
    EXPECT_TRUE(CanBeat(analyzed, former));
    ASSERT_EQ(cards::AnalyzeCombination(former.formerType, card_notation::Hand("2 4 3"), analyzed),
              PatternStraight);
    EXPECT_FALSE(CanBeat(analyzed, former));
}

TEST(CardPlayComparison, BadInputIsARunTimeFailure) {
    const std::array<std::int32_t, 1> nine{9};
    const std::array<std::int32_t, 1> eightOfClubs{Card(8, card_notation::kClubs)};
    const std::array<std::int32_t, 1> zeroed{0};  // a play to beat that was never recorded
    struct Case {
        const char* what;
        std::span<const std::int32_t> ranks;
        std::int16_t n;
        int type;
        std::span<const std::int32_t> formerCards;
        std::int16_t formerN;
        int formerType;
    };
    const std::array<std::int32_t, 1> badRank{17};
    const std::array<std::int32_t, 1> rankTwo{2};
    const std::array<std::int32_t, 1> noSuit{8 << 8};
    const Case cases[] = {
        {"new pattern above 7", nine, 1, 8, eightOfClubs, 1, 1},
        {"pattern to beat above 7", nine, 1, 1, eightOfClubs, 1, 9},
        {"negative pattern", nine, 1, -1, eightOfClubs, 1, 1},
        {"no new ranks", {}, 1, 1, eightOfClubs, 1, 1},
        {"no cards to beat", nine, 1, 1, {}, 1, 1},
        {"zero cards played", nine, 0, 1, eightOfClubs, 0, 1},
        {"more cards than a play holds", nine, 28, 3, eightOfClubs, 28, 3},
        {"new rank above the marked ace", badRank, 1, 1, eightOfClubs, 1, 1},
        {"new rank 2", rankTwo, 1, 1, eightOfClubs, 1, 1},
        {"play to beat never recorded", nine, 1, 1, zeroed, 1, 1},
        {"card to beat without a suit", nine, 1, 1, noSuit, 1, 1},
    };
    for (const Case& c : cases) {
        EXPECT_THROW(CanBeat(c.ranks, c.n, static_cast<PatternType>(c.type), c.formerCards,
                             c.formerN, static_cast<PatternType>(c.formerType)),
                     RuntimeFailure)
            << c.what;
    }
}

TEST(CardPlayComparison, ValuesTheDecisionDoesNotReadAreNotChecked) {
    // A bomb beats a single without looking at the single's cards or counts.
    const std::array<std::int32_t, 1> four{9};
    const std::array<std::int32_t, 1> zeroed{0};
    EXPECT_TRUE(CanBeat(four, 4, PatternFour, zeroed, 0, PatternSingle));
    // Leading: the stale play to beat is not read.
    EXPECT_FALSE(CanBeat(four, 4, PatternFour, zeroed, 0, PatternInvalid));
}

}  // namespace
