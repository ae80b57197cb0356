#include "server/loopback.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace tableserver::net {

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
}

int UniqueFd::release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

void UniqueFd::reset(int fd) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
}

namespace {

sockaddr_in loopbackAddress(std::uint16_t port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    return address;
}

}  // namespace

UniqueFd listenOnLoopback(std::uint16_t port) {
    UniqueFd fd(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!fd) return fd;
    const int on = 1;
    ::setsockopt(fd.get(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    const sockaddr_in address = loopbackAddress(port);
    if (::bind(fd.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(fd.get(), 16) != 0) {
        return UniqueFd();
    }
    return fd;
}

std::uint16_t localPort(int fd) {
    sockaddr_in address{};
    socklen_t length = sizeof address;
    if (::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) return 0;
    return ntohs(address.sin_port);
}

UniqueFd connectToLoopback(std::uint16_t port) {
    UniqueFd fd(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!fd) return fd;
    const sockaddr_in address = loopbackAddress(port);
    if (::connect(fd.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        return UniqueFd();
    }
    return fd;
}

void resetAndClose(UniqueFd& fd) {
    if (!fd) return;
    const linger abortive{1, 0};
    ::setsockopt(fd.get(), SOL_SOCKET, SO_LINGER, &abortive, sizeof abortive);
    fd.reset();
}

bool writeAll(int fd, std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t sent = ::send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR) continue;
        if (sent <= 0) return false;
        done += static_cast<std::size_t>(sent);
    }
    return true;
}

std::vector<std::uint8_t> readExactly(int fd, std::size_t count, std::chrono::milliseconds timeout,
                                      int stopFd) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(count);
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (bytes.size() < count) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) break;
        pollfd fds[2] = {{fd, POLLIN, 0}, {stopFd, POLLIN, 0}};
        const int ready = ::poll(fds, stopFd >= 0 ? 2 : 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0 || (stopFd >= 0 && fds[1].revents)) break;
        std::uint8_t buffer[4096];
        const std::size_t want = std::min(sizeof buffer, count - bytes.size());
        const ssize_t got = ::recv(fd, buffer, want, 0);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
    return bytes;
}

WakeSignal::WakeSignal() {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) == 0) {
        read_.reset(fds[0]);
        write_.reset(fds[1]);
    }
}

void WakeSignal::raise() {
    const char byte = 1;
    [[maybe_unused]] auto written = ::write(write_.get(), &byte, 1);
}

void WakeSignal::clear() {
    char sink[64];
    while (::read(read_.get(), sink, sizeof sink) > 0) {
    }
}

bool WakeSignal::sleepFor(std::chrono::milliseconds duration) const {
    const auto deadline = std::chrono::steady_clock::now() + duration;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return true;
        pollfd entry{read_.get(), POLLIN, 0};
        const int ready = ::poll(&entry, 1, static_cast<int>(left.count()));
        if (ready > 0) return false;
        if (ready < 0 && errno != EINTR) return true;
    }
}

UniqueFd listenOnSignedLoopbackPort() {
    const std::uint32_t first = 21000 + static_cast<std::uint32_t>(::getpid() * 7 % 10000);
    for (std::uint32_t port = first; port < 32768; ++port) {
        if (UniqueFd fd = listenOnLoopback(static_cast<std::uint16_t>(port))) return fd;
    }
    return listenOnLoopback();
}

}  // namespace tableserver::net
