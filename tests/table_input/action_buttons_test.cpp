// The action buttons as the player clicks them: what reaches the server and what the table
// shows afterwards.
#include "connection/resource_pictures.h"
#include "hand_table.h"
#include "support/resource_images.h"

namespace table_input {
namespace {

using card_notation::Card;
using forms::testing::click;
using enum cards::PatternType;

constexpr int kPlay = 0, kHint = 1, kPass = 2, kOrder = 3, kPrevTrick = 4, kReselect = 5;

class ActionButtons : public HandTable {
  protected:
    void SetUp() override {
        HandTable::SetUp();
        deal("3 3 5 7 9 9 J K");
        for (int k = 0; k <= 5; ++k) {
            form().Operation[k].setVisible(true);
            form().Operation[k].setEnabled(true);
        }
        form().Number.setVisible(true);
        form().Time_Img.setVisible(true);
        s().channels.arm(state::ChannelTurnClock);
        s().g_nCountdown = 4;
        s().g_nTurnSeconds = 15;
    }
    void press(int button) { click(form().Operation[button]); }
    bool showsPicture(const forms::Image& image, int id) {
        return image.picture().image() == support::decodedResource(id);
    }
    void expectTurnOver() {
        EXPECT_FALSE(form().Number.visible());
        EXPECT_FALSE(form().Time_Img.visible());
        EXPECT_FALSE(s().channels.check[state::ChannelTurnClock]);
        for (int k = 0; k <= 2; ++k) {
            SCOPED_TRACE(k);
            EXPECT_FALSE(form().Operation[k].visible());
            EXPECT_FALSE(form().Operation[k].enabled());
            EXPECT_TRUE(showsPicture(form().Operation[k], 178 + 3 * k));
        }
    }
};

TEST_F(ActionButtons, PassSendsThePassFrameAndClosesTheTurn) {
    turn(PatternSingle, 1, {Card(10, 8)});
    card(3).setTop(rest() - 20);
    s().NumSumClickUp = 1;
    s().g_nTimeoutCount = 2;
    press(kPass);

    const auto frames = sent(1);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0], passFrame());
    EXPECT_TRUE(s().g_bPassed);
    EXPECT_FALSE(s().g_bCanPlay);
    EXPECT_EQ(s().NumSumClickUp, 0);
    EXPECT_EQ(s().g_nTimeoutCount, 0);
    EXPECT_EQ(s().g_nCountdown, 15);
    EXPECT_EQ(raised(), "");
    EXPECT_TRUE(lastEffect().endsWith("sys080.wav"));
    expectTurnOver();
}

TEST_F(ActionButtons, PassWhileTheTurnIsClosedOnlyStopsTheClock) {
    press(kPass);
    EXPECT_EQ(s().g_nCountdown, 15);
    EXPECT_FALSE(s().channels.check[state::ChannelTurnClock]);
    EXPECT_FALSE(form().Number.visible());
    EXPECT_FALSE(s().g_bPassed);
    EXPECT_TRUE(form().Operation[kPass].visible());
    EXPECT_TRUE(sent(0).empty());
}

TEST_F(ActionButtons, HintWhileLeadingRaisesTheLowestGroupAndNeverPasses) {
    turn();
    card(6).setTop(rest() - 24);
    press(kHint);
    EXPECT_EQ(raised(), "0 1");
    EXPECT_EQ(card(0).top(), rest() - 20);
    EXPECT_EQ(s().NumSumClickUp, 0);
    EXPECT_TRUE(lastEffect().endsWith("sys110.wav"));
    EXPECT_TRUE(sent(0).empty());
}

TEST_F(ActionButtons, HintAgainstAPlayKeepsTheCountOfThePlayToBeat) {
    turn(PatternPair, 2, {Card(5, 8), Card(5, 4)});
    press(kHint);
    EXPECT_EQ(raised(), "4 5");
    EXPECT_EQ(s().NumSumClickUp, 2);
    EXPECT_TRUE(s().hint.g_bHintPlayed);
}

TEST_F(ActionButtons, HintThatMovedOnToTheBombsKeepsTheBombsLength) {
    deal("3 3 5 9 9 9 J K");
    turn(PatternPair, 2, {Card(5, 8), Card(5, 4)});
    s().hint.g_nHintType = std::int16_t(PatternTriple);
    s().hint.g_nHintLen = 3;
    press(kHint);
    EXPECT_EQ(raised(), "3 4 5");
    EXPECT_EQ(s().NumSumClickUp, 3);
}

TEST_F(ActionButtons, HintWithNothingToBeatThePlayPasses) {
    turn(PatternPair, 2, {Card(15, 8), Card(15, 4)});
    press(kHint);
    const auto frames = sent(1);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0], passFrame());
    expectTurnOver();
}

TEST_F(ActionButtons, PlayHandsTheRaisedCardsToThePlay) {
    turn();
    s().g_nTimeoutCount = 1;
    card(2).setTop(rest() - 24);
    press(kPlay);
    ASSERT_EQ(Calls().plays.size(), 1u);
    EXPECT_EQ(Calls().plays[0], 1ul << 2);
    EXPECT_EQ(s().g_nTimeoutCount, 0);
}

TEST_F(ActionButtons, PlayHintAndPassDoNothingBeforeTheLogin) {
    turn();
    s().g_bLoggedIn = false;
    for (int button : {kPlay, kHint, kPass}) press(button);
    EXPECT_TRUE(Calls().plays.empty());
    EXPECT_EQ(raised(), "");
    EXPECT_TRUE(s().channels.check[state::ChannelTurnClock]);
    EXPECT_TRUE(sent(0).empty());
}

TEST_F(ActionButtons, ReselectPutsEveryRaisedCardBack) {
    card(1).setTop(rest() - 20);
    card(4).setTop(rest() - 24);
    s().NumSumClickUp = 2;
    press(kReselect);
    EXPECT_EQ(raised(), "");
    EXPECT_EQ(s().NumSumClickUp, 0);
}

TEST_F(ActionButtons, HandOrderSwitchesOnlyWhileAGameRuns) {
    deal("K 3 9 3");
    s().g_bSortByGroup = true;
    press(kOrder);
    EXPECT_TRUE(s().g_bSortByGroup) << "no game runs yet";

    s().g_bGameRunning = true;
    press(kOrder);
    EXPECT_FALSE(s().g_bSortByGroup);
    EXPECT_EQ((s().custom[0].slots[0].card >> 8) & 255, 13) << "rank order: the king first";
    press(kOrder);
    EXPECT_TRUE(s().g_bSortByGroup);
}

}  // namespace
}  // namespace table_input
