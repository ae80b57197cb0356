#include "connection/hall_link.h"

#include <gtest/gtest.h>

#include "client_loading.h"
#include "connection/send_queue.h"
#include "platform/forms/form_view.h"

namespace {

using connection::HallMsgBusy;
using connection::HallMsgClose;
using connection::HallMsgIdle;
using connection::HallMsgInGame;
using connection::HallMsgRelink;
using platform::SocketState;
using Post = platform::FakeDesktop::Post;
using support::ClientHarness;
using support::DirectTable;

std::vector<Post> posts(std::initializer_list<std::uint32_t> messages) {
    std::vector<Post> out;
    for (auto m : messages) out.push_back({m, 0, 0});
    return out;
}

class HallLink : public ::testing::Test {
  protected:
    ClientHarness harness;
    void SetUp() override {
        ASSERT_TRUE(support::loadTable(harness));
        harness.desktop.clearRecords(harness.hall);
    }
    client::Client& c() { return *harness.client; }
    std::int32_t send(std::uint32_t message) {
        return connection::MainWndProc(c(), {}, message, 0, 0);
    }
};

struct AnswerCase {
    const char* name;
    std::uint32_t message;
    bool connected;  // a login is pending
    bool gameRunning;
    std::vector<Post> answer;
};

class HallAnswers : public HallLink, public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(HallAnswers, AnswerTheHallByTheTableState) {
    c().s.g_bConnected = GetParam().connected;
    c().s.g_bGameRunning = GetParam().gameRunning;
    EXPECT_EQ(send(GetParam().message), 0);
    EXPECT_EQ(harness.desktop.posts(harness.hall), GetParam().answer);
}

INSTANTIATE_TEST_SUITE_P(
    HallLink, HallAnswers,
    ::testing::Values(
        AnswerCase{"in_game_query_during_a_game", HallMsgInGame, false, true,
                   posts({HallMsgInGame})},
        AnswerCase{"in_game_query_between_hands", HallMsgInGame, false, false,
                   posts({HallMsgIdle})},
        AnswerCase{"close_while_login_pending", HallMsgClose, true, true, posts({HallMsgBusy})},
        AnswerCase{"close_during_a_game", HallMsgClose, false, true, posts({HallMsgInGame})},
        AnswerCase{"close_between_hands", HallMsgClose, false, false, posts({HallMsgIdle})},
        AnswerCase{"leave_during_a_game", HallMsgIdle, false, true, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(HallLink, WithTheHallGoneQueriesAndCloseRequestsAreIgnored) {
    harness.desktop.closeWindow(harness.hall);
    c().s.channels.arm(state::ChannelDisconnect);
    EXPECT_EQ(send(HallMsgInGame), 0);
    EXPECT_EQ(send(HallMsgClose), 0);
    EXPECT_TRUE(c().s.channels.check[state::ChannelDisconnect]);
}

TEST_F(HallLink, ABlankHallCaptionFindsNoWindowAndCommandsNothing) {
    harness.desktop.addWindow("");
    c().s.g_sHallCaption = "  ";
    EXPECT_FALSE(connection::FindHallWindow(c()));
    connection::RestoreHall(c());
    connection::MinimizeHall(c());
    connection::PostToHall(c(), HallMsgClose);
    EXPECT_EQ(send(HallMsgInGame), 0);
    EXPECT_FALSE(harness.scheduler.hasEnded());
}

TEST_F(HallLink, OnlySpacesMakeTheHallCaptionBlank) {
    for (const QString caption : {QStringLiteral("\t"), QStringLiteral(" \n ")}) {
        c().s.g_sHallCaption = caption;
        EXPECT_FALSE(connection::FindHallWindow(c()));
        EXPECT_THROW(connection::RestoreHall(c()), platform::ProgramEnd);
        EXPECT_THROW(connection::MinimizeHall(c()), platform::ProgramEnd);
        const auto window = harness.desktop.addWindow(caption);
        EXPECT_EQ(connection::FindHallWindow(c()), window);
        harness.desktop.closeWindow(window);
    }
}

TEST_F(HallLink, RestoringOrMinimisingAClosedHallEndsTheProgram) {
    harness.desktop.closeWindow(harness.hall);
    EXPECT_THROW(connection::RestoreHall(c()), platform::ProgramEnd);
    EXPECT_THROW(connection::MinimizeHall(c()), platform::ProgramEnd);
}

TEST_F(HallLink, RestoringTheTableWindowMinimisesTheHall) {
    c().MainForm->setWindowState(forms::WindowState::Minimized);
    harness.desktop.clearRecords(harness.hall);
    c().MainForm->setWindowState(forms::WindowState::Normal);
    EXPECT_EQ(harness.desktop.systemCommands(harness.hall),
              std::vector<platform::SystemCommand>{platform::SystemCommand::Minimise});
    harness.desktop.closeWindow(harness.hall);
    c().MainForm->setWindowState(forms::WindowState::Minimized);
    EXPECT_THROW(c().MainForm->setWindowState(forms::WindowState::Normal), platform::ProgramEnd);
}

TEST_F(HallLink, OtherMessagesGoToThePreviousProcedure) {
    EXPECT_EQ(send(0x0010), 0);  // no previous procedure: nothing handles it
    c().MainForm->g_nOldWndProc = [](platform::WindowHandle, std::uint32_t message, std::int32_t,
                                     std::int32_t) { return std::int32_t(message + 1); };
    EXPECT_EQ(send(0x0010), 0x11);
    EXPECT_TRUE(harness.desktop.posts(harness.hall).empty());
}

TEST_F(HallLink, RelinkWithoutAConnectionKindOnlyMarksTheLoginPending) {
    c().s.g_aAnNiuState[2] = true;
    c().MainForm->Time_Img.setVisible(true);
    c().MainForm->Number.setVisible(true);
    EXPECT_EQ(send(HallMsgRelink), 0);
    EXPECT_TRUE(c().s.g_bConnected);
    EXPECT_FALSE(c().s.g_aAnNiuState[2]);
    EXPECT_FALSE(c().MainForm->Time_Img.visible());
    EXPECT_FALSE(c().MainForm->Number.visible());
    EXPECT_EQ(c().MainForm->Winsock1.state(), SocketState::Closed);
}

class HallLinkConnected : public ::testing::Test {
  protected:
    DirectTable table;
    void SetUp() override {
        ASSERT_NE(table.server, nullptr);
        ASSERT_TRUE(table.loaded);
        ASSERT_TRUE(table.loggedIn());
        table.harness.desktop.clearRecords(table.harness.hall);
    }
    std::int32_t send(std::uint32_t message) {
        return connection::MainWndProc(table.c(), {}, message, 0, 0);
    }
};

TEST_F(HallLinkConnected, RelinkOnAnOpenSocketReconnectsAndLogsInAgain) {
    table.c().s.g_bConnected = false;
    state::Frame stale{};
    stale[3] = 7;
    ASSERT_TRUE(connection::AppendToRecvRing(table.c().s, stale));
    send(HallMsgRelink);
    EXPECT_TRUE(table.c().s.g_bConnected);
    EXPECT_FALSE(table.c().s.g_aRecvRing.holdsFrame());
    EXPECT_FALSE(table.c().s.g_bLoginSentOnConnection);
    EXPECT_TRUE(table.c().s.channels.check[state::ChannelLogin]);
    ASSERT_TRUE(table.server->waitForConnections(2));
    table.ticks(4);
    ASSERT_TRUE(table.server->waitForFrames(2));
    EXPECT_EQ(table.server->frames()[1], table.c().s.g_aLoginFrame);
    EXPECT_EQ(table.harness.desktop.posts(table.harness.hall),
              posts({HallMsgRelink, HallMsgClose}));
}

TEST_F(HallLinkConnected, CloseBetweenHandsLeavesTheTableAndAnswersIdle) {
    table.c().s.g_bConnected = false;
    table.c().s.g_bGameRunning = false;
    send(HallMsgClose);
    EXPECT_FALSE(table.c().s.channels.check[state::ChannelDisconnect]);
    EXPECT_EQ(table.harness.desktop.posts(table.harness.hall), posts({HallMsgIdle}));
}

// The hall's messages reach the window procedure through the desktop once start-up hooked it.
TEST(HallLinkHook, MessagesPostedToTheTableWindowReachTheProcedure) {
    support::ensureApplication();
    ClientHarness harness;
    harness.attachView = forms::attachView;
    ASSERT_TRUE(support::loadTable(harness));
    auto& c = *harness.client;
    ASSERT_TRUE(c.MainForm->hWnd);
    harness.desktop.clearRecords(harness.hall);
    c.s.g_bGameRunning = true;
    harness.desktop.postMessage(c.MainForm->hWnd, HallMsgInGame);
    harness.scheduler.processPendingEvents();
    EXPECT_EQ(harness.desktop.posts(harness.hall), posts({HallMsgInGame}));
    // A system command still reaches the window's own handling.
    harness.desktop.sendSystemCommand(c.MainForm->hWnd, platform::SystemCommand::Minimise);
    harness.scheduler.processPendingEvents();
    EXPECT_EQ(c.MainForm->windowState(), forms::WindowState::Minimized);
}

}  // namespace
