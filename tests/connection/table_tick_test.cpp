#include <gtest/gtest.h>

#include "client_loading.h"
#include "connection/send_queue.h"
#include "dispatch/server_message_types.h"
#include "state/message_types.h"

namespace {

using platform::SocketState;
using support::DirectTable;
using support::markedFrame;

// A type without a handler of its own: the dispatcher takes it and drops it.
constexpr std::uint8_t kPlainType = 7;

class TableTick : public ::testing::Test {
  protected:
    DirectTable table;
    void SetUp() override {
        ASSERT_NE(table.server, nullptr);
        ASSERT_TRUE(table.loaded);
    }
    state::SharedState& s() { return table.c().s; }
    // Waits (in real time) until the bytes the server sent are in the receive ring.
    bool received(std::int32_t bytes) {
        return table.harness.scheduler.pumpRealIo(
            [&] { return s().g_aRecvRing.unread() >= bytes; });
    }
};

TEST_F(TableTick, QueuedFramesWaitForTheLoginFrameAndThenFollowInOrder) {
    for (std::uint8_t i = 1; i <= 3; ++i) {
        auto frame = markedFrame(kPlainType, i);
        connection::QueueOutgoingMessage(s(), frame);
    }
    table.ticks(3);
    // The socket is up by now, but nothing may precede the login frame.
    EXPECT_EQ(table.form().Winsock1.state(), SocketState::Connected);
    EXPECT_EQ(s().g_aSendRing.unread(), 3 * 272);
    EXPECT_EQ(table.server->frameCount(), 0u);
    table.ticks(1);  // the login step
    ASSERT_TRUE(table.server->waitForFrames(1));
    table.ticks(3);
    ASSERT_TRUE(table.server->waitForFrames(4));
    const auto frames = table.server->frames();
    EXPECT_EQ(frames[0][3], 18);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(frames[i][3], kPlainType);
        EXPECT_EQ(frames[i][100], i);
    }
}

TEST_F(TableTick, TheLoginStepPostsRelinkThenCloseAndArmsTheDisconnectTest) {
    ASSERT_TRUE(table.loggedIn());
    using Post = platform::FakeDesktop::Post;
    // Restore and minimise are system commands; the posts are the login's.
    EXPECT_EQ(table.harness.desktop.posts(table.harness.hall),
              (std::vector<Post>{{0x16, 0, 0}, {0x303, 0, 0}}));
    EXPECT_TRUE(s().g_bConnected);
    EXPECT_TRUE(s().channels.check[state::ChannelDisconnect]);
    EXPECT_FALSE(s().channels.check[state::ChannelLogin]);
    EXPECT_EQ(table.server->frames()[0], s().g_aLoginFrame);
}

TEST_F(TableTick, TenFramesLeaveOnePerTickInOrder) {
    ASSERT_TRUE(table.loggedIn());
    for (std::uint8_t i = 0; i < 10; ++i) {
        auto frame = markedFrame(kPlainType, i);
        connection::QueueOutgoingMessage(s(), frame);
    }
    for (int tick = 1; tick <= 10; ++tick) {
        table.ticks(1);
        EXPECT_EQ(s().g_aSendRing.unread(), (10 - tick) * 272) << "after tick " << tick;
    }
    ASSERT_TRUE(table.server->waitForFrames(11));
    const auto frames = table.server->frames();
    for (int i = 0; i < 10; ++i) EXPECT_EQ(frames[1 + i][100], i);
    table.ticks(1);
    EXPECT_FALSE(s().channels.check[state::ChannelSend]);
}

TEST_F(TableTick, ThreeFramesArrivingAtOnceAreDispatchedFromTheSecondTickOn) {
    ASSERT_TRUE(table.loggedIn());
    std::vector<std::uint8_t> bytes;
    for (std::uint8_t i = 1; i <= 3; ++i) {
        const auto frame = markedFrame(kPlainType, i);
        bytes.insert(bytes.end(), frame.begin(), frame.end());
    }
    table.server->sendBytes(bytes);
    ASSERT_TRUE(received(3 * 272));
    const std::int32_t start = s().g_aRecvRing.read;
    std::vector<int> dispatchedAfterTick;
    for (int tick = 1; tick <= 5; ++tick) {
        table.ticks(1);
        dispatchedAfterTick.push_back((s().g_aRecvRing.read - start) / 272);
    }
    EXPECT_EQ(dispatchedAfterTick, (std::vector<int>{0, 1, 2, 3, 3}));
    EXPECT_EQ(s().g_aCurFrame[100], 3);
}

