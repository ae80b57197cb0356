#include "relay/relay_server.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace relayserver {

namespace {

// A client that lets this much pile up unread is dropped rather than let the relay grow.
constexpr qsizetype kMaxOutbox = 8 * 1024 * 1024;

void MakeNonBlocking(int fd) {
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
}

}  // namespace

RelayServer::RelayServer(RelayOptions options, std::function<void(const std::string&)> log)
    : options_(options),
      log_(std::move(log)),
      hub_([this](ConnectionId id, const QByteArray& bytes) { queue(id, bytes); },
           options.linkedState) {
    listen_ = tableserver::net::listenOnLoopback(options_.port);
    if (listen_) {
        port_ = tableserver::net::localPort(listen_.get());
        MakeNonBlocking(listen_.get());
    }
}

RelayServer::~RelayServer() {
    stop();
}

void RelayServer::start() {
    thread_ = std::thread([this] { run(); });
}

void RelayServer::stop() {
    stopping_ = true;
    wake_.raise();
    if (thread_.joinable()) thread_.join();
}

std::size_t RelayServer::links() const {
    std::lock_guard lock(hubMutex_);
    return hub_.linkCount();
}

void RelayServer::run() {
    while (!stopping_) {
        std::vector<pollfd> fds = {{wake_.fd(), POLLIN, 0}, {listen_.get(), POLLIN, 0}};
        std::vector<ConnectionId> ids;
        for (const auto& [id, connection] : connections_) {
            const short events = POLLIN | (connection.outbox.isEmpty() ? 0 : POLLOUT);
            fds.push_back({connection.fd.get(), events, 0});
            ids.push_back(id);
        }
        ::poll(fds.data(), fds.size(), 1000);
        if (stopping_) break;
        if (fds[1].revents & POLLIN) accept();
        for (std::size_t i = 0; i < ids.size(); ++i) {
            const short revents = fds[i + 2].revents;
            if (revents & (POLLIN | POLLHUP | POLLERR)) readFrom(ids[i]);
            if ((revents & POLLOUT) && connections_.count(ids[i])) writeTo(ids[i]);
        }
    }
}

void RelayServer::accept() {
    while (true) {
        const int fd = ::accept(listen_.get(), nullptr, nullptr);
        if (fd < 0) return;
        MakeNonBlocking(fd);
        const ConnectionId id = nextId_++;
        connections_[id].fd.reset(fd);
        std::lock_guard lock(hubMutex_);
        hub_.connected(id);
    }
}

void RelayServer::readFrom(ConnectionId id) {
    const auto found = connections_.find(id);
    if (found == connections_.end()) return;
    char buffer[64 * 1024];
    const ssize_t n = ::recv(found->second.fd.get(), buffer, sizeof buffer, 0);
    if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) {
        drop(id);
        return;
    }
    if (n < 0) return;
    bool intact = false;
    {
        std::lock_guard lock(hubMutex_);
        intact = hub_.received(id, QByteArray(buffer, qsizetype(n)));
    }
    if (!intact) {
        if (log_) log_("a client sent a malformed stream; dropped");
        drop(id);
    }
}

void RelayServer::writeTo(ConnectionId id) {
    Connection& connection = connections_.at(id);
    while (!connection.outbox.isEmpty()) {
        const ssize_t n = ::send(connection.fd.get(), connection.outbox.constData(),
                                 std::size_t(connection.outbox.size()), MSG_NOSIGNAL);
        if (n < 0) {
            if (errno == EAGAIN || errno == EINTR) return;
            drop(id);
            return;
        }
        connection.outbox.remove(0, qsizetype(n));
    }
}

void RelayServer::drop(ConnectionId id) {
    connections_.erase(id);
    std::lock_guard lock(hubMutex_);
    hub_.disconnected(id);
}

// Called by the hub, with its lock held.
void RelayServer::queue(ConnectionId id, const QByteArray& bytes) {
    const auto found = connections_.find(id);
    if (found == connections_.end()) return;
    if (bytes.size() > 0 &&
        platform::relay::Kind(std::uint8_t(bytes[0])) == platform::relay::Kind::PeerFrame) {
        ++framesForwarded_;
    }
    if (found->second.outbox.size() + bytes.size() > kMaxOutbox) return;
    found->second.outbox.append(bytes);
}

}  // namespace relayserver
