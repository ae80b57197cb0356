#include "cards/play_analysis.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "card_notation.h"
#include "platform/runtime/failure.h"

namespace {

using cards::AnalyzeCombination;
using cards::PatternType;
using cards::PlayAnalysis;
using enum cards::PatternType;
using card_notation::Hand;
using platform::RuntimeFailure;

std::vector<int> RecordedRanks(const PlayAnalysis& analyzed) {
    return {analyzed.Ranks().begin(), analyzed.Ranks().end()};
}

struct AnalysisCase {
    PatternType formerType;
    const char* selection;
    PatternType expected;
    std::vector<int> ranks;  // the recorded ranks, when expected is a play
};

void ExpectAnalyses(const std::vector<AnalysisCase>& cases) {
    for (const AnalysisCase& c : cases) {
        SCOPED_TRACE(std::string("selection {") + c.selection + "} against pattern " +
                     std::to_string(static_cast<int>(c.formerType)));
        PlayAnalysis analyzed;
        const PatternType type = AnalyzeCombination(c.formerType, Hand(c.selection), analyzed);
        EXPECT_EQ(type, c.expected);
        EXPECT_EQ(analyzed.type, c.expected);
        EXPECT_EQ(analyzed.g_nAnalyzedCount, c.expected == PatternInvalid ? 0 : 1);
        EXPECT_EQ(RecordedRanks(analyzed), c.ranks);
    }
}

TEST(CardPlayAnalysis, RecognisesSinglesPairsTriplesAndFours) {
    ExpectAnalyses({
        {PatternInvalid, "3", PatternSingle, {3}},
        {PatternInvalid, "A*", PatternSingle, {16}},
        {PatternInvalid, "K K", PatternPair, {13, 13}},
        {PatternInvalid, "2 2", PatternPair, {15, 15}},
        {PatternInvalid, "K A", PatternInvalid, {}},
        {PatternInvalid, "7 7 7", PatternTriple, {7, 7, 7}},
        {PatternInvalid, "2 2 2", PatternTriple, {15, 15, 15}},
        {PatternInvalid, "7 7 8", PatternInvalid, {}},
        {PatternInvalid, "9 9 9 9", PatternFour, {9, 9, 9, 9}},
        {PatternInvalid, "2 2 2 2", PatternFour, {15, 15, 15, 15}},
        {PatternInvalid, "9 9 9 8", PatternInvalid, {}},
        // The fixed sizes do not look at the play to beat.
        {PatternStraight, "7 7 7", PatternTriple, {7, 7, 7}},
        {PatternPair, "5", PatternSingle, {5}},
        {PatternAcePair, "9 9 9 9", PatternFour, {9, 9, 9, 9}},
    });
}

TEST(CardPlayAnalysis, MarkedAcesPairWithEachOtherAndWithAces) {
    ExpectAnalyses({
        {PatternInvalid, "A* A*", PatternAcePair, {16, 16}},
        {PatternInvalid, "A A*", PatternPair, {14, 16}},
        {PatternInvalid, "A* A", PatternPair, {14, 16}},
        {PatternInvalid, "A* A* A", PatternTriple, {14, 16, 16}},
        {PatternInvalid, "A* A A", PatternTriple, {14, 14, 16}},
        {PatternInvalid, "A* A* A A", PatternFour, {14, 14, 16, 16}},
        {PatternInvalid, "A* A A A", PatternInvalid, {}},
        {PatternInvalid, "2 A*", PatternInvalid, {}},
    });
}

TEST(CardPlayAnalysis, MixedAcesLeadWithThePlainAceInAnyHandOrder) {
    // The second hand order can put plain aces before the marked ones; the ace must still be the
    // deciding rank, or a mixed triple would count as a triple of marked aces.
    ExpectAnalyses({
        {PatternInvalid, "A A* A*", PatternTriple, {14, 16, 16}},
        {PatternInvalid, "A A A*", PatternTriple, {14, 14, 16}},
        {PatternInvalid, "A A* A", PatternTriple, {14, 14, 16}},
        {PatternInvalid, "A A A* A*", PatternFour, {14, 14, 16, 16}},
        {PatternInvalid, "A A* A A*", PatternFour, {14, 14, 16, 16}},
    });
}

TEST(CardPlayAnalysis, StraightsRunFromTheTwoUpToTheAceOrMarkedAce) {
    ExpectAnalyses({
        {PatternInvalid, "3 4 5", PatternStraight, {3, 4, 5}},
        {PatternInvalid, "5 3 4", PatternStraight, {3, 4, 5}},
        {PatternInvalid, "3 4 6", PatternInvalid, {}},
        {PatternInvalid, "3 4 4 5", PatternInvalid, {}},
        {PatternInvalid, "2 3 4", PatternStraight, {15, 3, 4}},
        {PatternInvalid, "4 3 2", PatternStraight, {15, 3, 4}},
        {PatternInvalid, "2 4 5", PatternInvalid, {}},
        {PatternInvalid, "K A 2", PatternInvalid, {}},
        {PatternInvalid, "A 2 3", PatternInvalid, {}},
        {PatternInvalid, "Q K A", PatternStraight, {12, 13, 14}},
        {PatternInvalid, "Q K A*", PatternStraight, {12, 13, 16}},
        {PatternInvalid, "J Q A*", PatternInvalid, {}},
        {PatternInvalid, "J Q K A A*", PatternInvalid, {}},
        {PatternInvalid, "J Q K A* A*", PatternInvalid, {}},
        {PatternInvalid, "2 3 4 A*", PatternInvalid, {}},
        {PatternInvalid, "3 4 5 6 7 8", PatternStraight, {3, 4, 5, 6, 7, 8}},
        {PatternInvalid,
         "2 3 4 5 6 7 8 9 10 J Q K A",
         PatternStraight,
         {15, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}},
        {PatternInvalid,
         "2 3 4 5 6 7 8 9 10 J Q K A*",
         PatternStraight,
         {15, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 16}},
    });
}

TEST(CardPlayAnalysis, StraightsOfPairsNeedThreePairs) {
    ExpectAnalyses({
        {PatternInvalid, "3 3 4 4 5 5", PatternPairStraight, {3, 3, 4, 4, 5, 5}},
        {PatternInvalid, "3 3 4 4", PatternInvalid, {}},
        {PatternInvalid, "3 3 3 4 4 4", PatternInvalid, {}},
        {PatternInvalid, "3 3 4 4 5 6", PatternInvalid, {}},
        {PatternInvalid, "2 2 3 3 4 4", PatternPairStraight, {15, 15, 3, 3, 4, 4}},
        {PatternInvalid, "2 2 3 4", PatternInvalid, {}},
        {PatternInvalid, "Q Q K K A A", PatternPairStraight, {12, 12, 13, 13, 14, 14}},
        {PatternInvalid, "Q Q K K A A*", PatternPairStraight, {12, 12, 13, 13, 14, 16}},
        {PatternInvalid, "Q Q K K A* A", PatternPairStraight, {12, 12, 13, 13, 14, 16}},
        {PatternInvalid, "Q Q K K A* A*", PatternPairStraight, {12, 12, 13, 13, 16, 16}},
        {PatternInvalid, "Q K A* A*", PatternInvalid, {}},
        {PatternInvalid, "K K A A*", PatternInvalid, {}},
        {PatternInvalid,
         "2 2 3 3 4 4 5 5 6 6 7 7 8 8 9 9 10 10 J J Q Q K K A* A*",
         PatternPairStraight,
         {15, 15, 3, 3,  4,  4,  5,  5,  6,  6,  7,  7,  8,
          8,  9,  9, 10, 10, 11, 11, 12, 12, 13, 13, 16, 16}},
    });
}

TEST(CardPlayAnalysis, FollowingOnlyRecognisesRunsOfTheKindToBeat) {
    ExpectAnalyses({
        {PatternStraight, "3 4 5", PatternStraight, {3, 4, 5}},
        {PatternStraight,
         "3 4 5 6 7 8 9 10 J Q K A",
         PatternStraight,
         {3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}},
        // Thirteen cards make a straight only when leading.
        {PatternStraight, "2 3 4 5 6 7 8 9 10 J Q K A", PatternInvalid, {}},
        {PatternStraight, "3 3 4 4 5 5", PatternInvalid, {}},
        {PatternPairStraight, "3 3 4 4 5 5", PatternPairStraight, {3, 3, 4, 4, 5, 5}},
        {PatternPairStraight, "3 4 5 6 7 8", PatternInvalid, {}},
        {PatternPair, "3 4 5", PatternInvalid, {}},
        {PatternSingle, "3 4 5", PatternInvalid, {}},
        {PatternTriple, "3 4 5", PatternInvalid, {}},
        {PatternFour, "3 3 4 4 5 5", PatternInvalid, {}},
        {PatternAcePair, "Q K A*", PatternInvalid, {}},
    });
}

TEST(CardPlayAnalysis, EmptySelectionIsNoPlay) {
    PlayAnalysis analyzed;
    EXPECT_EQ(AnalyzeCombination(PatternInvalid, {}, analyzed), PatternInvalid);
    EXPECT_EQ(analyzed.g_nAnalyzedCount, 0);
    EXPECT_TRUE(analyzed.Ranks().empty());
    EXPECT_EQ(AnalyzeCombination(PatternPair, {}, analyzed), PatternInvalid);
}

TEST(CardPlayAnalysis, FailedAnalysisLeavesNoReadingBehind) {
    PlayAnalysis analyzed;
    ASSERT_EQ(AnalyzeCombination(PatternInvalid, Hand("3 4 5 6 7"), analyzed), PatternStraight);
    // Matches the run up to the 7 before failing at the gap.
    EXPECT_EQ(AnalyzeCombination(PatternInvalid, Hand("3 4 5 6 7 9"), analyzed), PatternInvalid);
    EXPECT_EQ(analyzed.g_nAnalyzedCount, 0);
    EXPECT_EQ(analyzed.type, PatternInvalid);
    EXPECT_TRUE(analyzed.Ranks().empty());
}

TEST(CardPlayAnalysis, BadInputIsARunTimeFailure) {
    using card_notation::Card;
    struct Case {
        const char* what;
        PatternType formerType;
        std::vector<std::int32_t> cards;
    };
    const std::vector<Case> cases = {
        {"rank 2", PatternInvalid, {Card(3, 8), Card(2, 8)}},
        {"rank 0", PatternInvalid, {Card(0, 8)}},
        {"rank above the marked ace", PatternInvalid, {Card(17, 8), Card(17, 4)}},
        {"rank 255", PatternInvalid, {Card(255, 1)}},
        {"no suit", PatternInvalid, {Card(9, 0)}},
        {"two suits", PatternInvalid, {Card(9, 5)}},
        {"card id above 127",
         PatternInvalid,
         {Card(9, 8, 0) | static_cast<std::int32_t>(0x80000000u)}},
        {"pattern to beat above 7", static_cast<PatternType>(8), Hand("3 4 5")},
        {"negative pattern to beat", static_cast<PatternType>(-1), Hand("3 4 5")},
        {"more cards than a play holds", PatternInvalid, std::vector<std::int32_t>(28, Card(9, 8))},
    };
    for (const Case& c : cases) {
        PlayAnalysis analyzed;
        EXPECT_THROW(AnalyzeCombination(c.formerType, c.cards, analyzed), RuntimeFailure) << c.what;
        EXPECT_EQ(analyzed.g_nAnalyzedCount, 0) << c.what;
    }
}

}  // namespace
