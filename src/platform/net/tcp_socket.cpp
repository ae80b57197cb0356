#include "platform/net/tcp_socket.h"

#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include "platform/net/host_resolver.h"

namespace platform {

namespace {

// How long close() may hold the thread to hand over bytes still queued.
constexpr std::chrono::milliseconds kCloseFlushLimit{1500};
// One readiness pass reads at most this much, so a flooding peer cannot starve the thread.
constexpr std::size_t kReadPerPass = 1 << 20;
constexpr std::size_t kReadChunk = 64 * 1024;

QString describe(int code) {
    if (code == TcpSocket::kHostNotFound) return QStringLiteral("Host not found");
    return QString::fromLocal8Bit(std::strerror(code));
}

bool wouldBlock(int error) {
    return error == EAGAIN || error == EWOULDBLOCK;
}

}  // namespace

TcpSocket::TcpSocket(Scheduler& scheduler)
    : scheduler_(scheduler), alive_(std::make_shared<bool>(true)) {}

TcpSocket::~TcpSocket() {
    flushBeforeClose();
    release();
}

bool TcpSocket::stillCurrent(const Continuation& c, const TcpSocket* socket) {
    return !c.alive.expired() && c.generation == socket->generation_;
}

void TcpSocket::connect() {
    if (state_ != SocketState::Closed) close();
    ++generation_;
    state_ = SocketState::Connecting;
    if (remotePort_ < 1 || remotePort_ > 65535) {
        failLater(EINVAL, QStringLiteral("Invalid port %1").arg(remotePort_));
        return;
    }
    const std::string host = remoteHost_.trimmed().toStdString();
    if (host.empty()) {
        failLater(kHostNotFound, describe(kHostNotFound));
        return;
    }
    if (auto address = HostResolver::parseDotted(host)) {
        startConnect(*address);
        return;
    }
    resolver_ = std::make_unique<HostResolver>(scheduler_, host,
                                               [this](std::optional<std::uint32_t> address) {
                                                   if (!address) {
                                                       failNow(kHostNotFound);
                                                       return;
                                                   }
                                                   startConnect(*address);
                                               });
}

void TcpSocket::startConnect(std::uint32_t address) {
    fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd_ < 0) {
        failLater(errno, describe(errno));
        return;
    }
    // Frames are small and answered at once; waiting to coalesce them only adds latency.
    const int on = 1;
    ::setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_addr.s_addr = address;
    peer.sin_port = htons(static_cast<std::uint16_t>(remotePort_));
    if (::connect(fd_, reinterpret_cast<const sockaddr*>(&peer), sizeof peer) != 0 &&
        errno != EINPROGRESS) {
        failLater(errno, describe(errno));
        return;
    }
    // Even an immediate success is reported through readiness, so onConnect never runs inside
    // connect().
    watch_ = std::make_unique<FdWatch>(
        scheduler_, fd_, [this](bool readable, bool writable) { onReady(readable, writable); });
    updateInterest();
}

void TcpSocket::updateInterest() {
    if (!watch_) return;
    switch (state_) {
        case SocketState::Connecting:
            watch_->setInterest(false, true, true);
            break;
        case SocketState::Connected:
            watch_->setInterest(true, bytesPending() > 0);
            break;
        case SocketState::Closing:
            watch_->setInterest(false, bytesPending() > 0);
            break;
        default:
            watch_->setInterest(false, false);
    }
}

void TcpSocket::onReady(bool readable, bool writable) {
    if (state_ == SocketState::Connecting) {
        if (readable || writable) finishConnect();
        return;
    }
    const auto guard = continuation();
    if (readable && state_ == SocketState::Connected) readAvailable();
    if (!stillCurrent(guard, this)) return;
    if (writable && (state_ == SocketState::Connected || state_ == SocketState::Closing)) {
        flushOutput();
    }
}

void TcpSocket::finishConnect() {
    int error = 0;
    socklen_t length = sizeof error;
    if (::getsockopt(fd_, SOL_SOCKET, SO_ERROR, &error, &length) != 0) error = errno;
    if (error != 0) {
        failNow(error);
        return;
    }
    state_ = SocketState::Connected;
    updateInterest();
    if (onConnect) onConnect();
}

