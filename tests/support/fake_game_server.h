#pragma once

#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

#include "support/loopback.h"

namespace support {

// A game server on 127.0.0.1 for tests: it accepts one client at a time (a new one replaces
// the old), records every whole 272-byte frame the client sends, sends what the test gives it,
// and can break the connection in the ways a real network does. It runs on a thread of its
// own; every member may be called from the test's thread.
class FakeGameServer {
  public:
    static constexpr std::size_t kFrameSize = 272;
    using Frame = std::array<std::uint8_t, kFrameSize>;
    using Millis = std::chrono::milliseconds;
    using Clock = std::chrono::steady_clock;
    static constexpr Millis kDefaultWait{5000};
    // Pause between the pieces of a split send, so they reach the client as separate arrivals.
    static constexpr Millis kPieceGap{30};

    // Listens on a free port below 32768, which the client's 16-bit port field can hold.
    FakeGameServer();
    // Listens on a port of the caller's choice (port() is 0 when it cannot).
    explicit FakeGameServer(std::uint16_t port);
    static std::unique_ptr<FakeGameServer> onSignedPort();
    ~FakeGameServer();
    FakeGameServer(const FakeGameServer&) = delete;
    FakeGameServer& operator=(const FakeGameServer&) = delete;

    std::uint16_t port() const { return port_; }

    // Connections.
    bool hasClient() const;
    bool waitForClient(Millis timeout = kDefaultWait) const;
    // Waits until no client is connected (the client closed, or the server dropped it).
    bool waitForNoClient(Millis timeout = kDefaultWait) const;
    // Connections accepted and kept (refused ones not counted).
    int connectionCount() const;
    bool waitForConnections(int count, Millis timeout = kDefaultWait) const;
    int refusedCount() const;
    // When the last connection was accepted (the epoch of the clock before the first).
    Clock::time_point lastConnectedAt() const;

    // Frames received, over all connections, in order. Bytes of an unfinished frame are kept
    // until the rest arrives; a connection's unfinished frame is dropped with the connection.
    std::vector<Frame> frames() const;
    std::size_t frameCount() const;
    bool waitForFrames(std::size_t count, Millis timeout = kDefaultWait) const;
    void clearFrames();
    // When each frame of frames() was whole, in the same order.
    std::vector<Clock::time_point> frameTimes() const;
    // Every byte received, frames and tails alike.
    std::size_t bytesReceived() const;

    // Sends to the current (or the next) client; returns at once. splitInto > 1 writes the
    // frame in that many pieces, kPieceGap apart.
    void send(const Frame& frame, int splitInto = 1);
    void sendBytes(std::span<const std::uint8_t> bytes);
    // Waits until everything given to send() has been written.
    bool waitUntilSent(Millis timeout = kDefaultWait) const;

    // Faults.
    void dropConnection();   // orderly close of the current connection; unsent bytes are lost
    void resetConnection();  // the same with a reset
    void refuseNext();       // the next connection is reset as soon as it is accepted
    void stopListening();    // connections are refused until startListening()
    void startListening();   // listens again on the same port

  private:
    struct Piece {
        std::vector<std::uint8_t> bytes;
        Millis gapBefore{0};
    };

    void run();
    void runOnThread(std::function<void()> task);
    void acceptClient();
    void readClient();
    void writeDue();
    void closeClient(bool reset);
    int pollTimeout() const;

    std::uint16_t port_ = 0;
    WakeSignal wake_;

    // Owned by the server thread.
    UniqueFd listen_;
    UniqueFd client_;
    std::vector<std::uint8_t> partial_;
    std::size_t pieceOffset_ = 0;
    Clock::time_point nextPieceAt_{};

    // Shared, under mutex_.
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    std::deque<std::function<void()>> tasks_;
    std::deque<Piece> outgoing_;
    std::vector<Frame> frames_;
    std::vector<Clock::time_point> frameTimes_;
    Clock::time_point lastConnectedAt_{};
    std::size_t bytesReceived_ = 0;
    bool connected_ = false;
    bool refuseNext_ = false;
    bool stopping_ = false;
    int connections_ = 0;
    int refused_ = 0;

    std::thread thread_;
};

}  // namespace support
