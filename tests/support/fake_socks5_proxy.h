#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <list>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "support/loopback.h"

namespace support {

// A SOCKS5 proxy on 127.0.0.1 for tests (RFC 1928, CONNECT only, with the user name and
// password sub-negotiation of RFC 1929). By default it accepts "no authentication" or any user
// name and password, connects where the client asks and relays bytes both ways. Every session
// runs on a thread of its own; every member may be called from the test's thread. Settings
// apply to sessions that start after the call.
class FakeSocks5Proxy {
  public:
    using Millis = std::chrono::milliseconds;
    static constexpr Millis kDefaultWait{5000};
    // Pause between the bytes of a split reply.
    static constexpr Millis kByteGap{15};

    // What one client sent during its handshake.
    struct Handshake {
        std::vector<std::uint8_t> greeting;  // VER NMETHODS METHODS...
        std::uint8_t chosenMethod = 0xFF;
        std::optional<std::string> user;  // present when the client authenticated
        std::optional<std::string> password;
        std::vector<std::uint8_t> request;  // the whole CONNECT request, as sent
        std::string targetHost;             // dotted IPv4 or the name asked for
        std::uint16_t targetPort = 0;
        std::uint8_t reply = 0xFF;  // the REP code sent back (0 = succeeded)
        bool tunnelled = false;     // relaying began
        bool ended = false;         // the session is over (refused, failed or relayed to the end)
    };

    FakeSocks5Proxy();
    ~FakeSocks5Proxy();
    FakeSocks5Proxy(const FakeSocks5Proxy&) = delete;
    FakeSocks5Proxy& operator=(const FakeSocks5Proxy&) = delete;

    std::uint16_t port() const { return port_; }

    // Only user name and password are accepted, and only these.
    void requireAuthentication(std::string user, std::string password);
    // The greeting is answered 05 FF (no acceptable method) and the connection closed.
    void refuseAuthentication();
    // CONNECT is answered with this REP code (e.g. 5, connection refused) and closed.
    void refuseConnect(std::uint8_t replyCode = 5);
    // Every reply is written a byte at a time, kByteGap apart.
    void splitReplies(bool split = true);
    // Every reply waits this long before it is written.
    void delayReplies(Millis delay);
    // CONNECT goes to this loopback port whatever address the client asked for, so a test can
    // ask for any address and still reach its fake server.
    void redirectTo(std::uint16_t loopbackPort);

    // The replies of a handshake, for stallAt.
    enum class Stage { Greeting, Authentication, Connect };
    // The proxy reads the request of this stage and never answers it (it waits until the
    // client gives up and closes).
    void stallAt(Stage stage);
    // After connecting to the target, the proxy waits briefly for the target's first bytes and
    // writes them in the same write as the CONNECT reply, as a busy proxy may.
    void coalesceFirstServerBytes(bool coalesce = true);

    std::vector<Handshake> handshakes() const;
    // Waits until `count` sessions have either begun relaying or ended.
    bool waitForHandshakes(std::size_t count, Millis timeout = kDefaultWait) const;
    bool waitForTunnel(Millis timeout = kDefaultWait) const;
    int sessionCount() const;

  private:
    struct Settings {
        std::optional<std::pair<std::string, std::string>> credentials;
        bool refuseAuthentication = false;
        std::optional<std::uint8_t> connectReply;
        bool split = false;
        Millis delay{0};
        std::optional<std::uint16_t> redirect;
        std::optional<Stage> stall;
        bool coalesce = false;
    };

    void acceptLoop();
    void serve(UniqueFd client, Settings settings, std::size_t index);
    void handshake(int fd, const Settings& settings, std::size_t index);
    bool reply(int fd, const Settings& settings, std::vector<std::uint8_t> bytes, Stage stage);
    // Holds a stalled stage until the client closes or the proxy stops; always false.
    bool stall(int fd);
    void relay(int client, int target);
    void record(std::size_t index, const std::function<void(Handshake&)>& change);

    std::uint16_t port_ = 0;
    UniqueFd listen_;
    WakeSignal stop_;

    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    Settings settings_;
    std::vector<Handshake> handshakes_;
    std::list<std::thread> sessions_;
    std::thread acceptor_;
};

}  // namespace support