void TcpSocket::readAvailable() {
    std::size_t readThisPass = 0;
    bool peerClosed = false;
    int error = 0;
    while (readThisPass < kReadPerPass) {
        const std::size_t before = input_.size();
        input_.resize(before + kReadChunk);
        const ssize_t got = ::recv(fd_, input_.data() + before, kReadChunk, 0);
        input_.resize(before + (got > 0 ? static_cast<std::size_t>(got) : 0));
        if (got > 0) {
            readThisPass += static_cast<std::size_t>(got);
            continue;
        }
        if (got == 0) {
            peerClosed = true;
        } else if (errno == EINTR) {
            continue;
        } else if (!wouldBlock(errno)) {
            error = errno;
        }
        break;
    }
    const auto guard = continuation();
    if (readThisPass > 0 && onDataArrival) {
        onDataArrival(input_.size());
        if (!stillCurrent(guard, this)) return;
    }
    if (error != 0) {
        failNow(error);
    } else if (peerClosed && state_ == SocketState::Connected) {
        state_ = SocketState::Closing;
        updateInterest();
        if (onClose) onClose();
    }
}

void TcpSocket::flushOutput() {
    while (bytesPending() > 0) {
        const ssize_t sent =
            ::send(fd_, output_.data() + outputSent_, bytesPending(), MSG_NOSIGNAL);
        if (sent > 0) {
            outputSent_ += static_cast<std::size_t>(sent);
            continue;
        }
        if (sent < 0 && errno == EINTR) continue;
        if (sent < 0 && !wouldBlock(errno)) {
            failNow(errno);
            return;
        }
        break;
    }
    if (bytesPending() == 0) {
        output_.clear();
        outputSent_ = 0;
    } else if (outputSent_ > output_.size() / 2) {
        output_.erase(output_.begin(), output_.begin() + static_cast<std::ptrdiff_t>(outputSent_));
        outputSent_ = 0;
    }
    updateInterest();
}

void TcpSocket::sendData(std::span<const std::uint8_t> bytes) {
    if (state_ != SocketState::Connected) {
        fail(RuntimeFailure::Kind::ControlFailed,
             "Wrong protocol or connection state for the requested transaction or request");
    }
    if (bytes.empty()) return;
    std::size_t taken = 0;
    if (bytesPending() == 0) {
        while (taken < bytes.size()) {
            const ssize_t sent =
                ::send(fd_, bytes.data() + taken, bytes.size() - taken, MSG_NOSIGNAL);
            if (sent > 0) {
                taken += static_cast<std::size_t>(sent);
                continue;
            }
            if (sent < 0 && errno == EINTR) continue;
            if (sent < 0 && !wouldBlock(errno)) {
                failLater(errno, describe(errno));
                return;
            }
            break;
        }
    }
    if (taken < bytes.size()) {
        output_.insert(output_.end(), bytes.begin() + static_cast<std::ptrdiff_t>(taken),
                       bytes.end());
        updateInterest();
    }
}

void TcpSocket::sendData(std::string_view bytes) {
    sendData(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

std::vector<std::uint8_t> TcpSocket::getData() {
    std::vector<std::uint8_t> taken;
    taken.swap(input_);
    return taken;
}

void TcpSocket::flushBeforeClose() {
    if (fd_ < 0 || bytesPending() == 0) return;
    if (state_ != SocketState::Connected && state_ != SocketState::Closing) return;
    const auto deadline = std::chrono::steady_clock::now() + kCloseFlushLimit;
    while (bytesPending() > 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) break;
        pollfd entry{fd_, POLLOUT, 0};
        const int ready = ::poll(&entry, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0 || (entry.revents & (POLLERR | POLLHUP | POLLNVAL))) break;
        const ssize_t sent =
            ::send(fd_, output_.data() + outputSent_, bytesPending(), MSG_NOSIGNAL);
        if (sent > 0) {
            outputSent_ += static_cast<std::size_t>(sent);
        } else if (sent < 0 && errno != EINTR && !wouldBlock(errno)) {
            break;
        }
    }
}

void TcpSocket::close() {
    flushBeforeClose();
    if (fd_ >= 0) {
        // Unread bytes in the system's buffer would make the close a reset, which throws away
        // what was just sent; read them off so the peer gets an orderly end.
        std::uint8_t sink[4096];
        while (::recv(fd_, sink, sizeof sink, MSG_DONTWAIT) > 0) {
        }
    }
    release();
    ++generation_;
    state_ = SocketState::Closed;
}

void TcpSocket::release() {
    resolver_.reset();
    watch_.reset();  // before the descriptor goes, so its number is not watched once reused
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    input_.clear();
    output_.clear();
    outputSent_ = 0;
}

void TcpSocket::failLater(int code, const QString& description) {
    release();
    state_ = SocketState::Error;
    scheduler_.post([this, guard = continuation(), code, description] {
        if (stillCurrent(guard, this) && onError) onError(code, description);
    });
}

void TcpSocket::failNow(int code) {
    // Bytes that arrived before the failure stay fetchable.
    auto arrived = std::move(input_);
    release();
    input_ = std::move(arrived);
    state_ = SocketState::Error;
    if (onError) onError(code, describe(code));
}

}  // namespace platform