TEST_F(TableTick, APlayerLeftFrameWaitsWhileTheSettlementShowsAndHoldsWhatFollows) {
    ASSERT_TRUE(table.loggedIn());
    s().g_bResultShown = true;
    auto left = markedFrame(dispatch::MsgPlayerLeft, 1);
    left[state::FrameSeatByte] = 4;
    auto next = markedFrame(kPlainType, 2);
    std::vector<std::uint8_t> bytes(left.begin(), left.end());
    bytes.insert(bytes.end(), next.begin(), next.end());
    table.server->sendBytes(bytes);
    ASSERT_TRUE(received(2 * 272));
    const std::int32_t start = s().g_aRecvRing.read;
    table.ticks(20);
    EXPECT_EQ(s().g_aRecvRing.read, start);
    // Held frames are looked at every tick, so the hold ends at the next one.
    s().g_bResultShown = false;
    table.ticks(1);
    EXPECT_EQ(s().g_aRecvRing.read, start + 272);
    EXPECT_EQ(s().g_aCurFrame[3], dispatch::MsgPlayerLeft);
}

state::Frame propAction(std::uint16_t kind, std::uint8_t marker) {
    auto frame = markedFrame(state::MsgPropAction, marker);
    state::FrameFields::setU16be(frame, 8, static_cast<std::uint16_t>(kind * 8));
    return frame;
}

TEST_F(TableTick, TheFirstKindAPropFrameAfterAHandResultIsParked) {
    ASSERT_TRUE(table.loggedIn());
    s().g_bHoldPropFrameA = true;
    auto parked = propAction(129, 1);
    auto second = propAction(129, 2);
    auto highKind = markedFrame(state::MsgPropAction, 3);
    highKind[8] = 0x80;  // kind 4096
    for (auto* frame : {&parked, &second, &highKind}) connection::QueueOutgoingMessage(s(), *frame);
    table.ticks(3);
    ASSERT_TRUE(table.server->waitForFrames(3));
    const auto frames = table.server->frames();
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[1][100], 2);
    EXPECT_EQ(frames[2][100], 3);
    EXPECT_FALSE(s().g_bHoldPropFrameA);
    EXPECT_EQ(s().g_aHeldPropFrameA, parked);
}

TEST_F(TableTick, KindBIsParkedOnlyByItsOwnFlag) {
    ASSERT_TRUE(table.loggedIn());
    s().g_bHoldPropFrameA = true;
    s().g_bHoldPropFrameB = true;
    auto kindB = propAction(386, 1);
    connection::QueueOutgoingMessage(s(), kindB);
    table.ticks(1);
    EXPECT_TRUE(s().g_bHoldPropFrameA);
    EXPECT_FALSE(s().g_bHoldPropFrameB);
    EXPECT_EQ(s().g_aHeldPropFrameB, kindB);
}

TEST_F(TableTick, ALostConnectionAfterTheLoginStartsTheReconnectionWithinATenthOfASecond) {
    ASSERT_TRUE(table.loggedIn());
    s().g_bAutoReconnect = true;
    s().g_bLoggedIn = true;
    table.server->dropConnection();
    ASSERT_TRUE(table.harness.scheduler.pumpRealIo(
        [&] { return table.form().Winsock1.state() != SocketState::Connected; }));
    table.ticks(2);
    EXPECT_FALSE(s().g_bLoggedIn);
    EXPECT_FALSE(s().channels.check[state::ChannelDisconnect]);
}

TEST_F(TableTick, ALostConnectionBeforeAnyLoginAnswerOnlyRepeatsTheTest) {
    ASSERT_TRUE(table.loggedIn());
    s().g_bLoggedIn = true;
    table.server->dropConnection();
    ASSERT_TRUE(table.harness.scheduler.pumpRealIo(
        [&] { return table.form().Winsock1.state() != SocketState::Connected; }));
    table.ticks(10);
    EXPECT_TRUE(s().g_bLoggedIn);
    EXPECT_TRUE(s().channels.check[state::ChannelDisconnect]);
}

TEST_F(TableTick, TheDisconnectTestEndsTheProgramWhenTheHallIsGone) {
    ASSERT_TRUE(table.loggedIn());
    table.harness.desktop.closeWindow(table.harness.hall);
    table.server->dropConnection();
    ASSERT_TRUE(table.harness.scheduler.pumpRealIo(
        [&] { return table.form().Winsock1.state() != SocketState::Connected; }));
    EXPECT_THROW(table.ticks(2), platform::ProgramEnd);
}

TEST_F(TableTick, ALeaveFrameMinimisesTheTableAndRestoresTheHall) {
    ASSERT_TRUE(table.loggedIn());
    table.harness.desktop.clearRecords(table.harness.hall);
    state::Frame leave{};
    leave[3] = state::MsgSeatAction;
    connection::QueueOutgoingMessage(s(), leave);
    table.ticks(1);
    EXPECT_EQ(table.form().windowState(), forms::WindowState::Minimized);
    EXPECT_EQ(table.harness.desktop.systemCommands(table.harness.hall),
              std::vector<platform::SystemCommand>{platform::SystemCommand::Restore});
}

