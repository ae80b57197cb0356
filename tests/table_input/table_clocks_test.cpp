// The table clocks on virtual time: each second of the turn clock, the time-outs and what they
// do for the player, the declaration countdown, the next-hand clock and a clock armed late.
#include <algorithm>

#include "hand_table.h"
#include "platform/sound/recording_sound_device.h"

namespace table_input {
namespace {

using card_notation::Card;
using enum cards::PatternType;

constexpr forms::OleColor kRed = 255;
constexpr forms::OleColor kGreen = 65280;

class TableClocks : public HandTable {
  protected:
    void SetUp() override {
        HandTable::SetUp();
        deal("3 3 5 7 9 9 J K");
        // Start on a whole second after the last tick, so that seconds and ticks line up.
        table.ticks(1);
    }
    void armTurn(std::int16_t seconds) {
        s().g_nCountdown = seconds;
        form().Number.setVisible(true);
        form().Time_Img.setVisible(true);
        s().channels.arm(state::ChannelTurnClock);
    }
    void seconds(int n) { table.ticks(20 * n); }
    int warnings() {
        const auto& calls = table.harness.soundDevice.calls();
        return int(std::count_if(calls.begin(), calls.end(), [](const auto& call) {
            return call.call == platform::SoundCall::CreateBuffer &&
                   call.file.filename() == "tishi.wav";
        }));
    }
};

TEST_F(TableClocks, TheTurnClockCountsDownGreenThenRedWithTheWarningAndPassesAtZero) {
    ASSERT_TRUE(c().soundState.g_bSoundOn);
    s().g_nTurnSeconds = 15;
    turn(PatternSingle, 1, {Card(14, 8)});
    armTurn(8);
    struct Second {
        const char* caption;
        forms::OleColor colour;
        int warnings;
    };
    const Second expected[] = {{"7", kGreen, 0}, {"6", kGreen, 0}, {"5", kRed, 1}, {"4", kRed, 2},
                               {"3", kRed, 3},   {"2", kRed, 4},   {"1", kRed, 5}, {"0", kRed, 6}};
    for (const Second& second : expected) {
        SCOPED_TRACE(second.caption);
        table.ticks(1);
        EXPECT_EQ(form().Number.caption(), QString::fromLatin1(second.caption));
        EXPECT_EQ(form().Number.foreColor(), second.colour);
        EXPECT_EQ(warnings(), second.warnings);
        EXPECT_TRUE(form().Number.visible());
        table.ticks(19);
    }
    table.ticks(1);  // the next second: the turn times out
    EXPECT_FALSE(form().Number.visible());
    EXPECT_FALSE(form().Time_Img.visible());
    EXPECT_FALSE(s().g_bTurnOpen);
    EXPECT_FALSE(s().channels.check[state::ChannelTurnClock]);
    EXPECT_EQ(s().g_nCountdown, 15);
    EXPECT_EQ(s().g_nTimeoutCount, 1);
    for (int k = 0; k <= 2; ++k) EXPECT_FALSE(form().Operation[k].visible()) << k;
    const auto frames = sent(1);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0], passFrame());
}

TEST_F(TableClocks, ATimeOutOnAnotherPlayersTurnOnlyClosesTheClock) {
    armTurn(0);
    table.ticks(1);
    EXPECT_FALSE(form().Number.visible());
    EXPECT_EQ(s().g_nTimeoutCount, 0);
    EXPECT_TRUE(sent(0).empty());
}

TEST_F(TableClocks, ALeadTimeOutPlaysTheLowestGroup) {
    turn();
    s().g_bAutoLead = true;
    card(5).setTop(rest() - 24);
    s().NumSumClickUp = 1;
    armTurn(0);
    table.ticks(1);
    ASSERT_EQ(Calls().plays.size(), 1u);
    EXPECT_EQ(Calls().plays[0], 0b11ul) << "the two 3s, the raised 9 lowered first";
    EXPECT_EQ(s().NumSumClickUp, 0);
    EXPECT_TRUE(sent(0).empty());
}

TEST_F(TableClocks, TheThirdTimeOutPressesTheBossKeyAndAlreadyPlaysTheHint) {
    s().g_nTimeoutLimit = 3;
    for (int timeout = 1; timeout <= 3; ++timeout) {
        SCOPED_TRACE(timeout);
        turn(PatternPair, 2, {Card(5, 8), Card(5, 4)});
        armTurn(0);
        table.ticks(20);
        EXPECT_EQ(s().g_nTimeoutCount, timeout);
    }
    EXPECT_EQ(Calls().bossKeys, 1);
    ASSERT_EQ(Calls().plays.size(), 1u) << "the third time-out plays instead of passing";
    EXPECT_EQ(Calls().plays[0], 0b110000ul) << "the two 9s";
    EXPECT_TRUE(s().hint.g_bHintPlayed);
    EXPECT_EQ(sent(2).size(), 2u) << "the first two time-outs passed";

    // Later time-outs are not counted; with nothing to beat the hint passes, with its sound.
    table.server->clearFrames();
    turn(PatternPair, 2, {Card(15, 8), Card(15, 4)});
    armTurn(0);
    table.ticks(20);
    EXPECT_EQ(s().g_nTimeoutCount, 3);
    EXPECT_EQ(Calls().bossKeys, 1);
    EXPECT_TRUE(s().g_bPassed);
    EXPECT_FALSE(s().g_bCanPlay);
    EXPECT_FALSE(form().Operation[0].enabled());
    EXPECT_TRUE(lastEffect().endsWith("sys080.wav"));
    const auto frames = sent(1);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0], passFrame());
}

