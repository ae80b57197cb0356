// A settlement run as the dispatcher hands it the hand's result frames.
#include <filesystem>

#include "connection/leaving.h"
#include "platform/forms/units.h"
#include "settlement/hand_history.h"
#include "settlement/show_settlement.h"
#include "settlement_fixture.h"

namespace settlement_test {
namespace {

using support::BuildHandResult;

TEST_F(SettlementTest, ThreeFramesShowNothingAndTheFourthSettlesTheWholeHand) {
    form().Img_bao_shuai[0].setVisible(true);
    dispatch(BuildHandResult(result(1, false, 200)));
    EXPECT_FALSE(form().Img_bao_shuai[0].visible());
    dispatch(BuildHandResult(result(0, true, 300)));
    dispatch(BuildHandResult(result(3, false, 200)));
    EXPECT_FALSE(score().visible());
    EXPECT_EQ(c.s.g_aPlayerInfo[0].gold, 1000);
    EXPECT_EQ(hero().Num.listCount(), 0);
    EXPECT_TRUE(c.s.g_bResultShown);

    dispatch(BuildHandResult(result(2, true, 100)));
    EXPECT_TRUE(score().visible());
    EXPECT_TRUE(score().topmost());
    // Centred over the table window.
    EXPECT_EQ(score().left(), form().left() + (form().width() - score().width()) / 2);
    EXPECT_EQ(score().top(), form().top() + (form().height() - score().height()) / 2);
    EXPECT_EQ(score().ID[2].caption(), "玩家3");
    EXPECT_EQ(score().State[0].list(0), "初始：1000金币");
    EXPECT_EQ(score().State[0].list(1), "房间底金：100金币");
    EXPECT_EQ(score().State[4].items(), QStringList{"最终分：300金币"});
    EXPECT_EQ(score().State[5].items(), QStringList{"最终分：- 200金币"});
    EXPECT_EQ(score().State[2].list(score().State[2].listCount() - 3), "恭喜");

    // Gold, record, level and gold label of every seat.
    const double gold[] = {1300, 800, 1100, 800};
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_EQ(c.s.g_aPlayerInfo[k].gold, gold[k]) << k;
        EXPECT_EQ(form().Cash[int(k)].caption(), QString::number(gold[k]) + "金币") << k;
    }
    EXPECT_EQ(c.s.g_aPlayerInfo[0].wins, 1);
    EXPECT_EQ(c.s.g_aPlayerInfo[1].losses, 1);
    EXPECT_EQ(form().Level[3].caption(), "第四级");

    // The history window: the hand, each seat's result and running total.
    EXPECT_EQ(hero().Num.items(), QStringList{"           1"});
    EXPECT_EQ(hero().Grade[1].items(), QStringList{"-200"});
    EXPECT_EQ(hero().sunScore[1].caption(), "-200");
    EXPECT_TRUE(hero().sunScore[1].visible());
    EXPECT_EQ(c.s.g_nHandCount, 1);