TEST_F(TableTick, ALeaveFrameWithTheHallGoneEndsTheProgram) {
    ASSERT_TRUE(table.loggedIn());
    table.harness.desktop.closeWindow(table.harness.hall);
    state::Frame leave{};
    leave[3] = state::MsgSeatAction;
    connection::QueueOutgoingMessage(s(), leave);
    EXPECT_THROW(table.ticks(1), platform::ProgramEnd);
    EXPECT_TRUE(table.server->waitForFrames(2));
}

TEST_F(TableTick, TheIdleWatchdogLeavesTheTableAfter5000QuietSteps) {
    ASSERT_TRUE(table.loggedIn());
    s().g_bGameRunning = true;
    s().g_nIdleRounds = 4998;
    s().channels.arm(state::ChannelReceive);
    table.ticks(2);
    EXPECT_EQ(s().g_nIdleRounds, 4999);
    table.ticks(2);
    EXPECT_EQ(s().g_nIdleRounds, 0);
    EXPECT_EQ(table.harness.desktop.systemCommands(table.harness.hall).back(),
              platform::SystemCommand::Restore);
    EXPECT_EQ(table.form().windowState(), forms::WindowState::Minimized);
}

TEST_F(TableTick, TheIdleWatchdogEndsTheProgramWhenTheHallIsGone) {
    ASSERT_TRUE(table.loggedIn());
    s().g_bGameRunning = true;
    s().g_nIdleRounds = 4999;
    s().channels.arm(state::ChannelReceive);
    table.harness.desktop.closeWindow(table.harness.hall);
    EXPECT_THROW(table.ticks(2), platform::ProgramEnd);
}

TEST_F(TableTick, TheBubbleHidesAfterOneSecondAndTheStepRepeats) {
    ASSERT_TRUE(table.loggedIn());
    s().g_nSpeakSeat = 2;
    table.form().Speak[2].setVisible(true);
    table.form().Words.setVisible(true);
    s().channels.arm(state::ChannelBubble);
    table.ticks(19);
    EXPECT_TRUE(table.form().Speak[2].visible());
    table.ticks(1);
    EXPECT_FALSE(table.form().Speak[2].visible());
    EXPECT_FALSE(table.form().Words.visible());
    EXPECT_TRUE(s().channels.check[state::ChannelBubble]);
}

TEST_F(TableTick, TheChatButtonFlashesEightTimesThenRests) {
    ASSERT_TRUE(table.loggedIn());
    s().g_nChatFlashCount = 8;
    s().channels.arm(state::ChannelChatFlash);
    table.ticks(8 * 8);
    EXPECT_EQ(s().g_nChatFlashCount, 0);
    EXPECT_TRUE(s().channels.check[state::ChannelChatFlash]);
    table.ticks(8);
    EXPECT_FALSE(s().channels.check[state::ChannelChatFlash]);
    EXPECT_FALSE(table.form().AnNiu[1].picture().isEmpty());
}

TEST_F(TableTick, ChannelCountersStayBoundedOverHours) {
    ASSERT_TRUE(table.loggedIn());
    table.ticks(20 * 60 * 60);  // an hour of ticks
    for (int k = 0; k < state::ChannelCount; ++k) {
        EXPECT_LE(s().channels.g_aCheckTicks[k], 20) << "channel " << k;
    }
    EXPECT_LE(s().g_nBidTicks, 21);
}

TEST(TableTickLogin, ASocketThatNeverComesUpIsClosedAfterThirtySeconds) {
    // A port nobody listens on: the connection fails and never reaches the connected state.
    auto probe = support::FakeGameServer::onSignedPort();
    ASSERT_NE(probe, nullptr);
    const auto port = probe->port();
    probe.reset();
    support::ClientHarness harness;
    harness.env.commandLine =
        support::ClientHarness::commandLine({{4, QString::number(port)}, {6, "0"}});
    ASSERT_TRUE(support::loadTable(harness));
    auto& c = *harness.client;
    harness.scheduler.advance(200);  // the fourth tick waits, at most 30 s
    EXPECT_GE(harness.scheduler.now(), 30000);
    EXPECT_EQ(c.MainForm->Winsock1.state(), SocketState::Closed);
    EXPECT_FALSE(c.s.g_bConnected);
    EXPECT_FALSE(c.s.g_bLoginSentOnConnection);
    EXPECT_FALSE(c.s.channels.check[state::ChannelLogin]);
    EXPECT_TRUE(c.s.channels.check[state::ChannelDisconnect]);
    using Post = platform::FakeDesktop::Post;
    EXPECT_EQ(harness.desktop.posts(harness.hall), (std::vector<Post>{{0x16, 0, 0}}));
    // The tick goes on; the disconnect test keeps watching the dead link.
    harness.scheduler.advance(1000);
    EXPECT_TRUE(c.MainForm->TimerBong.enabled());
}

}  // namespace
