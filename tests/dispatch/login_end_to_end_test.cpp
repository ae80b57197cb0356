// The client against the fake game server over loopback, on virtual time: start-up connects and
// logs in, the table tick hands the server's answers to the dispatcher, the keep-alive runs,
// and a lost connection is reconnected with the stored token.
#include <gtest/gtest.h>

#include <memory>

#include "client/client.h"
#include "client/main_form.h"
#include "connection/hall_link.h"
#include "platform/runtime/failure.h"
#include "support/loopback_table.h"
#include "support/server_frames.h"

namespace dispatch_test {
namespace {

using support::FrameThreadIndex;
using support::FrameToken;
using support::FrameType;

constexpr std::uint8_t kLogin = 18, kKeepAlive = 24, kReconnect = 28;

class LoginEndToEnd : public ::testing::Test, protected support::LoopbackTable {
  protected:
    // Loads the client with a direct connection to the fake server and waits for its login.
    void startAndLogIn() {
        start();
        EXPECT_EQ(FrameType(server.frames().front()), kLogin);
    }

    std::vector<std::uint32_t> hallPosts() const {
        std::vector<std::uint32_t> messages;
        for (const auto& post : harness.desktop.posts(harness.hall))
            messages.push_back(post.message);
        return messages;
    }
};

TEST_F(LoginEndToEnd, ALoggedInClientKeepsAliveAndReconnectsWithItsTokenAfterADrop) {
    startAndLogIn();
    deliver(support::BuildLoginReply({.loginResult = 1, .token = {0x12, 0x34}}));
    ASSERT_TRUE(c->s.g_bLoggedIn);
    EXPECT_EQ(hallPosts().back(), connection::HallMsgClose);

    // One keep-alive every five seconds.
    server.clearFrames();
    for (std::size_t k = 1; k <= 3; ++k) {
        harness.scheduler.advance(5000);
        ASSERT_TRUE(server.waitForFrames(k));
        EXPECT_EQ(server.frameCount(), k);
        EXPECT_EQ(FrameType(server.frames().back()), kKeepAlive);
    }

    // The server drops the connection: the client notices and reconnects on its own.
    c->s.threadIndex = 0x01020384;
    server.clearFrames();
    server.dropConnection();
    ASSERT_TRUE(harness.scheduler.pumpRealIo(
        [&] { return c->MainForm->Winsock1.state() != platform::SocketState::Connected; }));
    harness.scheduler.advance(200);
    EXPECT_FALSE(c->s.g_bLoggedIn);
    harness.scheduler.advance(4000);
    ASSERT_TRUE(server.waitForConnections(2));
    ASSERT_TRUE(server.waitForFrames(1));
    const state::Frame reconnect = server.frames().front();
    EXPECT_EQ(FrameType(reconnect), kReconnect);
    EXPECT_EQ(FrameToken(reconnect), (support::Token{0x12, 0x34}));
    EXPECT_EQ(FrameThreadIndex(reconnect), 0x01020384);

    deliver(support::BuildReconnectReply({.reconnectResult = 1, .token = {0x77, 0x77}}));
    EXPECT_TRUE(c->s.g_bLoggedIn);
    EXPECT_TRUE(c->s.g_bReconnecting);
    EXPECT_EQ(c->s.g_aServerToken, (support::Token{0x12, 0x34}));
    EXPECT_FALSE(harness.scheduler.hasEnded());
}

TEST_F(LoginEndToEnd, ARefusedLoginRestoresTheHallAndEndsTheProgram) {
    startAndLogIn();
    harness.desktop.clearRecords(harness.hall);
    server.send(support::BuildLoginReply({.loginResult = 0}));
    ASSERT_TRUE(harness.scheduler.pumpRealIo([&] { return c->s.g_aRecvRing.holdsFrame(); }));
    EXPECT_THROW(harness.scheduler.advance(200), platform::ProgramEnd);
    EXPECT_TRUE(harness.scheduler.hasEnded());
    EXPECT_EQ(hallPosts(), std::vector<std::uint32_t>{connection::HallMsgRelink});
    EXPECT_EQ(harness.desktop.systemCommands(harness.hall),
              std::vector<platform::SystemCommand>{platform::SystemCommand::Restore});
    EXPECT_FALSE(c->s.g_bLoggedIn);
}

}  // namespace
}  // namespace dispatch_test
