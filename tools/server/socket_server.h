#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>
#include <vector>

#include "server/drop_plan.h"
#include "server/loopback.h"
#include "server/table.h"

// The table on a real socket: listens on 127.0.0.1, takes one client at a time (a new
// connection replaces the old one), hands whole frames to the table and writes its outbox while
// the person is linked. A drop half-closes the connection and keeps reading until the client
// closes, so a frame the client sent before it noticed is still taken. Runs on the caller's
// thread (the program) or on a thread of its own (tests); the table must then be touched only
// through it.
namespace tableserver {

struct ServerOptions {
    std::uint16_t port = 0;  // 0: a free port below 32768, which the client's port field holds
    DropPlan drops;
    // The table's time; the steady clock when empty. A test may hand in its virtual clock.
    std::function<Millis()> clock;
};

class SocketServer {
  public:
    SocketServer(Table& table, ServerOptions options, Logger log);
    ~SocketServer();
    SocketServer(const SocketServer&) = delete;
    SocketServer& operator=(const SocketServer&) = delete;

    bool listening() const { return bool(listen_); }
    std::uint16_t port() const { return port_; }

    // Serves until stop() is called.
    void run();
    void start();  // run() on a thread of its own
    void stop();

    std::uint64_t drops() const { return dropCount_; }

  private:
    Millis now() const;
    void acceptClient(Millis now);
    void readClient(Millis now);
    void writeClient(Millis now);
    void closeClient(Millis now);
    int pollTimeout(Millis now) const;

    Table& table_;
    ServerOptions options_;
    Logger log_;
    DropSchedule drops_;
    net::UniqueFd listen_;
    net::UniqueFd client_;
    std::vector<std::uint8_t> partial_;
    bool halfClosed_ = false;
    Millis halfClosedAt_ = 0;
    std::uint16_t port_ = 0;
    net::WakeSignal wake_;
    std::atomic<bool> stopping_{false};
    std::atomic<std::uint64_t> dropCount_{0};
    std::thread thread_;
};

}  // namespace tableserver
