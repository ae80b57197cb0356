// The server closes the table: the history window, the plug-in, the dialog with the server's
// text, and the closing step that empties the seats, the connection and the rings.
#include <gtest/gtest.h>

#include "connection/exit_dialogs.h"
#include "seating_fixture.h"
#include "settlement/hero_window.h"

namespace dispatch_test {
namespace {

using support::BuildTableClosed;

class TableClosing : public SeatingTest {
  protected:
    void SetUp() override {
        SeatingTest::SetUp();
        seatFour();
        c.s.g_bGameRunning = true;
        c.s.Inited = true;
        c.s.channels.arm(state::ChannelReadyClock);
        c.s.channels.arm(state::ChannelDisconnect);
        c.s.g_aSendRing.write = 272;
        c.s.g_aRecvRing.write = 544;
    }
    void close(const std::string& text) { dispatch(BuildTableClosed({.text = text})); }
    QString dialogText() { return c.frmOtherExit->Label1.caption(); }
};

TEST_F(TableClosing, ShowsTheHistoryAndTheTextAndEmptiesTheTable) {
    close(support::gbk(QStringLiteral("本桌已解散，请返回大厅")));
    EXPECT_TRUE(c.Hero->visible());
    EXPECT_EQ(dialogText(), QStringLiteral("本桌已解散，请返回大厅"));
    EXPECT_TRUE(c.frmOtherExit->visible());
    EXPECT_TRUE(c.frmOtherExit->topmost());
    EXPECT_FALSE(c.s.g_bGameRunning);
    EXPECT_FALSE(c.s.Inited);
    EXPECT_FALSE(c.s.channels.check[state::ChannelReadyClock]);
    EXPECT_FALSE(c.s.channels.check[state::ChannelDisconnect]);
    EXPECT_FALSE(form().TimerBong.enabled());
    EXPECT_EQ(c.s.g_aSendRing.read, 0);
    EXPECT_EQ(c.s.g_aSendRing.write, 0);
    EXPECT_EQ(c.s.g_aRecvRing.write, 0);
    EXPECT_EQ(c.s.Player_num, 0);
    for (int k = 1; k <= 3; ++k) {
        EXPECT_TRUE(c.s.custom[k].name.isEmpty());
        EXPECT_TRUE(c.s.g_aPlayerInfo[k].nickname.isEmpty());
        EXPECT_EQ(c.s.g_aPlayerInfo[k].gold, 0);
        EXPECT_FALSE(form().OK[k].visible());
        EXPECT_TRUE(form().Tou[k].picture().isEmpty());
    }
    EXPECT_EQ(c.s.custom[0].name, QStringLiteral("me"));  // the local seat is the dialog's
}

struct TextCase {
    const char* name;
    std::function<void(state::Frame&)> write;
    QString expected;
};

class ClosingText : public TableClosing, public ::testing::WithParamInterface<TextCase> {};

TEST_P(ClosingText, IsReadFromByteSixteenUpToTwoHundredBytes) {
    state::Frame frame = BuildTableClosed({});
    GetParam().write(frame);
    dispatch(frame);
    EXPECT_EQ(dialogText(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(TableClosing, ClosingText,
                         ::testing::Values(TextCase{"Empty", [](state::Frame&) {}, QString()},
                                           TextCase{"TwoHundredSingleBytesWithoutAZero",
                                                    [](state::Frame& f) {
                                                        for (int i = 16; i < 216; ++i) f[i] = 'a';
                                                        f[216] = 'b';
                                                    },
                                                    QString(200, QLatin1Char('a'))},
                                           TextCase{"ALastLeadByteTakesTheByteAfterTheWindow",
                                                    [](state::Frame& f) {
                                                        for (int i = 16; i < 215; ++i) f[i] = 'a';
                                                        f[215] = 0xD6;  // 中 is D6 D0
                                                        f[216] = 0xD0;
                                                    },
                                                    QString(199, QLatin1Char('a')) +
                                                        QStringLiteral("中")}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TableClosing, TheBossKeyKeepsTheHistoryHidden) {
    c.s.g_bBossKey = true;
    close("bye");
    EXPECT_FALSE(c.Hero->visible());
    EXPECT_EQ(dialogText(), QStringLiteral("bye"));
}

TEST_F(TableClosing, ThePluginGoesUnlessItsShowIsRunning) {
    auto& plugin = loadPropPlugin();
    c.s.g_nPropShowState = 1;
    close("x");
    EXPECT_TRUE(plugin.exits.empty());
    EXPECT_TRUE(c.s.g_bPropShowPending);

    c.s.g_nPropShowState = 0;
    c.s.g_bPropShowPending = false;
    close("y");
    EXPECT_EQ(plugin.exits, std::vector<std::int16_t>{0});
    EXPECT_EQ(c.s.g_nPropState, 0);
    EXPECT_FALSE(c.s.g_bPropShowPending);
}

TEST_F(TableClosing, TwoPausesOfTwoSecondsHoldTheWindow) {
    const auto before = harness.scheduler.now();
    close("x");
    EXPECT_GE(harness.scheduler.now() - before, 4000);
}

}  // namespace
}  // namespace dispatch_test
