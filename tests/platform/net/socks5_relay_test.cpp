#include "socket_fixture.h"
#include "support/fake_socks5_proxy.h"

namespace nettest {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Proxy = support::FakeSocks5Proxy;

// The test speaks SOCKS5 itself over the client socket; the proxy relays to the fake server.
class Socks5Relay : public SocketTest {
  protected:
    support::FakeGameServer server;
    Proxy proxy;

    void connectToProxy() {
        ASSERT_EQ(connectTo("127.0.0.1", proxy.port()), SocketState::Connected);
    }

    // Sends a request and returns the reply once `length` bytes of it are in.
    Bytes exchange(const Bytes& request, std::size_t length) {
        received.clear();
        socket.sendData(request);
        receiveAtLeast(length);
        return received;
    }

    Bytes connectRequest() const {
        const std::uint16_t port = server.port();
        return {5,
                1,
                0,
                1,
                127,
                0,
                0,
                1,
                static_cast<std::uint8_t>(port >> 8),
                static_cast<std::uint8_t>(port)};
    }

    bool closedByPeer() {
        return pumpUntil([&] { return socket.state() != SocketState::Connected; });
    }

    void expectRelaysFramesBothWays() {
        ASSERT_TRUE(server.waitForClient());
        socket.sendData(numberedFrame(1));
        ASSERT_TRUE(server.waitForFrames(1));
        EXPECT_EQ(server.frames().front(), numberedFrame(1));
        received.clear();
        server.send(numberedFrame(2), 3);
        ASSERT_TRUE(receiveAtLeast(272));
        EXPECT_EQ(received, bytesOf(numberedFrame(2)));
    }
};

TEST_F(Socks5Relay, TunnelsFramesForEachWayOfAnswering) {
    struct Case {
        const char* name;
        bool requireLogin;
        bool split;
        int delayMs;
    };
    for (const Case& c :
         {Case{"no authentication", false, false, 0}, Case{"user and password", true, false, 0},
          Case{"replies a byte at a time", true, true, 0},
          Case{"slow replies", true, false, 200}}) {
        SCOPED_TRACE(c.name);
        support::FakeGameServer caseServer;
        Proxy caseProxy;
        if (c.requireLogin) caseProxy.requireAuthentication("user", "pass1234");
        caseProxy.splitReplies(c.split);
        caseProxy.delayReplies(std::chrono::milliseconds(c.delayMs));
        socket.close();
        ASSERT_EQ(connectTo("127.0.0.1", caseProxy.port()), SocketState::Connected);

        const Bytes methodReply = exchange({5, 2, 0, 2}, 2);
        if (c.requireLogin) {
            ASSERT_EQ(methodReply, (Bytes{5, 2}));
            ASSERT_EQ(
                exchange({1, 4, 'u', 's', 'e', 'r', 8, 'p', 'a', 's', 's', '1', '2', '3', '4'}, 2),
                (Bytes{1, 0}));
        } else {
            ASSERT_EQ(methodReply, (Bytes{5, 0}));
        }
        const std::uint16_t port = caseServer.port();
        const Bytes reply =
            exchange({5, 1, 0, 1, 127, 0, 0, 1, static_cast<std::uint8_t>(port >> 8),
                      static_cast<std::uint8_t>(port)},
                     10);
        ASSERT_EQ(reply.size(), 10u);
        EXPECT_EQ(Bytes(reply.begin(), reply.begin() + 4), (Bytes{5, 0, 0, 1}));
        ASSERT_TRUE(caseProxy.waitForTunnel());

        ASSERT_TRUE(caseServer.waitForClient());
        socket.sendData(numberedFrame(1));
        ASSERT_TRUE(caseServer.waitForFrames(1));
        EXPECT_EQ(caseServer.frames().front(), numberedFrame(1));
        received.clear();
        caseServer.send(numberedFrame(2), 3);
        ASSERT_TRUE(receiveAtLeast(272));
        EXPECT_EQ(received, bytesOf(numberedFrame(2)));

        const auto handshake = caseProxy.handshakes().at(0);
        EXPECT_EQ(handshake.greeting, (Bytes{5, 2, 0, 2}));
        EXPECT_EQ(handshake.targetHost, "127.0.0.1");
        EXPECT_EQ(handshake.targetPort, port);
        if (c.requireLogin) {
            EXPECT_EQ(handshake.user, "user");
            EXPECT_EQ(handshake.password, "pass1234");
        }
    }
}

TEST_F(Socks5Relay, RedirectReachesTheServerWhateverAddressIsAsked) {
    proxy.redirectTo(server.port());
    connectToProxy();
    ASSERT_EQ(exchange({5, 2, 0, 2}, 2), (Bytes{5, 0}));
    // 10.0.0.5:443, which the proxy records but does not reach out to.
    const Bytes reply = exchange({5, 1, 0, 1, 10, 0, 0, 5, 1, 0xBB}, 10);
    ASSERT_EQ(reply.size(), 10u);
    EXPECT_EQ(reply[1], 0);
    EXPECT_EQ(proxy.handshakes().at(0).request, (Bytes{5, 1, 0, 1, 10, 0, 0, 5, 1, 0xBB}));
    EXPECT_EQ(proxy.handshakes().at(0).targetHost, "10.0.0.5");
    EXPECT_EQ(proxy.handshakes().at(0).targetPort, 443);
    expectRelaysFramesBothWays();
}

TEST_F(Socks5Relay, RefusalsAnswerAndCloseAtTheirStep) {
    struct Case {
        const char* name;
        std::function<void(Proxy&)> setUp;
        std::vector<Bytes> requests;  // every request but the last is answered as usual
        Bytes refusal;
    };
    const std::uint16_t port = server.port();
    const Bytes connect = {5,
                           1,
                           0,
                           1,
                           127,
                           0,
                           0,
                           1,
                           static_cast<std::uint8_t>(port >> 8),
                           static_cast<std::uint8_t>(port)};
    const Case cases[] = {
        {"no acceptable method",
         [](Proxy& p) { p.refuseAuthentication(); },
         {{5, 2, 0, 2}},
         {5, 0xFF}},
        {"login required but not offered",
         [](Proxy& p) { p.requireAuthentication("a", "b"); },
         {{5, 1, 0}},
         {5, 0xFF}},
        {"wrong password",
         [](Proxy& p) { p.requireAuthentication("user", "right"); },
         {{5, 2, 0, 2}, {1, 4, 'u', 's', 'e', 'r', 5, 'w', 'r', 'o', 'n', 'g'}},
         {1, 1}},
        {"connect refused",
         [](Proxy& p) { p.refuseConnect(5); },
         {{5, 2, 0, 2}, connect},
         {5, 5, 0, 1, 127, 0, 0, 1, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Proxy caseProxy;
        c.setUp(caseProxy);
        socket.close();
        ASSERT_EQ(connectTo("127.0.0.1", caseProxy.port()), SocketState::Connected);
        for (std::size_t i = 0; i + 1 < c.requests.size(); ++i) {
            const Bytes answer = exchange(c.requests[i], 2);
            ASSERT_EQ(answer.size(), 2u);
            ASSERT_NE(answer[1], 0xFF);
        }
        EXPECT_EQ(exchange(c.requests.back(), c.refusal.size()), c.refusal);
        EXPECT_TRUE(closedByPeer());
        EXPECT_TRUE(caseProxy.waitForHandshakes(1));
    }
    EXPECT_EQ(server.connectionCount(), 0);
}

TEST_F(Socks5Relay, ServerDroppingTheTunnelClosesTheClient) {
    connectToProxy();
    ASSERT_EQ(exchange({5, 1, 0}, 2), (Bytes{5, 0}));
    ASSERT_EQ(exchange(connectRequest(), 10).size(), 10u);
    ASSERT_TRUE(server.waitForClient());
    server.dropConnection();
    EXPECT_TRUE(closedByPeer());
    EXPECT_EQ(socket.state(), SocketState::Closing);
}

}  // namespace
}  // namespace nettest
