// The toolbar's nine buttons pressed as the player presses them: the frames they queue, the
// windows they show and hide, the address they hand to the desktop's browser.
#include <gtest/gtest.h>

#include "cards/display/chu_pai.h"
#include "chat/huifu.h"
#include "chat/talk.h"
#include "connection/exit_dialogs.h"
#include "connection/send_queue.h"
#include "dispatch/recording_prop_dll.h"
#include "settlement/hero_window.h"
#include "settlement/score_window.h"
#include "sound/vos_set.h"
#include "table_fixture.h"

namespace table_test {
namespace {

std::vector<state::Frame> QueuedFrames(state::SharedState& s) {
    std::vector<state::Frame> frames;
    state::Frame frame{};
    while (connection::TakeFrame(s.g_aSendRing, frame)) frames.push_back(frame);
    return frames;
}

class Toolbar : public ::testing::Test {
  protected:
    LoadedTable table{Screen::Framed1280};
    client::Client& c = *table.c;
    state::SharedState& s = table.s();
    void SetUp() override {
        QueuedFrames(s);
        s.custom[0].seat = 4;
        s.g_aPlayerInfo[0].nickname = QStringLiteral("阿明");
    }
    void press(int index) { table.form().AnNiu_Click(index); }
};

TEST_F(Toolbar, SendQueuesTheChatLineWithTheNicknameAndEmptiesTheLine) {
    table.form().Chat.setText(QStringLiteral("你好"));
    press(0);
    press(0);  // an empty line sends nothing
    const auto frames = QueuedFrames(s);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0][3], 19);
    EXPECT_EQ(frames[0][6], 4);
    EXPECT_EQ(frames[0][11], 0);
    EXPECT_TRUE(table.form().Chat.text().isEmpty());
}

TEST_F(Toolbar, ReadySendsOneSeatActionAndTakesTheButtonUntilTheHandEnds) {
    s.g_bLoggedIn = true;
    s.g_aAnNiuState[2] = false;
    press(2);
    press(2);
    const auto frames = QueuedFrames(s);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0][3], 16);
    EXPECT_EQ(frames[0][6], 4);
    EXPECT_EQ(frames[0][15], 1);
    EXPECT_TRUE(table.form().OK[0].visible());
    EXPECT_TRUE(s.g_bReadyPressed && s.Inited && s.g_aAnNiuState[2]);
    EXPECT_FALSE(s.g_bReadyPending);
}

TEST_F(Toolbar, ReadyWhileAGameRunsSendsNothingAndBeforeLoginChangesOnlyThePending) {
    s.g_aAnNiuState[2] = false;
    s.g_bLoggedIn = false;
    press(2);
    EXPECT_FALSE(s.g_aAnNiuState[2]);
    EXPECT_FALSE(s.g_bReadyPending);
    s.g_bLoggedIn = true;
    s.g_bGameRunning = true;
    s.Inited = true;  // a hand is played: no reset runs that would end it
    press(2);
    EXPECT_TRUE(QueuedFrames(s).empty());
    EXPECT_TRUE(s.g_aAnNiuState[2]);
}

TEST_F(Toolbar, ReadyStartsTheSeatChangeOnlyWhenArmedAndRandom) {
    s.g_bLoggedIn = true;
    s.g_aAnNiuState[2] = false;
    s.g_bShuffleArmed = true;
    press(2);
    EXPECT_TRUE(s.g_bShuffleArmed);
    EXPECT_FALSE(table.form().ImgShuffle.visible());
    s.g_aAnNiuState[2] = false;
    s.g_bRandomSeats = true;
    press(2);
    EXPECT_FALSE(s.g_bShuffleArmed);
    EXPECT_TRUE(s.g_bShuffling);
    EXPECT_TRUE(table.form().ImgShuffle.visible());
    EXPECT_TRUE(table.form().TimerShuffle.enabled());
}

TEST_F(Toolbar, WindowButtonsToggleTheirWindowsAndRecordAndHistoryCloseEachOther) {
    press(1);
    EXPECT_TRUE(c.Talk->visible());
    EXPECT_TRUE(c.Talk->topmost());
    press(1);
    EXPECT_FALSE(c.Talk->visible());

    press(3);
    EXPECT_TRUE(c.VosSet->visible());
    press(3);
    EXPECT_FALSE(c.VosSet->visible());

    press(5);
    EXPECT_TRUE(c.Score->visible());
    press(6);
    EXPECT_TRUE(c.Hero->visible());
    EXPECT_FALSE(c.Score->visible());
    press(5);
    EXPECT_TRUE(c.Score->visible());
    EXPECT_FALSE(c.Hero->visible());
    const auto& form = table.form();
    EXPECT_FLOAT_EQ(c.Score->top(), (form.height() - c.Score->height()) / 2 + form.top());

    press(8);
    EXPECT_TRUE(c.frmExit->visible());
    EXPECT_TRUE(c.frmExit->topmost());
    EXPECT_FALSE(c.frmExit->Label2.visible());
    press(8);
    EXPECT_FALSE(c.frmExit->visible());
}

TEST_F(Toolbar, ExitWarnsOfThePenaltyOnlyForASeatedPlayerInAGame) {
    s.g_bGameRunning = true;
    press(8);
    EXPECT_TRUE(c.frmExit->Label2.visible());
    press(8);
    s.g_bSpectator = true;
    press(8);
    EXPECT_FALSE(c.frmExit->Label2.visible());
}

TEST_F(Toolbar, HideRunsTheWindowsBossKeyAndLeavesAutoPlayOff) {
    press(1);
    press(5);
    c.huifu->show();
    press(4);
    EXPECT_EQ(table.form().windowState(), forms::WindowState::Minimized);
    EXPECT_FALSE(c.Talk->visible());
    EXPECT_FALSE(c.Score->visible());
    EXPECT_FALSE(c.huifu->visible());
    EXPECT_TRUE(s.g_bBossKeyPressed);
    EXPECT_EQ(s.g_nTurnSeconds, 0);
    EXPECT_FALSE(s.g_bAutoPlay);
    EXPECT_FALSE(s.g_bBossKey);
}

TEST_F(Toolbar, RulesHandsTheRulesPageToTheBrowser) {
    press(7);
    EXPECT_EQ(table.harness.desktop.openedUrls(),
              std::vector<QString>{"http://www.brenmoor.com/gameinfo/Korvash/index.php"});
}

TEST_F(Toolbar, DialogButtonsTellTheLoadedPlugInsBankAndNoneOtherwise) {
    press(8);
    press(8);
    auto plugin = std::make_unique<dispatch_test::RecordingPropDll>();
    auto& calls = plugin->calls;
    c.g_oPropDll = std::move(plugin);
    press(8);
    EXPECT_TRUE(calls.empty());  // not loaded
    s.g_nPropState = 1;
    press(8);
    press(3);
    press(5);
    press(6);
    EXPECT_EQ(calls, (std::vector<std::string>(4, "setbankstate(2)")));
}

TEST_F(Toolbar, AnIndexOutsideTheToolbarDoesNothing) {
    press(9);
    press(-1);
    EXPECT_TRUE(QueuedFrames(s).empty());
    EXPECT_FALSE(c.frmExit.isLoaded());
}

}  // namespace
}  // namespace table_test
