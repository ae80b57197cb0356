#include <poll.h>
#include <sys/socket.h>

#include <atomic>
#include <cerrno>
#include <thread>

#include "platform/runtime/failure.h"
#include "socket_fixture.h"
#include "support/loopback.h"

namespace nettest {
namespace {

class GameServerSocket : public SocketTest {
  protected:
    support::FakeGameServer server;

    void connectToServer() {
        ASSERT_EQ(connectTo("127.0.0.1", server.port()), SocketState::Connected);
        ASSERT_TRUE(server.waitForClient());
    }
};

TEST_F(GameServerSocket, ConnectIsAsynchronousAndReportsTheConnection) {
    socket.setRemoteHost("127.0.0.1");
    socket.setRemotePort(server.port());
    socket.connect();
    EXPECT_EQ(socket.state(), SocketState::Connecting);
    EXPECT_TRUE(events.empty());
    // A long virtual wait, as the client's own waits do, sees the real connect complete.
    EXPECT_TRUE(
        scheduler.waitUntil([&] { return socket.state() == SocketState::Connected; }, 30000));
    EXPECT_EQ(events, std::vector<std::string>{"connect"});
    EXPECT_TRUE(server.waitForClient());
}

TEST_F(GameServerSocket, HostNameIsResolvedWithoutBlocking) {
    EXPECT_EQ(connectTo("localhost", server.port()), SocketState::Connected);
    EXPECT_TRUE(server.waitForClient());
}

TEST_F(GameServerSocket, FramesTravelBothWaysInOrder) {
    connectToServer();
    const Frame first = numberedFrame(1), second = numberedFrame(2), third = numberedFrame(3);
    socket.sendData(first);
    socket.sendData(second);
    ASSERT_TRUE(server.waitForFrames(2));
    EXPECT_EQ(server.frames(), (std::vector<Frame>{first, second}));

    server.send(third);
    server.send(first);
    ASSERT_TRUE(receiveAtLeast(2 * 272));
    std::vector<std::uint8_t> expected = bytesOf(third);
    expected.insert(expected.end(), first.begin(), first.end());
    EXPECT_EQ(received, expected);
}

TEST_F(GameServerSocket, SplitArrivalReportsTheRunningTotalUntilFetched) {
    connectToServer();
    fetchOnArrival = false;
    const Frame frame = numberedFrame(9);
    server.sendBytes(std::span(frame).first(100));
    ASSERT_TRUE(pumpUntil([&] { return socket.bytesReceived() == 100; }));
    server.sendBytes(std::span(frame).subspan(100));
    ASSERT_TRUE(pumpUntil([&] { return socket.bytesReceived() == 272; }));
    EXPECT_EQ(arrivals, (std::vector<std::size_t>{100, 272}));
    EXPECT_EQ(socket.getData(), bytesOf(frame));
    EXPECT_EQ(socket.bytesReceived(), 0u);
}

TEST_F(GameServerSocket, FrameSentInPiecesArrivesIntact) {
    connectToServer();
    const Frame frame = numberedFrame(4);
    server.send(frame, 5);
    ASSERT_TRUE(receiveAtLeast(272));
    EXPECT_EQ(received, bytesOf(frame));
}

TEST_F(GameServerSocket, PeerCloseComesAfterItsDataAndLeavesTheConnectedState) {
    connectToServer();
    const Frame frame = numberedFrame(5);
    server.send(frame);
    ASSERT_TRUE(server.waitUntilSent());
    server.dropConnection();
    ASSERT_TRUE(pumpUntil([&] { return !events.empty() && events.back() == "close"; }));
    EXPECT_EQ(events, (std::vector<std::string>{"connect", "data", "close"}));
    EXPECT_EQ(received, bytesOf(frame));
    EXPECT_EQ(socket.state(), SocketState::Closing);
    EXPECT_THROW(socket.sendData(frame), platform::RuntimeFailure);

    socket.close();
    EXPECT_EQ(socket.state(), SocketState::Closed);
}

TEST_F(GameServerSocket, PeerResetIsAnError) {
    connectToServer();
    server.resetConnection();
    ASSERT_TRUE(pumpUntil([&] { return socket.state() != SocketState::Connected; }));
    EXPECT_TRUE(socket.state() == SocketState::Error || socket.state() == SocketState::Closing);
}

TEST_F(GameServerSocket, CloseEndsTheConnectionForThePeerWithoutEvents) {
    connectToServer();
    socket.close();
    EXPECT_EQ(socket.state(), SocketState::Closed);
    EXPECT_TRUE(server.waitForNoClient());
    scheduler.pumpRealIo([] { return false; }, 50ms);
    EXPECT_EQ(events, std::vector<std::string>{"connect"});
}

TEST_F(GameServerSocket, ConnectWhileConnectedReplacesTheConnection) {
    connectToServer();
    socket.connect();
    settle();
    ASSERT_EQ(socket.state(), SocketState::Connected);
    EXPECT_TRUE(server.waitForConnections(2));
    socket.sendData(numberedFrame(6));
    ASSERT_TRUE(server.waitForFrames(1));
    EXPECT_EQ(server.frames().front(), numberedFrame(6));
}

TEST_F(GameServerSocket, ReconnectAfterDropReachesTheServerAgain) {
    connectToServer();
    server.dropConnection();
    ASSERT_TRUE(pumpUntil([&] { return socket.state() == SocketState::Closing; }));
    socket.close();
    EXPECT_EQ(connectTo("127.0.0.1", server.port()), SocketState::Connected);
    EXPECT_TRUE(server.waitForConnections(2));
}

TEST_F(GameServerSocket, ConnectionResetOnAcceptIsNotConnected) {
    server.refuseNext();
    connectTo("127.0.0.1", server.port());
    // The handshake may complete before the reset arrives; the reset ends it either way.
    ASSERT_TRUE(pumpUntil([&] { return socket.state() != SocketState::Connected; }));
    EXPECT_NE(socket.state(), SocketState::Connected);
    EXPECT_EQ(server.refusedCount(), 1);
    EXPECT_EQ(server.connectionCount(), 0);
}

TEST_F(GameServerSocket, ArrivalHandlerMayCloseOrDestroyTheSocket) {
    connectToServer();
    socket.onDataArrival = [&](std::size_t) { socket.close(); };
    server.send(numberedFrame(1));
    ASSERT_TRUE(pumpUntil([&] { return socket.state() == SocketState::Closed; }));
    EXPECT_TRUE(server.waitForNoClient());

    auto owned = std::make_unique<platform::TcpSocket>(scheduler);
    owned->setRemoteHost("127.0.0.1");
    owned->setRemotePort(server.port());
    owned->onDataArrival = [&](std::size_t) { owned.reset(); };
    owned->onClose = [] { FAIL() << "no event after destruction"; };
    owned->connect();
    ASSERT_TRUE(pumpUntil([&] { return owned->state() == SocketState::Connected; }));
    ASSERT_TRUE(server.waitForConnections(2));
    server.send(numberedFrame(2));
    ASSERT_TRUE(server.waitUntilSent());
    server.dropConnection();  // its end may come in the same pass as the data
    EXPECT_TRUE(pumpUntil([&] { return owned == nullptr; }));
}

TEST(SocketStateMachine, SendingWhileNotConnectedIsARuntimeFailure) {
    platform::Scheduler scheduler(platform::Scheduler::Mode::Virtual);
    platform::TcpSocket socket(scheduler);
    const Frame frame{};
    EXPECT_THROW(socket.sendData(frame), platform::RuntimeFailure);
    EXPECT_EQ(socket.state(), SocketState::Closed);
}

// Bad targets end in the error state, reported as one event after connect() has returned.
TEST_F(SocketTest, BadTargetsEndInTheErrorStateWithoutHanging) {
    support::FakeGameServer refusing;
    refusing.stopListening();
    struct Case {
        QString host;
        int port;
        int code;
    };
    const Case cases[] = {
        {"127.0.0.1", refusing.port(), ECONNREFUSED},
        {"no-such-host.invalid", 5000, platform::TcpSocket::kHostNotFound},
        {"", 5000, platform::TcpSocket::kHostNotFound},
        {"   ", 5000, platform::TcpSocket::kHostNotFound},
        {"127.0.0.1", 0, EINVAL},
        {"127.0.0.1", -1, EINVAL},
        {"127.0.0.1", 70000, EINVAL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.host.toStdString() + ":" + std::to_string(c.port));
        events.clear();
        errorCodes.clear();
        socket.setRemoteHost(c.host);
        socket.setRemotePort(c.port);
        socket.connect();
        EXPECT_TRUE(events.empty());
        settle(60s);  // a resolver without an answering name server takes its time
        EXPECT_EQ(socket.state(), SocketState::Error);
        EXPECT_EQ(events, std::vector<std::string>{"error"});
        EXPECT_EQ(errorCodes, std::vector<int>{c.code});
        EXPECT_THROW(socket.sendData(std::string_view("x")), platform::RuntimeFailure);
    }
    // Closing an errored socket brings it back to closed.
    socket.close();
    EXPECT_EQ(socket.state(), SocketState::Closed);
}

TEST_F(SocketTest, CloseDuringNameLookupDropsItsOutcome) {
    socket.setRemoteHost("no-such-host.invalid");
    socket.setRemotePort(5000);
    socket.connect();
    socket.close();
    EXPECT_EQ(socket.state(), SocketState::Closed);
    scheduler.pumpRealIo([] { return false; }, 100ms);
    EXPECT_TRUE(events.empty());
}

// A peer that does not read yet: the socket keeps what the system does not take and sends
// it, in order, once it can.
class SlowReader : public SocketTest {
  protected:
    support::UniqueFd listener = support::listenOnLoopback();
    std::vector<std::uint8_t> payload;
    std::vector<std::uint8_t> got;
    std::thread reader;
    std::atomic<bool> done{false};

