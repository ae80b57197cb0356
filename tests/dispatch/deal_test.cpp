// A whole deal over loopback on virtual time: three batches into the local hand, the ace offer
// answered by the player, by the time-out or passed at once, the group declaration, the
// acknowledgement of the last batch and the hall told that a hand started.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "connection/hall_link.h"
#include "dealing_fixture.h"

namespace dispatch_test {
namespace {

enum class AceAnswer { Player, TimeOut, AutoPass };

struct DealCase {
    std::string name;
    std::array<std::int32_t, 3> offers;
    std::uint8_t mayDeclare;
    AceAnswer answer;
    int optionImages;    // offered aces shown to click
    int buttons;         // declaration buttons shown
    state::Frame sends;  // the answer to the ace offer
};

const std::int32_t kAceOfHearts = Card(Hearts, Ace, 60);
const std::int32_t kAceOfSpades = Card(Spades, Ace, 61);
const std::int32_t kKingOfClubs = Card(Clubs, 13, 62);
const std::int32_t kNineOfDiamonds = Card(Diamonds, 9, 63);

const DealCase kDeals[] = {
    {"OneAceDeclaredByThePlayer",
     {kAceOfHearts, kKingOfClubs, kNineOfDiamonds},
     1,
     AceAnswer::Player,
     0,
     2,
     support::BuildDeclare(kOwnFlag, 0x002, {kAceOfHearts, 0, 0, 0})},
    {"TwoAcesPassedByTheTimeOut",
     {kAceOfSpades, kAceOfHearts, kKingOfClubs},
     1,
     AceAnswer::TimeOut,
     2,
     1,
     support::BuildDeclare(kOwnFlag, 0x001)},
    {"NoOfferPassedAtOnce",
     {kAceOfSpades, kAceOfHearts, kKingOfClubs},
     0,
     AceAnswer::AutoPass,
     0,
     0,
     support::BuildDeclare(kOwnFlag, 0x001)},
};

class Deal : public SeatedLoopback, public ::testing::WithParamInterface<DealCase> {
  protected:
    void expectHandBacks(int cards) {
        for (int e = 0; e < 3; ++e) {
            EXPECT_TRUE(form().shanImage[e].visible()) << e;
            EXPECT_TRUE(Shows(form().shanImage[e], 900 + 30 * e + cards - 1)) << e;
        }
    }
    int shownOptions() {
        int n = 0;
        for (int k = 0; k < 6; ++k) n += form().xuan_img[k].visible() ? 1 : 0;
        return n;
    }
};

TEST_P(Deal, ThreeBatchesFillTheHandAndAnswerEveryOffer) {
    const DealCase& deal = GetParam();
    deliver(support::BuildDeal({.seat = kOwnFlag,
                                .dealPhase = 1,
                                .cards = Cards(5, 0),
                                .mayDeclare = deal.mayDeclare,
                                .offers = deal.offers,
                                .threadIndex = 0x12345678}));
    EXPECT_EQ(c->s.threadIndex, 0x12345678);
    EXPECT_EQ(c->s.custom[0].count, 5);
    EXPECT_EQ(harness.desktop.posts(harness.hall).back().message, connection::HallMsgHandStarted);
    EXPECT_EQ(form().lblfanshu.caption(), "1");
    EXPECT_TRUE(form().lblfanshu.visible());
    expectHandBacks(5);
    EXPECT_EQ(form().Time_Img.visible(), deal.answer != AceAnswer::AutoPass);
    EXPECT_EQ(shownOptions(), deal.optionImages);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(form().btnJiaofen[i].visible(), i < deal.buttons) << i;

    if (deal.answer == AceAnswer::Player) form().btnJiaofen_Click(0);
    if (deal.answer == AceAnswer::TimeOut) runOutCountdown();
    auto frames = sent(1);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0], deal.sends);
    server.clearFrames();

    // The middle batch offers the group; the player declares it.
    const std::array<std::int32_t, 4> group{Card(Clubs, 7, 70), Card(Hearts, 7, 71),
                                            Card(Spades, 7, 72), 0};
    deliver(support::BuildDeal(
        {.seat = kOwnFlag, .dealPhase = 2, .cards = Cards(4, 5), .mayDeclare = 1, .group = group}));
    EXPECT_EQ(c->s.custom[0].count, 9);
    expectHandBacks(9);
    EXPECT_EQ(c->s.g_nGroupSize, 3);
    EXPECT_EQ(c->s.g_aJiaofenKind[0], 2);
    EXPECT_EQ(form().btnJiaofen[0].left(), 440);
    EXPECT_TRUE(form().btnJiaofen[1].visible());
    form().btnJiaofen_Click(0);
    frames = sent(1);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0], support::BuildDeclare(kOwnFlag, 0x004, group));
    server.clearFrames();

    // The last batch under the called ace, then the acknowledgement.
    deliver(support::BuildDeal(
        {.seat = kOwnFlag, .dealPhase = 3, .cards = Cards(4, 9), .calledSuit = 0x14}));
    // The called suit's ace (hearts) stood beside the hand during the batch and is gone now.
    EXPECT_TRUE(Shows(form().xuan_img[4], 2 * 16 + Ace));
    EXPECT_EQ(form().xuan_img[4].left(), 886 * c->s.g_fScaleX);
    frames = sent(1);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0], support::BuildDealDone(kOwnFlag));
    EXPECT_EQ(shownOptions(), 0);
    for (int r = 0; r < 4; ++r) EXPECT_EQ(c->s.custom[std::size_t(r)].count, 13) << r;
    EXPECT_EQ(c->s.g_nDealtCards, 0);
    EXPECT_FALSE(c->s.g_bCanPlay);
    expectHandBacks(13);
}

INSTANTIATE_TEST_SUITE_P(AceOffers, Deal, ::testing::ValuesIn(kDeals),
                         [](const auto& info) { return info.param.name; });

using DealOffers = SeatedLoopback;

// An offer whose first card is no ace offers nothing, even after a hand that offered one: no
// button, and the countdown runs out without an answer.
TEST_F(DealOffers, AnOfferWithoutALeadingAceShowsNothingAndSendsNothing) {
    c->s.g_nAceCount = 1;
    deliver(support::BuildDeal({.seat = kOwnFlag,
                                .dealPhase = 1,
                                .cards = Cards(5, 0),
                                .mayDeclare = 1,
                                .offers = {kAceOfHearts, kKingOfClubs, kAceOfSpades}}));
    EXPECT_EQ(c->s.g_nAceCount, 0);
    EXPECT_TRUE(form().Time_Img.visible());
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(form().btnJiaofen[i].visible()) << i;
    runOutCountdown();
    EXPECT_TRUE(sent(0).empty());
}

TEST_F(DealOffers, AMiddleBatchThatMayNotDeclarePassesAtOnce) {
    deliver(support::BuildDeal({.seat = kOwnFlag, .dealPhase = 1, .cards = Cards(5, 0)}));
    ASSERT_EQ(sent(1).size(), 1u);
    server.clearFrames();
    deliver(support::BuildDeal({.seat = kOwnFlag, .dealPhase = 2, .cards = Cards(4, 5)}));
    const auto frames = sent(1);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0], support::BuildDeclare(kOwnFlag, 0x001));
    EXPECT_FALSE(form().Time_Img.visible());
}

}  // namespace
}  // namespace dispatch_test
