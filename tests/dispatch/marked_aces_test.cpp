// The marked aces frame (the colour, its holders' seats, their aces at the seats, the local
// hand re-sorted) and the badge frame, through the dispatcher on a dealt table; and the marked
// aces of the local hand taking rank 16 at the first turn, however the hand order was switched
// in between.
#include <gtest/gtest.h>

#include "cards/card_value.h"
#include "hand_table.h"

namespace dispatch_test {
namespace {

using support::BuildBaoShuai;
using support::BuildMarkedAces;
using support::BuildTurn;

// Both red aces in the hand, and the black ones too.
const std::vector<std::string> kHand = {"3d", "9s", "Ad", "8c",  "Ah", "7d", "Qs",
                                        "2h", "Jc", "As", "10d", "Ac", "6c"};

class MarkedAces : public ::testing::Test {
  protected:
    void SetUp() override { table.dealHand(kHand); }
    HandTable table;
    client::Client& c = table.c;
    client::MainForm& form = table.form;
};

struct HolderCase {
    const char* name;
    std::uint8_t holder1, suit1, holder2, suit2;
    std::array<std::int16_t, 2> markedSeats;
    std::array<bool, 4> shown;  // shou(0..3)
};

class MarkedAceHolders : public MarkedAces, public ::testing::WithParamInterface<HolderCase> {};

TEST_P(MarkedAceHolders, RecordTheSeatsAndShowTheAces) {
    const HolderCase& k = GetParam();
    form.cardImage2[5].setVisible(true);  // a declaration's card at the opposite seat
    c.s.g_aMarkedSeats = {7, 7, 0};
    table.dispatch(BuildMarkedAces({.colourMask = 4,
                                    .holder1 = k.holder1,
                                    .suit1 = k.suit1,
                                    .holder2 = k.holder2,
                                    .suit2 = k.suit2}));
    ASSERT_FALSE(table.hallRestored());
    EXPECT_EQ(c.s.g_aMarkedSeats[0], k.markedSeats[0]);
    EXPECT_EQ(c.s.g_aMarkedSeats[1], k.markedSeats[1]);
    for (int s = 0; s < 4; ++s) EXPECT_EQ(form.shou[s].visible(), k.shown[std::size_t(s)]) << s;
    EXPECT_FALSE(form.cardImage2[5].visible());
    EXPECT_EQ(c.s.g_nMarkedAceColour, 4);
    EXPECT_EQ(c.s.g_nMarkedAceCount, 2);
}

INSTANTIATE_TEST_SUITE_P(
    Frame, MarkedAceHolders,
    ::testing::Values(
        HolderCase{"TwoHolders", 2, 1, 8, 4, {1, 3}, {false, true, false, true}},
        HolderCase{"OneHolderRightSeat", 8, 8, 0, 0, {3, 5}, {true, false, false, true}},
        HolderCase{"OneHolderLocal", 1, 4, 0, 0, {0, 5}, {true, true, false, false}},
        HolderCase{"OnlySecondHolderNamed", 0, 0, 4, 1, {0, 0}, {false, false, true, true}},
        HolderCase{"NoHolder", 0, 0, 0, 0, {0, 0}, {false, false, false, false}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MarkedAces, OneHolderBorrowsTheNextSeatsImageForThePartnerAce) {
    table.dispatch(BuildMarkedAces({.colourMask = 8, .holder1 = 8, .suit1 = 8}));
    const forms::Image& own = form.shou[3];
    const forms::Image& partner = form.shou[0];
    EXPECT_FLOAT_EQ(partner.left(), own.left() + own.width() * 0.25f);
    EXPECT_FLOAT_EQ(partner.top(), own.top());
    // The next hand puts it back at its own place.
    table::ResetTableForNewHand(c);
    EXPECT_FLOAT_EQ(form.shou[0].left(), 128);
    EXPECT_FLOAT_EQ(form.shou[0].top(), 576);
}

TEST_F(MarkedAces, ColourMasksSelectTheTwoAcesOfAColour) {
    struct Case {
        std::uint8_t colourMask;
        std::int16_t count;
        int colourSuits;  // the suit masks of the colour's two aces, or-ed
    };
    for (const Case& k : {Case{1, 2, 5}, Case{4, 2, 5}, Case{2, 2, 10}, Case{8, 2, 10},
                          Case{0, 0, 0}, Case{3, 0, 0}}) {
        SCOPED_TRACE(int(k.colourMask));
        table.dispatch(BuildMarkedAces({.colourMask = k.colourMask, .holder1 = 1, .suit1 = 1}));
        EXPECT_EQ(c.s.g_nMarkedAceCount, k.count);
        EXPECT_TRUE(form.shou[0].visible()) << "the holder's ace shows whatever the colour";
        for (int i = 0; i < k.count; ++i) {
            EXPECT_EQ(cards::CardRank(c.s.custom[0].slots[std::size_t(i)].card), cards::RankAce);
            EXPECT_NE(cards::CardSuit(c.s.custom[0].slots[std::size_t(i)].card) & k.colourSuits, 0);
        }
    }
}

// The hand-order button works from the deal on, so the player may switch the order between
// the announcement and the first turn: the aces that take rank 16 are the ones announced.
class MarkedAcesAtTheFirstTurn : public MarkedAces, public ::testing::WithParamInterface<int> {};

TEST_P(MarkedAcesAtTheFirstTurn, AreTheAnnouncedAcesWhateverTheOrder) {
    table.dispatch(BuildMarkedAces({.colourMask = 4, .holder1 = 1, .suit1 = 4}));
    for (int press = 0; press < GetParam(); ++press) form.Operation_Click(3);
    const std::vector<std::int32_t> before = table.handValues();

    table.dispatch(BuildTurn({.seat = 1, .nextSeat = 1, .turnKind = 1}));
    const std::vector<std::int32_t> after = table.handValues();
    int raised = 0;
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (after[i] == before[i]) continue;
        ++raised;
        EXPECT_EQ(cards::CardRank(before[i]), cards::RankAce);
        EXPECT_TRUE(cards::CardSuit(before[i]) == 1 || cards::CardSuit(before[i]) == 4);
        EXPECT_EQ(cards::CardRank(after[i]), cards::RankMarkedAce);
        EXPECT_EQ(cards::CardSuit(after[i]), cards::CardSuit(before[i]));
        EXPECT_EQ(cards::CardId(after[i]), cards::CardId(before[i]));
    }
    EXPECT_EQ(raised, 2);

    // Once per hand: a later turn and a later announcement change nothing more.
    table.dispatch(BuildMarkedAces({.colourMask = 2, .holder1 = 1, .suit1 = 2}));
    const std::vector<std::int32_t> resorted = table.handValues();
    table.dispatch(BuildTurn({.seat = 2, .nextSeat = 1, .turnKind = 4}));
    EXPECT_EQ(table.handValues(), resorted);
}

INSTANTIATE_TEST_SUITE_P(Turn, MarkedAcesAtTheFirstTurn, ::testing::Values(0, 1, 2),
                         [](const auto& info) {
                             return "OrderSwitched" + std::to_string(info.param) + "Times";
                         });

TEST_F(MarkedAces, WithoutMarkedAcesTheFirstTurnChangesNoCard) {
    const std::vector<std::int32_t> before = table.handValues();
    table.dispatch(BuildTurn({.seat = 1, .nextSeat = 1, .turnKind = 1}));
    EXPECT_EQ(table.handValues(), before);
    EXPECT_TRUE(c.s.g_bAcesMarked);
}

struct BadgeCase {
    const char* name;
    std::uint8_t badgeCount, badge, seat1, seat2;
    std::array<bool, 4> shown;
};

class Badges : public MarkedAces, public ::testing::WithParamInterface<BadgeCase> {};

TEST_P(Badges, ShowAtTheirSeats) {
    const BadgeCase& k = GetParam();
    table.dispatch(BuildBaoShuai(
        {.badgeCount = k.badgeCount, .badge = k.badge, .seat1 = k.seat1, .seat2 = k.seat2}));
    ASSERT_FALSE(table.hallRestored());
    for (int s = 0; s < 4; ++s)
        EXPECT_EQ(form.Img_bao_shuai[s].visible(), k.shown[std::size_t(s)]) << s;
}

INSTANTIATE_TEST_SUITE_P(
    Frame, Badges,
    ::testing::Values(BadgeCase{"OneSeatIgnoresTheSecond", 1, 1, 2, 8, {false, true, false, false}},
                      BadgeCase{"TwoSeats", 2, 2, 1, 4, {true, false, true, false}},
                      BadgeCase{"TwoSeatsTheSame", 2, 1, 8, 8, {false, false, false, true}},
                      BadgeCase{"CountZero", 0, 1, 2, 4, {false, false, false, false}},
                      BadgeCase{"CountThree", 3, 1, 2, 4, {false, false, false, false}},
                      BadgeCase{"BadgeZero", 1, 0, 2, 4, {false, false, false, false}},
                      BadgeCase{"BadgeThree", 2, 3, 2, 4, {false, false, false, false}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace dispatch_test
