// The settlement over loopback on virtual time: the fake game server sends the hand's result
// frames, the table tick hands them to the dispatcher and the settlement runs.
#include <gtest/gtest.h>

#include <filesystem>

#include "client/client.h"
#include "client/main_form.h"
#include "settlement/hero_window.h"
#include "settlement/score_window.h"
#include "support/loopback_table.h"
#include "support/server_frames.h"

namespace settlement_test {
namespace {

class SettlementEndToEnd : public ::testing::Test, protected support::LoopbackTable {
  protected:
    void SetUp() override {
        start();
        deliver(support::BuildLoginReply({.loginResult = 1}));
        // Seated as flag 1; the seating frames come with their own handler.
        c->s.custom[0].seat = 1;
        for (auto& info : c->s.g_aPlayerInfo) info.gold = 1000;
    }

    static state::Frame resultOf(std::uint8_t flag, bool won, std::uint64_t amount) {
        return support::BuildHandResult({.seat = flag,
                                         .baseGold = 100,
                                         .place = std::uint8_t(won ? 1 : 4),
                                         .totalSign = std::uint8_t(won ? 1 : 0),
                                         .totalAmount = amount,
                                         .finalSign = std::uint8_t(won ? 1 : 0),
                                         .finalAmount = amount});
    }
};

TEST_F(SettlementEndToEnd, FourResultFramesSettleTheHandAndArmTheNextHandClock) {
    // An interrupted hand: two frames, then the table logs in again.
    deliver(resultOf(2, false, 999));
    deliver(resultOf(1, true, 999));
    deliver(support::BuildLoginReply({.loginResult = 1}));

    deliver(resultOf(2, false, 200));
    deliver(resultOf(1, true, 300));
    deliver(resultOf(8, false, 200));
    EXPECT_FALSE(c->Score->visible());
    deliver(resultOf(4, true, 100));

    auto& score = *c->Score;
    auto& table = *c->MainForm;
    EXPECT_TRUE(score.visible());
    EXPECT_EQ(score.left(), table.left() + (table.width() - score.width()) / 2);
    EXPECT_EQ(score.State[4].items(), QStringList{"最终分：300金币"});
    EXPECT_EQ(c->s.g_aPlayerInfo[0].gold, 1300);
    EXPECT_EQ(c->s.g_aPlayerInfo[1].gold, 800);
    EXPECT_EQ(c->Hero->Grade[3].items(), QStringList{"-200"});
    EXPECT_EQ(c->Hero->sunScore[0].caption(), "300");
    EXPECT_TRUE(std::filesystem::exists(harness.env.programFolder / "info.brm"));
    // The next-hand clock is armed with 15 seconds; the table clocks take its first second at
    // their first step.
    EXPECT_TRUE(c->s.channels.check[state::ChannelReadyClock]);
    EXPECT_GE(c->s.g_nCountdown, 14);
    EXPECT_LE(c->s.g_nCountdown, 15);
}

}  // namespace
}  // namespace settlement_test
