#include <QCoreApplication>

#include "platform/net/tcp_socket.h"
#include "socket_fixture.h"

namespace nettest {
namespace {

// The same socket inside Qt's event loop, as the program runs it.
TEST(RealModeSocket, ConnectsExchangesFramesAndSeesThePeerClose) {
    int argc = 1;
    char name[] = "test_net";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    platform::Scheduler scheduler(platform::Scheduler::Mode::Real);
    support::FakeGameServer server;
    platform::TcpSocket socket(scheduler);
    std::vector<std::uint8_t> received;
    int arrivals = 0;
    bool closed = false;
    socket.onDataArrival = [&](std::size_t) {
        ++arrivals;
        auto bytes = socket.getData();
        received.insert(received.end(), bytes.begin(), bytes.end());
    };
    socket.onClose = [&] { closed = true; };

    socket.setRemoteHost("127.0.0.1");
    socket.setRemotePort(server.port());
    socket.connect();
    ASSERT_TRUE(
        scheduler.waitUntil([&] { return socket.state() == SocketState::Connected; }, 5000));

    socket.sendData(numberedFrame(1));
    ASSERT_TRUE(server.waitForFrames(1));
    EXPECT_EQ(server.frames().front(), numberedFrame(1));

    const Frame frame = numberedFrame(2);
    server.sendBytes(std::span(frame).first(100));
    ASSERT_TRUE(scheduler.waitUntil([&] { return received.size() == 100; }, 5000));
    server.sendBytes(std::span(frame).subspan(100));
    ASSERT_TRUE(scheduler.waitUntil([&] { return received.size() == 272; }, 5000));
    EXPECT_EQ(received, bytesOf(frame));
    EXPECT_EQ(arrivals, 2);

    server.dropConnection();
    ASSERT_TRUE(scheduler.waitUntil([&] { return closed; }, 5000));
    EXPECT_NE(socket.state(), SocketState::Connected);
    socket.close();
    EXPECT_EQ(socket.state(), SocketState::Closed);
}

}  // namespace
}  // namespace nettest
