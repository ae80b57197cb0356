#pragma once

#include <chrono>
#include <cstdint>
#include <span>
#include <vector>

// Blocking loopback sockets for the test peers, which run on threads of their own.
namespace tableserver::net {

// Owns one descriptor.
class UniqueFd {
  public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd() { reset(); }
    UniqueFd(UniqueFd&& other) noexcept : fd_(other.release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept;
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }
    int release();
    void reset(int fd = -1);

  private:
    int fd_ = -1;
};

// A listening socket on 127.0.0.1; port 0 picks a free one. Invalid when it cannot listen.
UniqueFd listenOnLoopback(std::uint16_t port = 0);
std::uint16_t localPort(int fd);
// The same on a port below 32768, for the client's port fields, which are 16-bit signed.
UniqueFd listenOnSignedLoopbackPort();
// A blocking connection to 127.0.0.1:port; invalid when refused.
UniqueFd connectToLoopback(std::uint16_t port);

// Closes with a reset instead of an orderly end.
void resetAndClose(UniqueFd& fd);

// Writes everything (blocking); false when the peer is gone.
bool writeAll(int fd, std::span<const std::uint8_t> bytes);
// Reads exactly `count` bytes, giving up after `timeout` or when `stopFd` becomes readable;
// fewer bytes come back on any failure.
std::vector<std::uint8_t> readExactly(int fd, std::size_t count, std::chrono::milliseconds timeout,
                                      int stopFd = -1);

// A flag another thread can wait on through poll(): once raised, its descriptor stays readable
// until cleared.
class WakeSignal {
  public:
    WakeSignal();
    void raise();
    void clear();
    int fd() const { return read_.get(); }
    // Sleeps for `duration`; false when the signal was raised meanwhile.
    bool sleepFor(std::chrono::milliseconds duration) const;

  private:
    UniqueFd read_;
    UniqueFd write_;
};

}  // namespace tableserver::net
