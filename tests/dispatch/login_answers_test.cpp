#include <gtest/gtest.h>

#include "connection/hall_link.h"
#include "connection/send_queue.h"
#include "dispatch_fixture.h"
#include "platform/runtime/failure.h"

namespace dispatch_test {
namespace {

using platform::SystemCommand;
using support::BuildLoginReply;
using support::BuildReconnectReply;
using support::LoginReply;

class LoginAnswers : public DispatchTest {
  protected:
    // Leftovers of an earlier table that every login answer clears.
    void leaveLeftoversOfAnEarlierTable() {
        c.s.g_bHoldPropFrameA = true;
        c.s.g_bHoldPropFrameB = true;
        c.s.g_aHeldPropFrameA.fill(0x45);
        c.s.g_aHeldPropFrameB.fill(0x46);
        c.s.g_bResultShown = true;
        c.s.g_bHandStarted = true;
        c.s.g_bTimeLimit = false;
        c.s.g_bBossKey = true;
        c.s.g_bConnected = true;
    }

    void expectFreshStart() {
        EXPECT_TRUE(form().TimerKeepAlive.enabled());
        EXPECT_EQ(form().TimerKeepAlive.interval(), 5000);
        EXPECT_FALSE(c.s.g_bHoldPropFrameA);
        EXPECT_FALSE(c.s.g_bHoldPropFrameB);
        EXPECT_EQ(c.s.g_aHeldPropFrameA, state::Frame{});
        EXPECT_EQ(c.s.g_aHeldPropFrameB, state::Frame{});
        EXPECT_FALSE(c.s.g_bResultShown);
        EXPECT_FALSE(c.s.g_bHandStarted);
        EXPECT_TRUE(c.s.g_bTimeLimit);
        EXPECT_FALSE(c.s.g_bBossKey);
        EXPECT_FALSE(c.s.g_bConnected);
    }

