#include "server/socket_server.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>

namespace tableserver {
namespace {

constexpr Millis kHalfCloseLimit = 5000;

}  // namespace

SocketServer::SocketServer(Table& table, ServerOptions options, Logger log)
    : table_(table), options_(std::move(options)), log_(std::move(log)), drops_(options_.drops) {
    listen_ = options_.port == 0 ? net::listenOnSignedLoopbackPort()
                                 : net::listenOnLoopback(options_.port);
    if (listen_) port_ = net::localPort(listen_.get());
}

SocketServer::~SocketServer() {
    stop();
}

Millis SocketServer::now() const {
    if (options_.clock) return options_.clock();
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void SocketServer::start() {
    thread_ = std::thread([this] { run(); });
}

void SocketServer::stop() {
    stopping_ = true;
    wake_.raise();
    if (thread_.joinable()) thread_.join();
}

int SocketServer::pollTimeout(Millis t) const {
    // A clock handed in may move without us: look at it often.
    const Millis cap = options_.clock ? 10 : 1000;
    const auto due = table_.nextDue();
    if (!due) return int(cap);
    return int(std::clamp<Millis>(*due - t, 0, cap));
}

void SocketServer::run() {
    while (!stopping_) {
        const Millis t = now();
        std::vector<pollfd> fds = {{wake_.fd(), POLLIN, 0}, {listen_.get(), POLLIN, 0}};
        if (client_) fds.push_back({client_.get(), POLLIN, 0});
        ::poll(fds.data(), fds.size(), pollTimeout(t));
        if (stopping_) break;
        const Millis after = now();
        if (fds[1].revents & POLLIN) acceptClient(after);
        if (client_ && fds.size() > 2 && (fds[2].revents & (POLLIN | POLLHUP | POLLERR))) {
            readClient(after);
        }
        if (halfClosed_ && after - halfClosedAt_ > kHalfCloseLimit) closeClient(after);
        table_.advance(after);
        writeClient(after);
    }
}

void SocketServer::acceptClient(Millis t) {
    net::UniqueFd fd(::accept(listen_.get(), nullptr, nullptr));
    if (!fd) return;
    if (client_) closeClient(t);
    client_ = std::move(fd);
    partial_.clear();
    halfClosed_ = false;
    table_.connectionOpened(t);
    if (log_) log_("a client connected");
}

void SocketServer::readClient(Millis t) {
    std::uint8_t buffer[4096];
    const ssize_t n = ::recv(client_.get(), buffer, sizeof buffer, MSG_DONTWAIT);
    if (n <= 0) {
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) return;
        return closeClient(t);
    }
    partial_.insert(partial_.end(), buffer, buffer + n);
    while (partial_.size() >= state::FrameSize) {
        state::Frame frame;
        std::copy_n(partial_.begin(), state::FrameSize, frame.begin());
        partial_.erase(partial_.begin(), partial_.begin() + state::FrameSize);
        table_.receive(frame, t);
    }
}

void SocketServer::writeClient(Millis t) {
    if (!client_ || halfClosed_) return;
    auto& outbox = table_.outbox();
    while (table_.linked() && !outbox.empty()) {
        if (drops_.dropBefore()) {
            ++dropCount_;
            if (log_) {
                log_("dropping the connection before frame " +
                     std::to_string(drops_.framesSent() + 1) + " (type " +
                     std::to_string(outbox.front()[3]) + ")");
            }
            ::shutdown(client_.get(), SHUT_WR);
            halfClosed_ = true;
            halfClosedAt_ = t;
            table_.connectionLost(t);
            return;
        }
        if (!net::writeAll(client_.get(), outbox.front())) return closeClient(t);
        outbox.pop_front();
    }
    if (table_.wantsClose() && outbox.empty()) {
        table_.closed();
        ::shutdown(client_.get(), SHUT_WR);
        halfClosed_ = true;
        halfClosedAt_ = t;
    }
}

void SocketServer::closeClient(Millis t) {
    client_.reset();
    partial_.clear();
    halfClosed_ = false;
    table_.connectionLost(t);
    if (log_) log_("the client's connection is closed");
}

}  // namespace tableserver