struct BidCase {
    const char* name;
    std::int16_t defaultBid;
    std::int16_t kind;
    int sends;
};

class DeclarationCountdown : public TableClocks, public ::testing::WithParamInterface<BidCase> {};

TEST_P(DeclarationCountdown, RunsOutIntoTheDefaultDeclarationOrNothing) {
    for (int k = 0; k <= 3; ++k) form().btnJiaofen[k].setVisible(true);
    s().g_aJiaofenKind[1] = GetParam().kind;
    s().g_nDefaultBid = GetParam().defaultBid;
    s().g_nCountdown = 2;
    s().g_bBidClock = true;
    s().g_nBidTicks = 0;
    seconds(1);
    EXPECT_EQ(form().Number.caption(), "1");
    EXPECT_EQ(form().Number.foreColor(), kRed);
    seconds(1);
    EXPECT_EQ(form().Number.caption(), "0");
    seconds(1);
    for (int k = 0; k <= 3; ++k) EXPECT_FALSE(form().btnJiaofen[k].visible()) << k;
    EXPECT_FALSE(form().Number.visible());
    EXPECT_FALSE(s().g_bBidClock);
    EXPECT_EQ(s().g_nDefaultBid, 4);
    const auto frames = sent(std::size_t(GetParam().sends));
    ASSERT_EQ(frames.size(), std::size_t(GetParam().sends));
    if (GetParam().sends == 1) {
        EXPECT_EQ(frames[0][3], 3);
        EXPECT_EQ(frames[0][9], 0x01) << "the pass declaration";
    }
}

INSTANTIATE_TEST_SUITE_P(Defaults, DeclarationCountdown,
                         ::testing::Values(BidCase{"NoDefault", 4, 9, 0},
                                           BidCase{"DefaultPass", 1, 9, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TableClocks, TheNextHandClockPreparesTheTableSendsReadyAndShowsTheSeatChange) {
    s().Inited = false;
    s().g_bShuffleArmed = true;
    s().g_bRandomSeats = true;
    s().g_nCountdown = 1;
    s().channels.arm(state::ChannelReadyClock);
    table.ticks(1);
    EXPECT_EQ(form().Number.caption(), "0");
    EXPECT_TRUE(sent(0).empty());
    seconds(1);

    EXPECT_TRUE(s().Inited);
    EXPECT_TRUE(s().g_aAnNiuState[2]);
    EXPECT_FALSE(s().channels.check[state::ChannelReadyClock]);
    EXPECT_FALSE(form().Number.visible());
    EXPECT_TRUE(form().ImgShuffle.visible());
    EXPECT_TRUE(form().LblShuffle.visible());
    EXPECT_EQ(form().LblShuffle.caption(), QStringLiteral("正在随机换座中.."));
    EXPECT_TRUE(form().TimerShuffle.enabled());
    EXPECT_EQ(form().TimerShuffle.interval(), 300);
    EXPECT_TRUE(s().g_bShuffling);
    EXPECT_FALSE(s().g_bShuffleArmed);
    const auto frames = sent(1);
    ASSERT_EQ(frames.size(), 1u);
    support::FakeGameServer::Frame ready{};
    ready[3] = 16;
    ready[6] = kOwnSeat;
    ready[15] = 1;
    EXPECT_EQ(frames[0], ready);
}

TEST_F(TableClocks, AClockArmedLongAfterItsLastStepStepsAtTheNextTickThenEverySecond) {
    armTurn(9);
    table.ticks(1);
    s().channels.disarm(state::ChannelTurnClock);
    seconds(30);
    s().channels.arm(state::ChannelTurnClock);
    table.ticks(1);
    EXPECT_EQ(form().Number.caption(), "7");
    table.ticks(19);
    EXPECT_EQ(form().Number.caption(), "7");
    table.ticks(1);
    EXPECT_EQ(form().Number.caption(), "6");
}

TEST_F(TableClocks, NothingStepsWhileNotLoggedIn) {
    s().g_bLoggedIn = false;
    turn(PatternSingle, 1, {Card(14, 8)});
    armTurn(1);
    s().g_bBidClock = true;
    seconds(5);
    EXPECT_EQ(s().g_nCountdown, 1);
    EXPECT_TRUE(s().channels.check[state::ChannelTurnClock]);
    EXPECT_LE(s().g_nBidTicks, 20);
    EXPECT_TRUE(sent(0).empty());
}

}  // namespace
}  // namespace table_input
