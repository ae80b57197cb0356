// The server's declaration prompt: every set the game offers as a row of buttons at both screen
// scales, the default the time-out clicks and what reaches the server, and a set the client
// does not know, which must answer nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dealing_fixture.h"

namespace dispatch_test {
namespace {

struct Button {
    std::int16_t kind;
    float designX;
};

struct PromptCase {
    std::string name;
    std::uint16_t allowed;
    std::vector<Button> buttons;
    int defaultBid;              // 4: none
    std::uint16_t timeoutSends;  // 0: nothing
};

// Kinds: 2 Chuai, 3 Ceng, 4 PingDa, 5 FanChuai, 6 GenChuai, 7 ShuaiPai, 8 BaoDa, 9 pass.
const PromptCase kPrompts[] = {
    {"PassOrChuai", 0x005, {{2, 440}, {9, 520}}, 1, 0x001},
    {"PassOrCeng", 0x009, {{3, 440}, {9, 520}}, 1, 0x001},
    {"ChuaiOrPingDa", 0x014, {{2, 440}, {4, 520}}, 1, 0x010},
    {"FanChuaiOrPingDa", 0x030, {{5, 440}, {4, 520}}, 1, 0x010},
    {"ShuaiPaiOrPingDa", 0x090, {{7, 440}, {4, 520}}, 1, 0x010},
    {"FanChuaiShuaiPaiOrPingDa", 0x0B0, {{5, 400}, {7, 480}, {4, 560}}, 2, 0x010},
    {"GenChuaiOrShuaiPai", 0x0C0, {{6, 440}, {7, 520}}, 0, 0x040},
    {"BaoDaChuaiShuaiPaiOrPingDa", 0x194, {{8, 360}, {2, 440}, {7, 520}, {4, 600}}, 3, 0x010},
    {"UnknownSetPassChuaiPingDa", 0x015, {}, 4, 0},
};

struct PromptAtScale {
    PromptCase prompt;
    float scale;
};

std::vector<PromptAtScale> AllPrompts() {
    std::vector<PromptAtScale> all;
    for (const float scale : {1.0f, 0.78125f}) {
        for (const auto& prompt : kPrompts) all.push_back({prompt, scale});
    }
    return all;
}

class DeclarePrompt : public SeatedLoopback, public ::testing::WithParamInterface<PromptAtScale> {};

TEST_P(DeclarePrompt, ShowsTheRowAndTheTimeOutSendsTheDefault) {
    const auto& [prompt, scale] = GetParam();
    c->s.g_fScaleX = scale;
    c->s.g_fScaleY = scale;
    // An earlier prompt answered by the player: its row and default must not carry over.
    deliver(support::BuildDeclarePrompt({.seat = kOwnFlag, .allowed = 0x194}));
    form().btnJiaofen_Click(0);
    ASSERT_EQ(sent(1).size(), 1u);
    server.clearFrames();

    c->s.g_nTurnSeconds = 25;  // as a login answer may have set it
    deliver(support::BuildDeclarePrompt({.seat = kOwnFlag, .allowed = prompt.allowed}));
    EXPECT_EQ(c->s.g_nTurnSeconds, 10);
    EXPECT_TRUE(form().Time_Img.visible());
    EXPECT_EQ(form().Number.caption(), "10");
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        forms::Image& button = form().btnJiaofen[i];
        const bool shown = std::size_t(i) < prompt.buttons.size();
        EXPECT_EQ(button.visible(), shown);
        EXPECT_EQ(button.enabled(), shown);
        if (!shown) continue;
        const Button& expected = prompt.buttons[std::size_t(i)];
        EXPECT_EQ(c->s.g_aJiaofenKind[std::size_t(i)], expected.kind);
        EXPECT_EQ(button.left(), RoundedLeft(expected.designX, scale));
        EXPECT_TRUE(Shows(button, 430 + 2 * (expected.kind - 1)));
    }
    EXPECT_EQ(c->s.g_nDefaultBid, prompt.defaultBid);

    runOutCountdown();
    const auto frames = sent(prompt.timeoutSends ? 1 : 0);
    if (prompt.timeoutSends == 0) {
        EXPECT_TRUE(frames.empty());
    } else {
        ASSERT_EQ(frames.size(), 1u);
        EXPECT_EQ(frames[0], support::BuildDeclare(kOwnFlag, prompt.timeoutSends));
    }
    EXPECT_FALSE(form().Time_Img.visible());
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(form().btnJiaofen[i].visible());
}

INSTANTIATE_TEST_SUITE_P(Sets, DeclarePrompt, ::testing::ValuesIn(AllPrompts()),
                         [](const ::testing::TestParamInfo<PromptAtScale>& info) {
                             return info.param.prompt.name +
                                    (info.param.scale == 1.0f ? "FullScale" : "SmallScale");
                         });

using DeclarePromptSeats = SeatedDispatchTest;

TEST_F(DeclarePromptSeats, APromptForAnotherSeatTouchesNothing) {
    c.s.channels.arm(state::ChannelReadyClock);
    dispatch(support::BuildDeclarePrompt({.seat = SeatFlagOf(2), .allowed = 0x005}));
    EXPECT_TRUE(c.s.channels.check[state::ChannelReadyClock]);
    EXPECT_FALSE(c.s.g_bBidClock);
    EXPECT_FALSE(form().btnJiaofen[0].visible());
}

TEST_F(DeclarePromptSeats, AnAllowedSetOutOfTheSignedRangeFailsAfterTheClockStarted) {
    dispatch(support::BuildDeclarePrompt({.seat = kOwnFlag, .allowed = 0x8005}));
    EXPECT_EQ(hallCommands(),
              std::vector<platform::SystemCommand>{platform::SystemCommand::Restore});
    EXPECT_TRUE(c.s.g_bBidClock);
    EXPECT_FALSE(form().btnJiaofen[0].visible());
}

}  // namespace
}  // namespace dispatch_test
