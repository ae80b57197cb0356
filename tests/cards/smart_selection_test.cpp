// Smart selection over plain hands: which further cards a first selecting click raises against
// the play on the table.
#include "cards/smart_selection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "card_notation.h"
#include "hand_notation.h"
#include "platform/runtime/failure.h"

namespace {

using card_notation::Hand;
using hand_notation::Former;
using hand_notation::Names;
using enum cards::PatternType;

struct ClickCase {
    const char* name;
    cards::PatternType formerType;
    const char* formerCards;
    const char* hand;
    int clicked;         // the slot clicked up
    const char* raised;  // the further cards raised, in slot order
};

class SmartSelection : public ::testing::TestWithParam<ClickCase> {};

TEST_P(SmartSelection, RaisesTheCardsThatCompleteABeatingPlay) {
    const ClickCase& c = GetParam();
    const std::vector<std::int32_t> hand = Hand(c.hand);
    const cards::SlotSet clicked = cards::SlotSet().set(std::size_t(c.clicked));
    const cards::SlotSet more =
        cards::AgileClickSlots(hand, clicked, 1, Former(c.formerType, c.formerCards));
    EXPECT_EQ(Names(hand, more), c.raised);
    EXPECT_FALSE(more[std::size_t(c.clicked)]) << "the clicked card is raised already";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SmartSelection,
    ::testing::Values(
        // Singles: the clicked card stands, unless it cannot beat and a bomb of its rank can.
        ClickCase{"SingleThatBeatsStands", PatternSingle, "10", "9 9 9 J", 3, ""},
        ClickCase{"SingleTooLowBecomesABombOfThree", PatternSingle, "10", "9 9 9 J", 1, "9s 9c"},
        ClickCase{"SingleTooLowBecomesABombOfFour", PatternSingle, "10", "9 9 9 9", 0, "9h 9c 9d"},
        ClickCase{"SingleTooLowWithTwoOfItsRankStaysAlone", PatternSingle, "10", "9 9 J", 0, ""},
        ClickCase{"ThreeAcesWithAMarkedOneAreABomb", PatternSingle, "2", "A A A*h K", 0, "Ah A*h"},
        ClickCase{"AClickedMarkedAceFormsNoBomb", PatternSingle, "A*h", "A A A*d K", 2, ""},
        // Pairs.
        ClickCase{"PairOfTwoRaisesTheOther", PatternPair, "8 8", "J J 4", 0, "Jh"},
        ClickCase{"PairOfThreeRaisesOneMoreFirstSlot", PatternPair, "8 8", "J J J", 0, "Jc"},
        ClickCase{"PairOfThreeRaisesOneMoreMiddleSlot", PatternPair, "8 8", "J J J", 1, "Jc"},
        ClickCase{"PairOfThreeRaisesOneMoreLastSlot", PatternPair, "8 8", "J J J", 2, "Jh"},
        ClickCase{"PairTooLowWithTwoStaysAlone", PatternPair, "K K", "5 5 Q", 0, ""},
        ClickCase{"PairTooLowWithThreeIsABomb", PatternPair, "K K", "5 5 5 Q", 0, "5h 5c"},
        ClickCase{"PairWithASingleCardOfItsRankStaysAlone", PatternPair, "8 8", "J Q", 0, ""},
        ClickCase{"APlainAcePairsWithAMarkedOne", PatternPair, "K K", "A*h A 3", 1, "A*h"},
        ClickCase{"AClickedMarkedAceMakesNoPair", PatternPair, "K K", "A*h A*d A", 0, ""},
        // Triples and fours.
        ClickCase{"TripleThatBeats", PatternTriple, "7 7 7", "9 9 9 3", 1, "9s 9c"},
        ClickCase{"TripleTooLowWithFourIsAFour", PatternTriple, "7 7 7", "5 5 5 5", 3, "5s 5h 5c"},
        ClickCase{"TripleTooLowWithThreeStaysAlone", PatternTriple, "7 7 7", "5 5 5", 0, ""},
        ClickCase{"FourThatBeats", PatternFour, "6 6 6 6", "8 8 8 8", 0, "8h 8c 8d"},
        ClickCase{"FourTooLowStaysAlone", PatternFour, "6 6 6 6", "4 4 4 4", 0, ""},
        ClickCase{"NothingAnswersTheMarkedAcePair", PatternAcePair, "A*h A*d", "2 2 2 2", 0, ""},
        // Straights: the clicked card is the lowest of a run as long as the table's.
        ClickCase{"StraightFromTheClickedCard", PatternStraight, "4 5 6 7 8", "9 10 J Q K", 0,
                  "10s Js Qs Ks"},
        ClickCase{"StraightTakesTheHighestSlotOfARank", PatternStraight, "4 5 6", "9 10 10 J", 0,
                  "10h Js"},
        ClickCase{"StraightPastTheAceIsNoRun", PatternStraight, "4 5 6 7 8", "9 10 J Q K A J", 2,
                  ""},
        ClickCase{"StraightPastTheAceFallsBackToABomb", PatternStraight, "4 5 6 7 8", "J J J Q K A",
                  0, "Jh Jc"},
        ClickCase{"StraightWithAGapIsNoRun", PatternStraight, "4 5 6", "9 J Q", 0, ""},
        ClickCase{"StraightTooLowIsNoRun", PatternStraight, "6 7 8", "5 6 7 8", 0, ""},
        ClickCase{"StraightTooLowWithThreeIsABomb", PatternStraight, "6 7 8", "5 5 5 6 7", 0,
                  "5h 5c"},
        ClickCase{"StraightAfterTheTwoStartsAnywhere", PatternStraight, "2 3 4", "3 4 5", 0,
                  "4s 5s"},
        ClickCase{"StraightAfterTheTwoFromAFive", PatternStraight, "2 3 4", "5 6 7", 0, "6s 7s"},
        ClickCase{"TheTwoStartsNoStraight", PatternStraight, "2 3 4", "2 3 4", 0, ""},
        ClickCase{"AMarkedAceTopsAStraight", PatternStraight, "9 10 J", "Q K A*h", 0, "Ks A*h"},
        ClickCase{"AClickedMarkedAceStartsNoStraight", PatternStraight, "9 10 J", "A*h A*d 2", 0,
                  ""},
        // Straights of pairs.
        ClickCase{"PairStraightFromTheClickedPair", PatternPairStraight, "5 5 6 6 7 7",
                  "8 8 9 9 10 10", 0, "8h 9s 9h 10s 10h"},
        ClickCase{"PairStraightToTheMarkedAce", PatternPairStraight, "J J Q Q K K", "Q Q K K A A*h",
                  1, "Qs Ks Kh As A*h"},
        ClickCase{"PairStraightWithASingleInTheMiddleIsNoRun", PatternPairStraight, "5 5 6 6 7 7",
                  "8 8 9 10 10", 0, ""},
        ClickCase{"PairStraightAfterTheTwoStartsAnywhere", PatternPairStraight, "2 2 3 3 4 4",
                  "3 3 4 4 5 5", 0, "3h 4s 4h 5s 5h"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SmartSelectionGate, OnlyTheClickThatLeftOneCardRaisedCompletesAPlay) {
    const auto hand = Hand("J J 4");
    const auto former = Former(PatternPair, "8 8");
    const auto first = cards::SlotSet().set(0);
    EXPECT_EQ(Names(hand, cards::AgileClickSlots(hand, first, 1, former)), "Jh");
    EXPECT_EQ(Names(hand, cards::AgileClickSlots(hand, first, 2, former)), "")
        << "clickCardNum other than 1";
    EXPECT_EQ(Names(hand, cards::AgileClickSlots(hand, first | cards::SlotSet().set(2), 1, former)),
              "")
        << "a second raised card anywhere in the hand";
    EXPECT_EQ(Names(hand, cards::AgileClickSlots(hand, {}, 1, former)), "") << "none raised";
}

TEST(SmartSelectionGate, AHandWithFiveCardsOfARankRaisesNothing) {
    const auto hand = Hand("9s 9h 9c 9d 9s 10");
    EXPECT_TRUE(
        cards::AgileClickSlots(hand, cards::SlotSet().set(0), 1, Former(PatternSingle, "10"))
            .none());
}

TEST(SmartSelectionGate, ACardOfNoRankIsARunTimeFailure) {
    auto hand = Hand("J J 4");
    hand[2] = 17 << 8 | 8;
    EXPECT_THROW(
        cards::AgileClickSlots(hand, cards::SlotSet().set(0), 1, Former(PatternPair, "8 8")),
        platform::RuntimeFailure);
}

}  // namespace
