// A hand is announced (clock and seat-change area placed, the animation armed or started, the
// wealth multiplier shown), or players are removed for lack of gold.
#include <gtest/gtest.h>

#include "connection/exit_dialogs.h"
#include "seating_fixture.h"
#include "settlement/hero_window.h"
#include "settlement/score_window.h"

namespace dispatch_test {
namespace {

using support::BuildHandStart;
using support::HandStartFrame;

class HandStart : public SeatingTest {
  protected:
    void SetUp() override {
        SeatingTest::SetUp();
        c.s.g_bTimeLimit = true;
        c.s.g_aShuffleText = {QStringLiteral("换座中"), QStringLiteral("."), QStringLiteral(".."),
                              QStringLiteral("...")};
    }
    void start(HandStartFrame fields) { dispatch(BuildHandStart(fields)); }
};

TEST_F(HandStart, PlacesTheClockAndTheSeatChangeAreaBesideTheWealthPicture) {
    form().Imgwealth.setLeft(40);
    form().Imgwealth.setTop(500);
    form().imgfanshu.setVisible(true);
    start({.seatChange = 1});
    EXPECT_FALSE(c.s.g_bTimeLimit);
    EXPECT_TRUE(c.s.g_bRandomSeats);
    EXPECT_TRUE(c.s.g_bShuffleArmed);
    EXPECT_FALSE(c.s.g_bShuffling);
    EXPECT_EQ(form().Time_Img.left(), 40);
    EXPECT_EQ(form().Time_Img.top(), 380);
    EXPECT_EQ(form().Number.left(), 88);
    EXPECT_EQ(form().Number.top(), 385);
    EXPECT_EQ(form().ImgShuffle.left(), 40 + form().Time_Img.width() + 6);
    EXPECT_EQ(form().ImgShuffle.top(), 387);
    EXPECT_EQ(form().LblShuffle.top(), 393);
    EXPECT_EQ(form().WebBrowser2.top(), form().ImgShuffle.top() + form().ImgShuffle.height());
    EXPECT_EQ(form().WebBrowser2.height(), 2 * form().ImgShuffle.height());
    EXPECT_FALSE(form().WebBrowser2.visible());
    EXPECT_FALSE(form().imgfanshu.visible());
    EXPECT_FALSE(form().lblfanshu.visible());
}

TEST_F(HandStart, AShuffleStartsTheSeatChangeAnimationAtOnce) {
    start({.shuffle = 1});
    EXPECT_TRUE(form().ImgShuffle.visible());
    EXPECT_TRUE(form().LblShuffle.visible());
    EXPECT_TRUE(form().TimerShuffle.enabled());
    EXPECT_EQ(form().TimerShuffle.interval(), 300);
    EXPECT_EQ(form().LblShuffle.caption(), QStringLiteral("换座中"));
    EXPECT_TRUE(c.s.g_bShuffling);
    EXPECT_EQ(c.s.g_nShuffleIndex, 0);
}

TEST_F(HandStart, ASecondStartOrASpectatorOnlyRefreshesTheWealth) {
    for (const bool spectator : {false, true}) {
        SCOPED_TRACE(spectator ? "spectator" : "second start");
        c.s.g_bTimeLimit = spectator;
        c.s.g_bSpectator = spectator;
        c.s.g_bRandomSeats = false;
        c.s.g_bShuffleArmed = false;
        form().imgfanshu.setVisible(true);
        c.s.beishu = 1;
        start({.seatChange = 1, .shuffle = 1, .wealth = 4});
        EXPECT_FALSE(c.s.g_bTimeLimit);
        EXPECT_FALSE(c.s.g_bRandomSeats);
        EXPECT_FALSE(c.s.g_bShuffleArmed);
        EXPECT_FALSE(form().TimerShuffle.enabled());
        EXPECT_TRUE(form().imgfanshu.visible());
        EXPECT_EQ(c.s.beishu, 4);
        EXPECT_EQ(form().lbwealth.caption(), QStringLiteral("4"));
    }
}

TEST_F(HandStart, SeatChangeZeroNeverClearsRandomSeats) {
    c.s.g_bRandomSeats = true;
    start({.seatChange = 0});
    EXPECT_TRUE(c.s.g_bRandomSeats);
}

TEST_F(HandStart, WithoutAMultiplierTheWealthBytesAreIgnoredAndTheDisplayHidden) {
    form().lbwealth.setVisible(true);
    form().Imgwealth.setVisible(true);
    start({.wealth = 50});
    EXPECT_EQ(c.s.beishu, 0);
    EXPECT_FALSE(form().lbwealth.visible());
    EXPECT_FALSE(form().Imgwealth.visible());
}

TEST_F(HandStart, PhasesOneAndTwoDoNothing) {
    form().LblShuffle.setVisible(true);
    c.s.g_bShuffleArmed = true;
    for (const std::uint8_t phase : {1, 2}) {
        start({.startPhase = phase, .removedSeats = 1});
        EXPECT_TRUE(form().LblShuffle.visible());
        EXPECT_TRUE(c.s.g_bShuffleArmed);
        EXPECT_TRUE(c.s.g_bTimeLimit);
    }
}

TEST_F(HandStart, AnOverflowingMultiplierFailsAfterThePreparation) {
    c.s.beishu = 5;
    form().lbwealth.setCaption(QStringLiteral("5"));
    state::Frame frame = BuildHandStart({.seatChange = 1});
    frame[19] = 0x80;
    dispatch(frame);
    EXPECT_TRUE(c.s.g_bRandomSeats);  // done before the failure
    EXPECT_EQ(c.s.beishu, 5);
    EXPECT_EQ(form().lbwealth.caption(), QStringLiteral("5"));
    EXPECT_EQ(hallCommands(),
              std::vector<platform::SystemCommand>{platform::SystemCommand::Restore});
}

class GoldCheck : public HandStart {
  protected:
    void SetUp() override {
        HandStart::SetUp();
        seatFour();
        c.s.g_bGameRunning = true;
        form().LblShuffle.setVisible(true);
        c.s.g_bShuffleArmed = true;
    }
    QStringList firstLines() {
        QStringList lines;
        for (int i = 0; i < form().Sysmsg[0].listCount(); ++i) lines << form().Sysmsg[0].list(i);
        return lines;
    }
};

TEST_F(GoldCheck, AnotherPlayersRemovalIsAnnouncedAndTheSeatStays) {
    start({.startPhase = 3, .removedSeats = 4});
    EXPECT_EQ(firstLines(), QStringList{QStringLiteral("玩家across-nick金币不够，退出游戏！")});
    EXPECT_FALSE(c.s.Inited);
    EXPECT_FALSE(c.s.g_bGameRunning);
    EXPECT_FALSE(form().LblShuffle.visible());
    EXPECT_FALSE(c.s.g_bShuffleArmed);
    EXPECT_EQ(c.s.custom[2].name, QStringLiteral("across"));
    EXPECT_FALSE(c.frmOtherExit->visible());
}

TEST_F(GoldCheck, NoSeatInTheLowNibbleAnnouncesNobody) {
    start({.startPhase = 200, .removedSeats = 0xF0});
    EXPECT_EQ(firstLines(), QStringList{QStringLiteral("游戏将在15秒内开始")});
    EXPECT_FALSE(c.s.g_bShuffleArmed);
    EXPECT_TRUE(c.s.g_bGameRunning);
}

struct LocalRemovalCase {
    const char* name;
    std::uint8_t changeRoomSeats;
    const char16_t* text;
};

class LocalRemoval : public GoldCheck, public ::testing::WithParamInterface<LocalRemovalCase> {};

TEST_P(LocalRemoval, ShowsTheSheetAndTheDialogEmptiesTheSeatsAndLeaves) {
    c.s.channels.arm(state::ChannelReadyClock);
    c.s.channels.arm(state::ChannelDisconnect);
    form().TimerKeepAlive.setEnabled(true);
    // The local flag (1) comes before the right-hand player's (8): both are named.
    start({.startPhase = 3, .removedSeats = 1 | 8, .seatChange = GetParam().changeRoomSeats});
    EXPECT_EQ(c.frmOtherExit->Label1.caption(), QString::fromUtf16(GetParam().text));
    EXPECT_TRUE(c.frmOtherExit->visible());
    EXPECT_TRUE(c.frmOtherExit->topmost());
    EXPECT_TRUE(c.Score->visible());
    EXPECT_EQ(firstLines(), QStringList{QStringLiteral("玩家right-nick金币不够，退出游戏！")});
    for (int k = 1; k <= 3; ++k) {
        EXPECT_TRUE(c.s.custom[k].name.isEmpty());
        EXPECT_TRUE(c.s.g_aPlayerInfo[k].nickname.isEmpty());
        EXPECT_TRUE(form().Nid[k].caption().isEmpty());
        EXPECT_TRUE(c.Score->ID[k].caption().isEmpty());
        EXPECT_TRUE(c.Hero->Tou[k].picture().isEmpty());
    }
    EXPECT_EQ(c.s.g_aPlayerInfo[1].account, QStringLiteral("left"));  // kept
    EXPECT_FALSE(form().TimerKeepAlive.enabled());
    EXPECT_FALSE(c.s.channels.check[state::ChannelReadyClock]);
    EXPECT_FALSE(c.s.channels.check[state::ChannelDisconnect]);
    EXPECT_EQ(c.s.Player_num, 0);
    EXPECT_FALSE(c.s.g_bGameRunning);
}

INSTANTIATE_TEST_SUITE_P(
    HandStart, LocalRemoval,
    ::testing::Values(
        LocalRemovalCase{"ChangeRoom", 1, u"您的金币不够，请更换房间或充值后继续游戏！"},
        LocalRemovalCase{"ClaimAllowance", 2, u"您的金币不够，请领取低保或充值后继续游戏！"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GoldCheck, AMinimisedTableGetsTheDialogTextButNotTheDialogFromTheRemoval) {
    form().setWindowState(forms::WindowState::Minimized);
    auto& dialog = *c.frmOtherExit;
    start({.startPhase = 3, .removedSeats = 1});
    EXPECT_EQ(dialog.Label1.caption(),
              QStringLiteral("您的金币不够，请领取低保或充值后继续游戏！"));
    // The closing step shows the dialog in any case.
    EXPECT_TRUE(dialog.visible());
    EXPECT_TRUE(c.s.custom[1].name.isEmpty());
}

TEST_F(GoldCheck, ThePluginIsShutDownOrLeftToItsRunningShow) {
    auto& plugin = loadPropPlugin();
    c.s.g_nPropShowState = 1;
    start({.startPhase = 3, .removedSeats = 1});
    EXPECT_TRUE(c.s.g_bPropShowPending);
    EXPECT_TRUE(plugin.exits.empty());
    EXPECT_EQ(plugin.clearedSeats, (std::vector<std::int16_t>{1, 2, 3}));
}

TEST_F(GoldCheck, ASpectatorEndsAfterEveryRemoval) {
    c.s.g_bSpectator = true;
    EXPECT_THROW(start({.startPhase = 3, .removedSeats = 2}), platform::ProgramEnd);
    ASSERT_EQ(harness.boxes.shown().size(), 1u);
    EXPECT_EQ(harness.boxes.shown()[0].text, QStringLiteral("有用户退出，旁观结束！"));
}

}  // namespace
}  // namespace dispatch_test
