#include "connection/reconnection.h"

#include <gtest/gtest.h>

#include <vector>

#include "connection/exit_dialogs.h"
#include "connection/hall_link.h"
#include "table_session.h"

namespace {

using platform::Millis;

TEST(ReconnectFrame, IsTheLoginFrameWithTypeTokenAndThreadIndex) {
    state::Frame login{};
    login[3] = 18;
    login[14] = 1;
    login[16] = 'p';
    login[32] = 'w';
    const state::Frame before = login;
    const state::Frame frame =
        connection::BuildReconnectFrame(login, {0xAB, 0xCD}, std::int32_t(0x84030201u));
    state::Frame expected = login;
    expected[3] = 28;
    expected[260] = 0xAB;
    expected[261] = 0xCD;
    // 0x84030201: most significant 84, then 03, 02, 01; sent least significant first.
    expected[268] = 0x01;
    expected[269] = 0x02;
    expected[270] = 0x03;
    expected[271] = 0x84;
    EXPECT_EQ(frame, expected);
    EXPECT_EQ(login, before);
}

class Reconnection : public ::testing::Test {
  protected:
    testing_session::TableSession session;
    std::vector<Millis> attempts;  // virtual times of the refused reconnect attempts
    std::function<void()> onAttempt;

    client::Client& c() { return *session.c; }

    void logIn() {
        session.startDirect();
        login = session.server.frames().at(0);
        session.acceptLogin({0x12, 0x34});
        c().s.threadIndex = std::int32_t(0x84030201u);
        // Each refused connect of an attempt reports an error on the socket.
        session.table().Winsock1.onError = [this](int, const QString&) {
            attempts.push_back(session.time().now());
            if (onAttempt) onAttempt();
        };
    }

    // The server drops the connection; the tick's disconnect test loads the reconnect window.
    void loseConnection(bool serverGoesDown) {
        if (serverGoesDown) session.server.stopListening();
        session.server.dropConnection();
        ASSERT_TRUE(session.waitForClientClosed());
        session.time().advance(150);
        ASSERT_TRUE(c().frmReconnect.isLoaded());
        EXPECT_FALSE(c().frmReconnect->visible());
        lostAt = session.time().now();
    }

    state::Frame expectedReconnectFrame() const {
        state::Frame frame = login;
        frame[3] = 28;
        frame[260] = 0x12;
        frame[261] = 0x34;
        frame[268] = 0x01;
        frame[269] = 0x02;
        frame[270] = 0x03;
        frame[271] = 0x84;
        return frame;
    }

    state::Frame login{};
    Millis lostAt = 0;
};

TEST_F(Reconnection, SucceedsOnTheFifthAttemptWithTheExactReconnectFrame) {
    logIn();
    loseConnection(true);
    session.server.clearFrames();
    onAttempt = [this] {
        if (attempts.size() == 4) session.server.startListening();
    };
    ASSERT_TRUE(session.waitForFrames(1));
    ASSERT_EQ(attempts.size(), 4u);
    for (std::size_t i = 1; i < attempts.size(); ++i)
        EXPECT_EQ(attempts[i] - attempts[i - 1], 3000);
    EXPECT_LE(attempts[0] - lostAt, 3100);
    EXPECT_EQ(session.server.frames()[0], expectedReconnectFrame());
    EXPECT_EQ(c().s.g_aLoginFrame, login) << "the login frame stays a login frame";

    // The next check finds the socket up: the window goes away.
    session.time().advance(3100);
    EXPECT_FALSE(c().frmReconnect.isLoaded());
    // The keep-alives queued during the outage follow the reconnect frame, never precede it.
    const auto frames = session.server.frames();
    EXPECT_EQ(frames[0], expectedReconnectFrame());
    for (std::size_t i = 1; i < frames.size(); ++i) EXPECT_EQ(frames[i][3], 24);

    // A later relink from the hall logs in afresh with the login frame, not the reconnect frame.
    session.server.clearFrames();
    connection::MainWndProc(c(), {}, connection::HallMsgRelink, 0, 0);
    ASSERT_TRUE(session.waitForFrames(1));
    EXPECT_EQ(session.server.frames()[0], login);
}

TEST_F(Reconnection, GivesUpAfterTwentyOneAttemptsAndStartsAfreshAfterTheNextLogin) {
    logIn();
    loseConnection(true);
    session.time().advance(3016 + 21 * 3000 + 100);

    ASSERT_EQ(attempts.size(), 21u);
    for (std::size_t i = 1; i < attempts.size(); ++i)
        EXPECT_EQ(attempts[i] - attempts[i - 1], 3000);
    auto& notice = *c().frmOtherExit;
    EXPECT_TRUE(notice.visible());
    EXPECT_TRUE(notice.topmost());
    EXPECT_EQ(notice.Label1.caption(), QStringLiteral("网络已断开,请退出大厅重新登陆游戏"));
    EXPECT_FALSE(c().frmReconnect.isLoaded());
    EXPECT_EQ(session.table().windowState(), forms::WindowState::Minimized);
    EXPECT_FALSE(session.harness.desktop.isMinimised(session.harness.hall));

    // The hall sends the player to a table again: a login frame, not a reconnect frame.
    session.server.startListening();
    session.server.clearFrames();
    connection::MainWndProc(c(), {}, connection::HallMsgRelink, 0, 0);
    ASSERT_TRUE(session.waitForFrames(1));
    EXPECT_EQ(session.server.frames()[0], login);
    session.acceptLogin({0x12, 0x34});

    // A second loss reconnects again, from a fresh count.
    attempts.clear();
    session.server.clearFrames();
    loseConnection(false);
    EXPECT_EQ(c().s.ReconnectCount, 0);
    ASSERT_TRUE(session.waitForFrames(1));
    EXPECT_EQ(session.server.frames()[0], expectedReconnectFrame());
    EXPECT_EQ(c().s.ReconnectCount, 1);
}

TEST_F(Reconnection, ASocketUpAtTheFirstCheckEndsItWithoutAnAttempt) {
    logIn();
    connection::StartReconnection(c());
    session.time().advance(3100);
    EXPECT_FALSE(c().frmReconnect.isLoaded());
    EXPECT_EQ(c().s.ReconnectCount, 0);
    EXPECT_EQ(session.server.connectionCount(), 1);
}

TEST_F(Reconnection, ThroughAProxyEachAttemptRepeatsTheWholeHandshake) {
    support::FakeSocks5Proxy proxy;
    proxy.redirectTo(session.server.port());
    proxy.requireAuthentication("user", "pass1234");
    session.startThroughProxy(proxy);
    ASSERT_TRUE(session.waitForFrames(1));
    login = session.server.frames().at(0);
    session.acceptLogin({0x12, 0x34});
    c().s.threadIndex = std::int32_t(0x84030201u);

    session.server.clearFrames();
    loseConnection(false);
    session.time().advance(3100);
    ASSERT_TRUE(session.waitForFrames(1));
    EXPECT_EQ(session.server.frames()[0], expectedReconnectFrame());
    const auto handshakes = proxy.handshakes();
    ASSERT_EQ(handshakes.size(), 2u);
    EXPECT_EQ(handshakes[1].greeting, handshakes[0].greeting);
    EXPECT_EQ(handshakes[1].password, std::optional<std::string>("pass1234"));
    EXPECT_EQ(handshakes[1].request, handshakes[0].request);
}

}  // namespace
