#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "platform/net/tcp_socket.h"
#include "platform/runtime/scheduler.h"
#include "support/fake_game_server.h"

namespace nettest {

using Frame = support::FakeGameServer::Frame;
using platform::SocketState;
using namespace std::chrono_literals;

inline Frame numberedFrame(std::uint8_t seed) {
    Frame frame;
    for (std::size_t i = 0; i < frame.size(); ++i) {
        frame[i] = static_cast<std::uint8_t>(seed + i * 7);
    }
    return frame;
}

inline std::vector<std::uint8_t> bytesOf(std::span<const std::uint8_t> bytes) {
    return {bytes.begin(), bytes.end()};
}

// A socket on a virtual-time scheduler with every event recorded.
class SocketTest : public ::testing::Test {
  protected:
    platform::Scheduler scheduler{platform::Scheduler::Mode::Virtual};
    platform::TcpSocket socket{scheduler};
    std::vector<std::uint8_t> received;  // fetched by the arrival event
    std::vector<std::size_t> arrivals;   // bytesTotal of each arrival event
    std::vector<std::string> events;     // "connect", "data", "close", "error"
    std::vector<int> errorCodes;
    bool fetchOnArrival = true;

    SocketTest() {
        socket.onConnect = [this] { events.push_back("connect"); };
        socket.onDataArrival = [this](std::size_t total) {
            events.push_back("data");
            arrivals.push_back(total);
            if (fetchOnArrival) {
                auto bytes = socket.getData();
                received.insert(received.end(), bytes.begin(), bytes.end());
            }
        };
        socket.onClose = [this] { events.push_back("close"); };
        socket.onError = [this](int code, const QString&) {
            events.push_back("error");
            errorCodes.push_back(code);
        };
    }

    // Starts a connection and waits (virtual time; the connect itself runs in real time) for
    // its outcome.
    SocketState connectTo(const QString& host, int port) {
        socket.setRemoteHost(host);
        socket.setRemotePort(port);
        socket.connect();
        settle();
        return socket.state();
    }

    // Waits in real time for a connection attempt to end one way or the other.
    void settle(std::chrono::milliseconds limit = 20s) {
        scheduler.pumpRealIo([&] { return socket.state() != SocketState::Connecting; }, limit);
        scheduler.processPendingEvents();  // let a posted error event run
    }

    bool pumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = 5s) {
        return scheduler.pumpRealIo(done, limit);
    }

    bool receiveAtLeast(std::size_t count) {
        return pumpUntil([&] { return received.size() >= count; });
    }
};

}  // namespace nettest
