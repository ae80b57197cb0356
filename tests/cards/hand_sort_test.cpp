// The two hand orders over plain card values: the rank order with the marked aces in front, the
// second order by the server's byte, and where each card went.
#include "cards/hand_sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "card_notation.h"
#include "hand_notation.h"
#include "platform/runtime/failure.h"

namespace {

using card_notation::Hand;
using hand_notation::Names;

struct RankOrderCase {
    const char* name;
    const char* hand;
    int colourMask;
    const char* sorted;
    int markedAceCount;
};

class HandRankOrder : public ::testing::TestWithParam<RankOrderCase> {};

// The slots' starting order must not matter: every rotation of the hand sorts the same.
TEST_P(HandRankOrder, SortsHighestFirstWithTheMarkedAcesInFront) {
    const RankOrderCase& c = GetParam();
    const std::vector<std::int32_t> dealt = Hand(c.hand);
    for (std::size_t turn = 0; turn < dealt.size(); ++turn) {
        std::vector<std::int32_t> cards = dealt;
        std::rotate(cards.begin(), cards.begin() + std::ptrdiff_t(turn), cards.end());
        const std::vector<std::int32_t> before = cards;
        const cards::SlotMoves moves = cards::SortByRank(cards, c.colourMask);
        EXPECT_EQ(Names(cards), c.sorted) << "rotated by " << turn;
        EXPECT_EQ(moves.markedAceCount, c.markedAceCount) << "rotated by " << turn;
        for (std::size_t k = 0; k < cards.size(); ++k) {
            EXPECT_EQ(cards[k], before[std::size_t(moves.from[k])]) << "slot " << k;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HandRankOrder,
    ::testing::Values(
        RankOrderCase{"RedAcesWithHearts", "2s Ah Ac Ad Ks", 4, "Ah Ad 2s Ac Ks", 2},
        RankOrderCase{"RedAcesWithDiamonds", "2s Ah Ac Ad Ks", 1, "Ah Ad 2s Ac Ks", 2},
        RankOrderCase{"BlackAcesWithOneMissing", "2s Ah Ac Ad Ks", 2, "Ac 2s Ah Ad Ks", 1},
        RankOrderCase{"BlackAcesAroundAHeartAce", "2s 2h As Ah Ac Ad K", 8, "As Ac 2s 2h Ah Ad Ks",
                      2},
        RankOrderCase{"NoColourMovesNothing", "2s Ah Ac Ad Ks", 0, "2s Ah Ac Ad Ks", 0},
        RankOrderCase{"AMaskOfTwoColoursMarksNone", "2s Ah Ac Ad Ks", 3, "2s Ah Ac Ad Ks", 0},
        RankOrderCase{"MarkedAcesStayFirstByTheirRank", "Ks Ac A*h 2s A*d", 4, "A*h A*d 2s Ac Ks",
                      0},
        RankOrderCase{"WithinARankSpadesHeartsClubsDiamonds", "5d 5s 5c 5h 3d 3s", 0,
                      "5s 5h 5c 5d 3s 3d", 0},
        RankOrderCase{"AFullHand", "3 4 5 6 7 8 9 10 J Q K A 2", 2,
                      "As 2s Ks Qs Js 10s 9s 8s 7s 6s 5s 4s 3s", 1},
        RankOrderCase{"AnEmptyHand", "", 4, "", 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HandGroupOrder, TheServersByteWeighsMostThenRankThenSuit) {
    std::vector<std::int32_t> cards = Hand("3s Kh 2d Qc 7s");
    cards[0] |= 2 << 16;  // 3s and 7s in the higher group
    cards[4] |= 2 << 16;
    cards[3] |= 1 << 16;  // Qc in the middle one
    const auto before = cards;
    const cards::SlotMoves moves = cards::SortByGroup(cards);
    EXPECT_EQ(Names(cards), "7s 3s Qc 2d Kh");
    const std::vector<int> from(moves.from.begin(), moves.from.begin() + 5);
    EXPECT_EQ(from, (std::vector<int>{4, 0, 3, 2, 1}));
    for (std::size_t k = 0; k < cards.size(); ++k) EXPECT_EQ(cards[k], before[moves.from[k]]);
    EXPECT_EQ(moves.markedAceCount, 0);
}

TEST(HandGroupOrder, MovesNoAceUntilItCarriesTheMarkedRank) {
    std::vector<std::int32_t> unmarked = Hand("Kd Ac Ah 2s");
    EXPECT_EQ(cards::SortByGroup(unmarked).markedAceCount, 0);
    EXPECT_EQ(Names(unmarked), "2s Ah Ac Kd");
    std::vector<std::int32_t> marked = Hand("Kd Ac A*h 2s");
    cards::SortByGroup(marked);
    EXPECT_EQ(Names(marked), "A*h 2s Ac Kd");
}

TEST(HandGroupOrder, SortsAFullHand) {
    std::vector<std::int32_t> cards = Hand("3 4 5 6 7 8 9 10 J Q K A 2");
    cards::SortByGroup(cards);
    EXPECT_EQ(Names(cards), "2s As Ks Qs Js 10s 9s 8s 7s 6s 5s 4s 3s");
}

TEST(HandSortBits, BothOrdersClearTheLowServerBitsOfFivesTensAndKings) {
    std::vector<std::int32_t> cards = Hand("K Q 10 5 4 A*");
    for (auto& card : cards) card |= 0x5F << 16;
    cards::ClearServerBitsOfCountingRanks(cards);
    std::vector<int> server;
    for (const auto card : cards) server.push_back((card >> 16) & 0xFF);
    EXPECT_EQ(server, (std::vector<int>{0x50, 0x5F, 0x50, 0x50, 0x5F, 0x5F}));
    EXPECT_EQ(Names(cards), "Ks Qs 10s 5s 4s A*s") << "rank, suit and id stay";
    for (std::size_t k = 0; k < cards.size(); ++k) EXPECT_EQ(cards[k] >> 24, int(k));
}

TEST(HandSortLimits, AHandOfMoreThanThirteenCardsIsARunTimeFailure) {
    std::vector<std::int32_t> cards = Hand("3 3 3 3 4 4 4 4 5 5 5 5 6 6");
    EXPECT_THROW(cards::SortByRank(cards, 4), platform::RuntimeFailure);
    EXPECT_THROW(cards::SortByGroup(cards), platform::RuntimeFailure);
}

}  // namespace