    // The hand is closed and the next one offered.
    EXPECT_FALSE(c.s.g_bResultShown);
    EXPECT_EQ(form().Sysmsg[0].items(), QStringList{"请点击【继续】按钮继续游戏！"});
    EXPECT_EQ(form().Sysmsg[1].items(), QStringList{"游戏将在15秒内开始"});
    EXPECT_TRUE(c.s.channels.check[state::ChannelReadyClock]);
    EXPECT_EQ(c.s.g_nCountdown, 15);
    EXPECT_EQ(form().Number.caption(), "15");
    EXPECT_TRUE(form().Time_Img.visible());
    EXPECT_EQ(c.s.g_nPropShowState, 2);
    EXPECT_EQ(c.soundState.g_sSoundPath, c.App_Path() + "\\..\\common\\pk\\sys150.wav");
    EXPECT_TRUE(std::filesystem::exists(harness.env.programFolder / "info.brm"));
}

TEST_F(SettlementTest, TheOtherSeatsHandsAreShownFaceUpButNeverTheLocalOne) {
    support::HandResultFrame left = result(1, false, 10);
    left.cardsHeld = {0x0003'0401u, 0x0005'0E08u};  // 4 of diamonds, ace of spades
    support::HandResultFrame own = result(0, true, 10);
    own.cardsHeld = {0x0001'0301u, 0x0001'0301u, 0x0001'0301u};
    support::HandResultFrame opposite = result(2, false, 10);
    c.s.custom[0].count = 5;
    dispatch(BuildHandResult(left));
    dispatch(BuildHandResult(own));
    dispatch(BuildHandResult(opposite));
    dispatch(BuildHandResult(result(3, true, 10)));
    EXPECT_EQ(c.s.custom[0].count, 5);
    EXPECT_EQ(c.s.custom[1].count, 2);
    EXPECT_EQ(c.s.custom[1].slots[1].card, 0x0005'0E08);
    EXPECT_TRUE(form().cardImage1[1].visible());
    EXPECT_FALSE(form().cardImage1[1].picture().isEmpty());
    EXPECT_EQ(form().cardImage1[1].width(), 80);
    EXPECT_EQ(form().cardImage1[1].top(), c.s.custom[1].playY);
    EXPECT_EQ(c.s.custom[2].count, 0);
    EXPECT_FALSE(form().cardImage2[0].visible() && !form().cardImage2[0].picture().isEmpty());
}

TEST_F(SettlementTest, WithTheBossKeyTheSheetIsFilledButNotShownAndTheClockRunsOneSecond) {
    c.s.g_bBossKey = true;
    settleWholeHand();
    EXPECT_FALSE(score().visible());
    EXPECT_EQ(score().ID[0].caption(), "玩家0");
    EXPECT_GT(score().State[0].listCount(), 10);
    EXPECT_EQ(c.s.g_nCountdown, 1);
}

TEST_F(SettlementTest, ASpectatorGetsTheMessagesAndTheSoundButNoClock) {
    c.s.g_bSpectator = true;
    settleWholeHand();
    EXPECT_FALSE(c.s.channels.check[state::ChannelReadyClock]);
    EXPECT_EQ(form().Sysmsg[1].items(), QStringList{"游戏将在15秒内开始"});
    EXPECT_FALSE(c.soundState.g_sSoundPath.isEmpty());
}

TEST_F(SettlementTest, WithoutSoundEffectsNothingPlaysAndTheHandIsStillSaved) {
    c.soundState.g_bEffectsOn = false;
    settleWholeHand();
    EXPECT_TRUE(c.soundState.g_sSoundPath.isEmpty());
    EXPECT_TRUE(std::filesystem::exists(harness.env.programFolder / "info.brm"));
}

TEST_F(SettlementTest, AnInterruptedHandsFramesDoNotCompleteTheNextHand) {
    dispatch(BuildHandResult(result(1, false, 999)));
    dispatch(BuildHandResult(result(0, true, 999)));
    // The hand never got its other frames; the next deal ends the settlement mark.
    c.s.g_bResultShown = false;
    dispatch(BuildHandResult(result(1, false, 200)));
    dispatch(BuildHandResult(result(0, true, 300)));
    EXPECT_FALSE(score().visible());
    dispatch(BuildHandResult(result(3, false, 200)));
    dispatch(BuildHandResult(result(2, true, 100)));
    EXPECT_TRUE(score().visible());
    EXPECT_EQ(c.s.g_aPlayerInfo[0].gold, 1300);
    EXPECT_EQ(hero().Grade[1].items(), QStringList{"-200"});
}

TEST_F(SettlementTest, ALoginStartsAfreshButAReconnectionLetsTheHandComplete) {
    dispatch(BuildHandResult(result(1, false, 200)));
    dispatch(support::BuildReconnectReply({.reconnectResult = 1}));
    dispatch(BuildHandResult(result(0, true, 300)));
    dispatch(BuildHandResult(result(3, false, 200)));
    dispatch(BuildHandResult(result(2, true, 100)));
    EXPECT_EQ(c.s.g_nHandCount, 1);

    dispatch(BuildHandResult(result(1, false, 999)));
    dispatch(support::BuildLoginReply({.loginResult = 1}));
    settleWholeHand();
    EXPECT_EQ(c.s.g_nHandCount, 2);
    EXPECT_EQ(hero().Grade[1].items(), (QStringList{"-200", "-200"}));
}

TEST_F(SettlementTest, WithThePluginLoadedTheFourthFrameWaitsAndThePropsPartsAreUsed) {
    auto& plugin = loadPropPlugin(1);
    dispatch(BuildHandResult(result(1, false, 500)));
    dispatch(BuildHandResult(result(0, true, 300)));
    dispatch(BuildHandResult(result(3, false, 200)));
    state::Frame fourth = BuildHandResult(result(2, true, 100));
    dispatch(fourth);
    EXPECT_FALSE(score().visible());
    EXPECT_EQ(plugin.showEnds, 1);
    EXPECT_EQ(c.s.g_aHeldResultFrame, fourth);
    EXPECT_EQ(c.s.g_nPropShowState, 1);

    // The plug-in's score information: a chest for the left seat, and an unload put off.
    c.s.g_aScoreLines[1] = QStringLiteral("宝箱奖励00000255");
    c.s.g_aPrizeAmount[1] = 20;
    c.s.g_bPropShowPending = true;
    settlement::ShowSettlement(c, c.s.g_aHeldResultFrame);
    EXPECT_TRUE(score().visible());
    EXPECT_EQ(score().State[5].items(), QStringList{"最终分：- 480金币"});
    EXPECT_EQ(score().State[1].foreColor(), 255u);
    EXPECT_EQ(c.s.g_aPlayerInfo[1].gold, 520);
    EXPECT_EQ(c.s.g_aPrizeAmount[1], 0);
    EXPECT_TRUE(c.s.g_aScoreLines[1].isEmpty());
    EXPECT_EQ(plugin.exits, std::vector<std::int16_t>{0});
    EXPECT_EQ(c.s.g_nPropShowState, 1);
}

TEST_F(SettlementTest, LeavingTheTableClearsTheBoardsAndDeletesTheHistory) {
    settleWholeHand();
    dispatch(BuildHandResult(result(1, false, 200)));
    ASSERT_TRUE(std::filesystem::exists(harness.env.programFolder / "info.brm"));
    connection::ResetTableState(c);
    EXPECT_FALSE(std::filesystem::exists(harness.env.programFolder / "info.brm"));
    EXPECT_EQ(c.s.nResultFrames, 0);
    EXPECT_EQ(hero().Num.listCount(), 0);
    EXPECT_EQ(score().State[4].listCount(), 0);
    EXPECT_FALSE(score().visible());
    EXPECT_FALSE(hero().sunScore[0].visible());
    EXPECT_EQ(c.s.g_aSessionScore[1], 0);
}

}  // namespace
}  // namespace settlement_test
