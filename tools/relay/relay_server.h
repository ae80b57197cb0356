#pragma once

#include <QByteArray>
#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>

#include "relay/relay_hub.h"
#include "server/loopback.h"

// The relay hub on real sockets: listens on 127.0.0.1, serves any number of clients with
// non-blocking reads and writes. Runs on the caller's thread (the program) or on a thread of
// its own (tests).
namespace relayserver {

struct RelayOptions {
    std::uint16_t port = 0;  // 0: a free port
    std::uint8_t linkedState = platform::relay::kStateFullRate;
};

class RelayServer {
  public:
    explicit RelayServer(RelayOptions options, std::function<void(const std::string&)> log = {});
    ~RelayServer();
    RelayServer(const RelayServer&) = delete;
    RelayServer& operator=(const RelayServer&) = delete;

    bool listening() const { return bool(listen_); }
    std::uint16_t port() const { return port_; }

    void run();  // serves until stop()
    void start();
    void stop();

    // Counts for tests, readable from any thread.
    std::size_t framesForwarded() const { return framesForwarded_; }
    std::size_t links() const;

  private:
    struct Connection {
        tableserver::net::UniqueFd fd;
        QByteArray outbox;
    };

    void accept();
    void readFrom(ConnectionId id);
    void writeTo(ConnectionId id);
    void drop(ConnectionId id);
    void queue(ConnectionId id, const QByteArray& bytes);

    RelayOptions options_;
    std::function<void(const std::string&)> log_;
    tableserver::net::UniqueFd listen_;
    std::uint16_t port_ = 0;
    mutable std::mutex hubMutex_;
    RelayHub hub_;
    std::map<ConnectionId, Connection> connections_;
    ConnectionId nextId_ = 1;
    tableserver::net::WakeSignal wake_;
    std::atomic<bool> stopping_{false};
    std::atomic<std::size_t> framesForwarded_{0};
    std::thread thread_;
};

}  // namespace relayserver