    SlowReader() {
        payload.resize(8 << 20);
        for (std::size_t i = 0; i < payload.size(); ++i) {
            payload[i] = static_cast<std::uint8_t>(i * 31 + (i >> 16));
        }
    }
    ~SlowReader() override {
        if (reader.joinable()) reader.join();
    }

    void startReading() {
        reader = std::thread([this] {
            support::UniqueFd peer(::accept(listener.get(), nullptr, nullptr));
            std::uint8_t buffer[65536];
            for (;;) {
                pollfd entry{peer.get(), POLLIN, 0};
                if (::poll(&entry, 1, 10000) <= 0) break;
                const ssize_t n = ::recv(peer.get(), buffer, sizeof buffer, 0);
                if (n <= 0) break;
                got.insert(got.end(), buffer, buffer + n);
            }
            done = true;
        });
    }
};

TEST_F(SlowReader, BytesTheSystemCannotTakeGoOutLaterInOrder) {
    ASSERT_EQ(connectTo("127.0.0.1", support::localPort(listener.get())), SocketState::Connected);
    socket.sendData(payload);
    EXPECT_GT(socket.bytesPending(), 0u);
    startReading();
    ASSERT_TRUE(pumpUntil([&] { return socket.bytesPending() == 0; }, 20s));
    socket.close();
    reader.join();
    EXPECT_TRUE(done);
    EXPECT_EQ(got.size(), payload.size());
    EXPECT_TRUE(got == payload);
}

TEST_F(SlowReader, CloseFlushesWhatIsStillPending) {
    ASSERT_EQ(connectTo("127.0.0.1", support::localPort(listener.get())), SocketState::Connected);
    socket.sendData(payload);
    ASSERT_GT(socket.bytesPending(), 0u);
    startReading();
    socket.close();
    EXPECT_EQ(socket.state(), SocketState::Closed);
    reader.join();
    EXPECT_EQ(got.size(), payload.size());
    EXPECT_TRUE(got == payload);
}

}  // namespace
}  // namespace nettest