    QString systemLine(int line) {
        auto& list = form().Sysmsg[line];
        return list.listCount() == 0 ? QString() : list.list(0);
    }
};

TEST_F(LoginAnswers, AnAcceptedLoginLogsInTellsTheHallAndTakesTheServersSettings) {
    leaveLeftoversOfAnEarlierTable();
    form().Sysmsg[0].addItem(QStringLiteral("正在连接服务器..."));
    dispatch(BuildLoginReply({.loginResult = 1,
                              .autoLimit = 3,
                              .turnSeconds = 15,
                              .adUrl = "http://ads.example/table",
                              .token = {0x12, 0x34}}));

    expectFreshStart();
    EXPECT_TRUE(c.s.g_bLoggedIn);
    EXPECT_TRUE(c.s.g_bAutoReconnect);
    EXPECT_EQ(c.s.g_nTimeoutLimit, 3);
    EXPECT_EQ(c.s.g_nTurnSeconds, 15);
    EXPECT_EQ(hallPosts(), std::vector<std::uint32_t>{connection::HallMsgClose});
    EXPECT_TRUE(hallCommands().empty());
    EXPECT_EQ(form().Sysmsg[0].listCount(), 1);
    EXPECT_EQ(systemLine(0), QStringLiteral("连接服务器成功！"));
    EXPECT_EQ(form().Sysmsg[1].listCount(), 1);
    EXPECT_TRUE(systemLine(1).startsWith(QStringLiteral("欢迎进入")));
    EXPECT_GT(systemLine(1).size(), QStringLiteral("欢迎进入").size());
    EXPECT_EQ(c.s.g_sAdBaseUrl, QStringLiteral("http://ads.example/table"));
    EXPECT_EQ(c.s.g_sShuffleAdUrl, QStringLiteral("http://ads.example/table.gamead"));
    EXPECT_TRUE(form().WebBrowser1.visible());
    EXPECT_EQ(c.s.g_aServerToken, (support::Token{0x12, 0x34}));
}

TEST_F(LoginAnswers, AnAcceptedLoginStartsAKeepAliveEveryFiveSeconds) {
    c.s.custom[0].seat = 4;
    dispatch(BuildLoginReply({}));
    const auto before = c.s.g_aSendRing.unread();
    harness.scheduler.advance(14999);
    EXPECT_EQ(c.s.g_aSendRing.unread() - before, 2 * 272);
    harness.scheduler.advance(1);
    EXPECT_EQ(c.s.g_aSendRing.unread() - before, 3 * 272);
}

TEST_F(LoginAnswers, TheServersTimeSettingsAreStoredAsTheyCome) {
    struct Case {
        std::uint8_t autoLimit, turnSeconds;
    };
    for (const Case& sent : {Case{0, 0}, Case{1, 2}, Case{255, 255}}) {
        dispatch(BuildLoginReply({.autoLimit = sent.autoLimit, .turnSeconds = sent.turnSeconds}));
        EXPECT_EQ(c.s.g_nTimeoutLimit, sent.autoLimit);
        EXPECT_EQ(c.s.g_nTurnSeconds, sent.turnSeconds);
    }
}

TEST_F(LoginAnswers, ALoginWhileTheBossKeyHidesTheTableStillTakesTheServersTurnSeconds) {
    c.s.g_bBossKey = true;
    c.s.g_bBossKeyPressed = true;
    dispatch(BuildLoginReply({.turnSeconds = 12}));
    EXPECT_FALSE(c.s.g_bBossKey);
    EXPECT_EQ(c.s.g_nTurnSeconds, 12);
}

TEST_F(LoginAnswers, TheAdvertisingAddressOpensThePaneOnlyWhenThereIsOne) {
    struct Case {
        const char* name;
        std::string adUrl;
        bool paneBefore;
        QString base, shuffle;
        bool paneAfter;
    };
    const std::string hundred(100, 'a');
    const Case cases[] = {
        {"empty keeps the pane and the shuffle page", "", false, "", "old.gamead", false},
        {"empty keeps a shown pane", "", true, "", "old.gamead", true},
        {"an address opens the pane", "http://a.example/p", false, "http://a.example/p",
         "http://a.example/p.gamead", true},
        {"a full window has no terminator", hundred, false, QString::fromStdString(hundred),
         QString::fromStdString(hundred) + ".gamead", true},
    };
    for (const Case& when : cases) {
        SCOPED_TRACE(when.name);
        c.s.g_sAdBaseUrl = QStringLiteral("old");
        c.s.g_sShuffleAdUrl = QStringLiteral("old.gamead");
        form().WebBrowser1.setVisible(when.paneBefore);
        state::Frame reply = BuildLoginReply({.adUrl = when.adUrl});
        reply[116] = 'Z';  // the byte after the window is never part of the address
        dispatch(reply);
        EXPECT_EQ(c.s.g_sAdBaseUrl, when.base);
        EXPECT_EQ(c.s.g_sAdBaseUrl.size(), when.base.size());
        EXPECT_EQ(c.s.g_sShuffleAdUrl, when.shuffle);
        EXPECT_EQ(form().WebBrowser1.visible(), when.paneAfter);
    }
}

// What a hand leaves on the table and in the per-hand state, including the reconnect dialog's
// counters; an accepted login clears it, an accepted reconnect keeps the hand for the server's
// further frames to go on with.
TEST_F(LoginAnswers, OnlyAnAcceptedLoginClearsTheTableOfTheHandBefore) {
    struct Case {
        const char* name;
        state::Frame answer;
        bool cleared;
    };
    const Case cases[] = {
        {"an accepted login", BuildLoginReply({.loginResult = 1}), true},
        {"an accepted reconnect", BuildReconnectReply({.reconnectResult = 1}), false},
    };
    for (const Case& when : cases) {
        SCOPED_TRACE(when.name);
        c.s.ReconnectCount = 7;
        c.s.ReconnectTime = 2;
        c.s.g_nPlayCount = 5;
        c.s.g_bBidClock = true;
        c.s.g_aTrickCards[1][0] = 0x0301;
        form().cardImage0[0].setVisible(true);
        form().cardImage2[3].setVisible(true);
        form().Operation[0].setVisible(true);
        form().Time_Img.setVisible(true);

        dispatch(when.answer);

        EXPECT_EQ(c.s.ReconnectCount == 0 && c.s.ReconnectTime == 0, when.cleared);
        EXPECT_EQ(c.s.g_nPlayCount == 0, when.cleared);
        EXPECT_EQ(!c.s.g_bBidClock, when.cleared);
        EXPECT_EQ(c.s.g_aTrickCards[1][0] == 0, when.cleared);
        EXPECT_EQ(!form().cardImage0[0].visible(), when.cleared);
        EXPECT_EQ(!form().cardImage2[3].visible(), when.cleared);
        EXPECT_EQ(!form().Operation[0].visible(), when.cleared);
        EXPECT_EQ(!form().Time_Img.visible(), when.cleared);
    }
}

TEST_F(LoginAnswers, ARefusedLoginTellsTheHallRestoresItAndEndsTheProgram) {
    struct Case {
        std::uint8_t loginResult;
        QString reason;
    };
    const QString startFailed = QStringLiteral("启动游戏失败，请重新在大厅就座后进入游戏！");
    const QString notVerified = QStringLiteral("验证错误，请重新在大厅就座后进入游戏！");
    for (const Case& when : {Case{2, startFailed}, Case{0, notVerified}, Case{3, notVerified},
                             Case{255, notVerified}}) {
        SCOPED_TRACE(int(when.loginResult));
        LoadedClient own;  // the program ends: each case needs a client of its own
        support::ClientHarness& fresh = own.harness;
        client::Client& other = own.c;
        auto& table = *other.MainForm;
        other.s.g_bHoldPropFrameA = true;
        other.s.g_aHeldPropFrameB.fill(9);
        other.s.g_bTimeLimit = false;
        std::size_t restoresWhenRelinkPosted = 99;
        fresh.desktop.onPost = [&](platform::WindowHandle, const platform::FakeDesktop::Post&) {
            restoresWhenRelinkPosted = fresh.desktop.systemCommands(fresh.hall).size();
        };

        state::Frame reply =
            BuildLoginReply({.loginResult = when.loginResult, .adUrl = "http://x"});
        EXPECT_THROW(dispatch::ProcessServerMessage(other, reply), platform::ProgramEnd);

        EXPECT_EQ(own.hallPosts(), std::vector<std::uint32_t>{connection::HallMsgRelink});
        EXPECT_EQ(restoresWhenRelinkPosted, 0u);
        EXPECT_EQ(own.hallCommands(), std::vector<SystemCommand>{SystemCommand::Restore});
        ASSERT_EQ(table.Sysmsg[0].listCount(), 1);
        EXPECT_EQ(table.Sysmsg[0].list(0), when.reason);
        EXPECT_TRUE(fresh.boxes.shown().empty());
        // The fresh-start steps ran before the end; the login itself did not happen.
        EXPECT_TRUE(table.TimerKeepAlive.enabled());
        EXPECT_FALSE(other.s.g_bHoldPropFrameA);
        EXPECT_EQ(other.s.g_aHeldPropFrameB, state::Frame{});
        EXPECT_TRUE(other.s.g_bTimeLimit);
        EXPECT_FALSE(other.s.g_bLoggedIn);
        EXPECT_FALSE(other.s.g_bAutoReconnect);
        EXPECT_TRUE(other.s.g_sAdBaseUrl.isEmpty());
    }
}

TEST_F(LoginAnswers, AnAcceptedReconnectLogsInAgainAndTellsALoadedPlugin) {
    for (const std::int16_t propState : {0, 2}) {
        SCOPED_TRACE(propState);
        auto& plugin = loadPropPlugin(propState);
        c.s.g_bLoggedIn = false;
        c.s.g_bReconnecting = false;
        c.s.g_aServerToken = {0x21, 0x43};
        form().Sysmsg[1].addItem(QStringLiteral("正在重新连接服务器..."));
        dispatch(BuildReconnectReply({.reconnectResult = 1, .token = {0x99, 0x98}}));
        EXPECT_TRUE(c.s.g_bLoggedIn);
        EXPECT_TRUE(c.s.g_bReconnecting);
        EXPECT_EQ(systemLine(0), QStringLiteral("正在重连服务器，请等待...！"));
        EXPECT_EQ(form().Sysmsg[0].listCount(), 1);
        EXPECT_EQ(form().Sysmsg[1].listCount(), 0);
        EXPECT_EQ(c.s.g_aServerToken, (support::Token{0x21, 0x43}));
        using State = std::pair<std::int16_t, bool>;
        const std::vector<State> expected =
            propState > 0 ? std::vector<State>{{3, true}} : std::vector<State>{};
        EXPECT_EQ(plugin.states, expected);
        EXPECT_TRUE(hallPosts().empty());
    }
}

TEST_F(LoginAnswers, ARefusedReconnectShutsThePluginShowsTheBoxThenRestoresTheHallAndEnds) {
    for (const std::int16_t propState : {0, 1}) {
        SCOPED_TRACE(propState);
        LoadedClient own;
        support::ClientHarness& fresh = own.harness;
        client::Client& other = own.c;
        RecordingPropDll& plugin = own.loadPropPlugin(propState);
        other.s.g_aServerToken = {5, 6};
        std::size_t restoresWhileBoxOpen = 99;
        std::size_t exitsWhileBoxOpen = 99;
        fresh.boxes.whileOpen([&] {
            restoresWhileBoxOpen = fresh.desktop.systemCommands(fresh.hall).size();
            exitsWhileBoxOpen = plugin.exits.size();
        });

        state::Frame reply = BuildReconnectReply({.reconnectResult = 0, .token = {7, 7}});
        EXPECT_THROW(dispatch::ProcessServerMessage(other, reply), platform::ProgramEnd);

        ASSERT_EQ(fresh.boxes.shown().size(), 1u);
        EXPECT_EQ(fresh.boxes.shown()[0].text,
                  QStringLiteral("重连服务器失败，退出后请重新入座！"));
        EXPECT_EQ(fresh.boxes.shown()[0].title, other.App_Title());
        EXPECT_EQ(fresh.boxes.shown()[0].buttons, platform::MessageButtons::Ok);
        EXPECT_EQ(restoresWhileBoxOpen, 0u);
        EXPECT_EQ(exitsWhileBoxOpen, propState > 0 ? 1u : 0u);
        EXPECT_EQ(other.s.g_nPropState, propState > 0 ? 0 : propState);
        EXPECT_EQ(own.hallCommands(), std::vector<SystemCommand>{SystemCommand::Restore});
        EXPECT_FALSE(other.s.g_bLoggedIn);
        EXPECT_EQ(other.s.g_aServerToken, (support::Token{5, 6}));
    }
}

}  // namespace
}  // namespace dispatch_test
