// The hint search over plain hands: what each press of the hint raises, in order, against the
// play on the table, and where the search goes when nothing of the table's kind is left.
#include "cards/hint_search.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "card_notation.h"
#include "hand_notation.h"
#include "hint_presses.h"
#include "platform/runtime/failure.h"

namespace {

using card_notation::Hand;
using hand_notation::Former;
using hand_notation::Names;
using hint_presses::Press;
using hint_presses::Primed;
using enum cards::PatternType;

struct PressCase {
    const char* name;
    cards::PatternType formerType;
    const char* formerCards;
    const char* hand;
    std::vector<std::string> presses;  // what each press raises; "" when it finds nothing
};

class HintPresses : public ::testing::TestWithParam<PressCase> {};

TEST_P(HintPresses, EachPressRaisesTheNextCandidate) {
    const PressCase& c = GetParam();
    const auto hand = Hand(c.hand);
    const auto former = Former(c.formerType, c.formerCards);
    cards::HintState hint = Primed(former);
    for (std::size_t press = 0; press < c.presses.size(); ++press) {
        const cards::SlotSet raised = Press(hand, hint, former);
        EXPECT_EQ(Names(hand, raised), c.presses[press]) << "press " << press + 1;
        EXPECT_EQ(hint.g_bHintFound, raised.any()) << "press " << press + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HintPresses,
    ::testing::Values(
        PressCase{
            "SinglesRiseThenStartOver", PatternSingle, "10", "9 J J Q", {"Jh", "Qs", "Jh", "Qs"}},
        PressCase{
            "SinglesSplitPairsAndTakeMarkedAces", PatternSingle, "A", "2 2 A*h", {"2h", "A*h"}},
        PressCase{
            "TwoCardsLeftEndTheChainAtTheTriple", PatternSingle, "10", "A*h A*d", {"A*d", ""}},
        PressCase{"PairsSkipATripleWhichTheFallBackFinds",
                  PatternPair,
                  "5 5",
                  "7 7 7 9 9",
                  {"9s 9h", "7s 7h 7c", "9s 9h"}},
        PressCase{"PairsNeverTakeMarkedAcesButTheLastBombDoes",
                  PatternPair,
                  "K K",
                  "A*h A*d 3 4",
                  {"A*h A*d"}},
        PressCase{"ThreeCardsLeftEndTheChainAtTheFour", PatternPair, "K K", "A*h A*d 3", {""}},
        PressCase{"TriplesAboveTheTable",
                  PatternTriple,
                  "8 8 8",
                  "7 7 7 9 9 9 J J J",
                  {"9s 9h 9c", "Js Jh Jc", "9s 9h 9c"}},
        PressCase{"FoursAboveTheTableThenTheMarkedAces",
                  PatternFour,
                  "5 5 5 5",
                  "A*h A*d 7 7 7 7",
                  {"7s 7h 7c 7d", "A*h A*d", "7s 7h 7c 7d"}},
        PressCase{"BombsInTheirOrder",
                  PatternSingle,
                  "2",
                  "A*h A*d 4 4 4 4 6 6 6",
                  {"A*d", "6s 6h 6c", "4s 4h 4c 4d", "A*h A*d", "A*d"}},
        PressCase{"StraightsRiseByTheirLowestRank",
                  PatternStraight,
                  "4 5 6",
                  "5 6 7 8 8",
                  {"5s 6s 7s", "6s 7s 8h", "5s 6s 7s"}},
        PressCase{"StraightsAfterTheTwoStartAtTheThree",
                  PatternStraight,
                  "2 3 4",
                  "3 4 5 6",
                  {"3s 4s 5s", "4s 5s 6s"}},
        PressCase{"PairStraightsAfterTheTwoHaveNoSuchException",
                  PatternPairStraight,
                  "2 2 3 3 4 4",
                  "3 3 4 4 5 5",
                  {""}},
        PressCase{"PairStraights",
                  PatternPairStraight,
                  "5 5 6 6 7 7",
                  "8 8 9 9 9 10 10 J J",
                  {"8s 8h 9h 9c 10s 10h", "9h 9c 10s 10h Js Jh"}},
        PressCase{"AStraightEndsAtTheAce",
                  PatternStraight,
                  "10 J Q K",
                  "J Q K A 2",
                  {"Js Qs Ks As", "Js Qs Ks As"}},
        PressCase{"MarkedAcesNeverCompleteAStraight", PatternStraight, "9 10 J", "Q K A*h", {""}},
        PressCase{"NothingAnywhere", PatternSingle, "2", "3 4 5", {"", ""}},
        PressCase{"NothingBeatsTheMarkedAcePair", PatternAcePair, "A*h A*d", "2 2 2 2", {""}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HintChain, TheMarkedAcePairSendsTheNextPressBackToTheTablesKind) {
    const auto hand = Hand("A*h A*d 9 3");
    const auto former = Former(PatternPair, "8 8");
    cards::HintState hint = Primed(former);
    EXPECT_EQ(Names(hand, Press(hand, hint, former)), "A*h A*d");
    EXPECT_EQ(hint.g_nHintType, cards::Ordinal(PatternPair));
    EXPECT_EQ(hint.g_nHintLen, 2);
    EXPECT_EQ(hint.g_nHintCursor, cards::RankLowest);
}

TEST(HintChain, ABombFoundByTheFallBackIsSearchedAgainstTheTablesCards) {
    // The second press looks for triples above the table's single 9: the 7s are skipped.
    const auto hand = Hand("7 7 7 J J J");
    const auto former = Former(PatternSingle, "9");
    cards::HintState hint = Primed(former);
    hint.g_nHintCursor = 16;  // past every single
    EXPECT_EQ(Names(hand, Press(hand, hint, former)), "7s 7h 7c");
    EXPECT_EQ(hint.g_nHintType, cards::Ordinal(PatternTriple));
    EXPECT_EQ(hint.g_nHintLen, 3);
    EXPECT_EQ(hint.g_nHintCursor, 8);
    hint.g_nHintCursor = cards::RankLowest;
    EXPECT_EQ(Names(hand, Press(hand, hint, former)), "Js Jh Jc");
}

TEST(HintChain, WithoutAHintThisTurnTheChainEndsWithNothingFound) {
    const auto hand = Hand("9 J J Q");
    const auto former = Former(PatternSingle, "10");
    cards::HintState hint = Primed(former);
    hint.g_nHintCursor = 13;  // only past the last candidate
    const cards::SlotSet raised =
        cards::SearchBeat(hand, hint, 1, 1, former.g_aFormerCards, former);
    EXPECT_TRUE(raised.none());
    EXPECT_FALSE(hint.g_bHintFound);
    hint.g_bHintPlayed = true;
    EXPECT_EQ(Names(hand, cards::SearchBeat(hand, hint, 1, 1, former.g_aFormerCards, former)), "Jh")
        << "with a hint this turn it starts over";
}

// The restart after the last bomb runs once per press: a hand that holds no hint at all, with a
// hint already found this turn (the cards since played), ends the press with nothing found.
TEST(HintChain, TheRestartRunsOncePerPress) {
    const auto hand = Hand("3 4 5 6");
    const auto former = Former(PatternSingle, "K");
    cards::HintState hint = Primed(former);
    hint.g_bHintPlayed = true;
    hint.g_bHintFound = true;
    EXPECT_TRUE(Press(hand, hint, former).none());
    EXPECT_FALSE(hint.g_bHintFound);
}

// A run shorter than three ranks is no hint of its kind (a bad table play); the bombs still are.
TEST(HintRuns, ARunShorterThanThreeRanksIsNoHint) {
    const auto former = Former(PatternStraight, "5 6");
    for (const std::int16_t len : {0, 1, 2}) {
        SCOPED_TRACE("length " + std::to_string(len));
        cards::HintState hint;
        const auto hand = Hand("6 7 8 9");
        EXPECT_TRUE(cards::SearchBeat(hand, hint, 3, len, former.g_aFormerCards, former).none());
        EXPECT_FALSE(hint.g_bHintFound);
        cards::HintState pairs;
        EXPECT_TRUE(
            cards::SearchBeat(hand, pairs, 4, std::int16_t(len * 2), former.g_aFormerCards, former)
                .none());
        EXPECT_FALSE(pairs.g_bHintFound);
        cards::HintState bomb;
        const auto withBomb = Hand("6 7 8 9 9 9");
        EXPECT_EQ(Names(withBomb,
                        cards::SearchBeat(withBomb, bomb, 3, len, former.g_aFormerCards, former)),
                  "9s 9h 9c");
    }
}

TEST(HintGuards, AHandSmallerThanThePlayFindsNothing) {
    const auto former = Former(PatternStraight, "3 4 5 6");
    cards::HintState hint;
    hint.g_bHintFound = true;
    EXPECT_TRUE(cards::SearchBeat(Hand("7 8 9"), hint, 3, 4, former.g_aFormerCards, former).none());
    EXPECT_FALSE(hint.g_bHintFound);
}

TEST(HintGuards, AKindOutsideThePatternsDoesNothingAtAll) {
    const auto former = Former(PatternSingle, "3");
    for (const std::int16_t type : {0, 8, -1}) {
        cards::HintState hint;
        hint.g_nHintCursor = 5;
        hint.g_bHintFound = true;
        EXPECT_TRUE(
            cards::SearchBeat(Hand("7 8 9"), hint, type, 1, former.g_aFormerCards, former).none());
        EXPECT_TRUE(hint.g_bHintFound) << "type " << type;
        EXPECT_EQ(hint.g_nHintCursor, 5) << "type " << type;
    }
}

TEST(HintGuards, BadValuesAreRunTimeFailuresNotReadsOutsideTheTables) {
    const auto former = Former(PatternSingle, "3");
    cards::HintState hint;
    hint.g_nHintCursor = -4;
    EXPECT_THROW(cards::SearchBeat(Hand("7 8 9"), hint, 1, 1, former.g_aFormerCards, former),
                 platform::RuntimeFailure);
    cards::HintState fresh;
    auto hand = Hand("7 8 9");
    hand[1] = 17 << 8 | 4;
    EXPECT_THROW(cards::SearchBeat(hand, fresh, 1, 1, former.g_aFormerCards, former),
                 platform::RuntimeFailure);
    EXPECT_THROW(cards::SearchLead(hand), platform::RuntimeFailure);
    EXPECT_THROW(cards::SearchBeat(Hand("7"), fresh, 1, 1, {}, former), platform::RuntimeFailure);
}

struct LeadCase {
    const char* name;
    const char* hand;
    const char* raised;
};

class HintLead : public ::testing::TestWithParam<LeadCase> {};

TEST_P(HintLead, RaisesEveryCardOfTheLowestRank) {
    const auto hand = Hand(GetParam().hand);
    EXPECT_EQ(Names(hand, cards::SearchLead(hand)), GetParam().raised);
}

INSTANTIATE_TEST_SUITE_P(Cases, HintLead,
                         ::testing::Values(LeadCase{"APair", "Q 3 5 3", "3s 3h"},
                                           LeadCase{"ASingle", "9 K 9 6", "6s"},
                                           LeadCase{"AboveTheAce", "2 A*h 2", "2s 2h"},
                                           LeadCase{"AMarkedAceLast", "A*h", "A*h"},
                                           LeadCase{"AnEmptyHand", "", ""}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
