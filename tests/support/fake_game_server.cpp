#include "support/fake_game_server.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <future>

namespace support {

namespace {

// The client keeps the game port in a 16-bit field: a port above 32767 cannot be given to it.
// The system's ephemeral ports lie above it, so the server looks for a free one below.
UniqueFd listenOnSignedPort() {
    const std::uint16_t first = 20000 + static_cast<std::uint16_t>(::getpid() % 10000);
    for (std::uint32_t port = first; port < 32768; ++port) {
        if (UniqueFd fd = listenOnLoopback(static_cast<std::uint16_t>(port))) return fd;
    }
    return listenOnLoopback();
}

}  // namespace

FakeGameServer::FakeGameServer() : listen_(listenOnSignedPort()) {
    port_ = listen_ ? localPort(listen_.get()) : 0;
    thread_ = std::thread([this] { run(); });
}

FakeGameServer::FakeGameServer(std::uint16_t port) : listen_(listenOnLoopback(port)) {
    port_ = listen_ ? localPort(listen_.get()) : 0;
    thread_ = std::thread([this] { run(); });
}

std::unique_ptr<FakeGameServer> FakeGameServer::onSignedPort() {
    return std::make_unique<FakeGameServer>();
}

FakeGameServer::~FakeGameServer() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.raise();
    thread_.join();
}

bool FakeGameServer::hasClient() const {
    std::lock_guard lock(mutex_);
    return connected_;
}

bool FakeGameServer::waitForClient(Millis timeout) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return connected_; });
}

bool FakeGameServer::waitForNoClient(Millis timeout) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return !connected_; });
}

int FakeGameServer::connectionCount() const {
    std::lock_guard lock(mutex_);
    return connections_;
}

bool FakeGameServer::waitForConnections(int count, Millis timeout) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return connections_ >= count; });
}

int FakeGameServer::refusedCount() const {
    std::lock_guard lock(mutex_);
    return refused_;
}

std::vector<FakeGameServer::Frame> FakeGameServer::frames() const {
    std::lock_guard lock(mutex_);
    return frames_;
}

std::size_t FakeGameServer::frameCount() const {
    std::lock_guard lock(mutex_);
    return frames_.size();
}

bool FakeGameServer::waitForFrames(std::size_t count, Millis timeout) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return frames_.size() >= count; });
}

void FakeGameServer::clearFrames() {
    std::lock_guard lock(mutex_);
    frames_.clear();
    frameTimes_.clear();
}

std::vector<FakeGameServer::Clock::time_point> FakeGameServer::frameTimes() const {
    std::lock_guard lock(mutex_);
    return frameTimes_;
}

FakeGameServer::Clock::time_point FakeGameServer::lastConnectedAt() const {
    std::lock_guard lock(mutex_);
    return lastConnectedAt_;
}

std::size_t FakeGameServer::bytesReceived() const {
    std::lock_guard lock(mutex_);
    return bytesReceived_;
}

void FakeGameServer::send(const Frame& frame, int splitInto) {
    const std::size_t pieces = static_cast<std::size_t>(std::clamp(splitInto, 1, 272));
    {
        std::lock_guard lock(mutex_);
        std::size_t start = 0;
        for (std::size_t i = 0; i < pieces; ++i) {
            const std::size_t end = frame.size() * (i + 1) / pieces;
            outgoing_.push_back(Piece{{frame.begin() + start, frame.begin() + end},
                                      i == 0 ? Millis{0} : kPieceGap});
            start = end;
        }
    }
    wake_.raise();
}

void FakeGameServer::sendBytes(std::span<const std::uint8_t> bytes) {
    {
        std::lock_guard lock(mutex_);
        outgoing_.push_back(Piece{{bytes.begin(), bytes.end()}, Millis{0}});
    }
    wake_.raise();
}

bool FakeGameServer::waitUntilSent(Millis timeout) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return outgoing_.empty(); });
}

void FakeGameServer::dropConnection() {
    runOnThread([this] { closeClient(false); });
}

void FakeGameServer::resetConnection() {
    runOnThread([this] { closeClient(true); });
}

void FakeGameServer::refuseNext() {
    std::lock_guard lock(mutex_);
    refuseNext_ = true;
}

void FakeGameServer::stopListening() {
    runOnThread([this] { listen_.reset(); });
}

void FakeGameServer::startListening() {
    runOnThread([this] {
        if (!listen_) listen_ = listenOnLoopback(port_);
    });
}

void FakeGameServer::runOnThread(std::function<void()> task) {
    std::promise<void> done;
    auto finished = done.get_future();
    {
        std::lock_guard lock(mutex_);
        tasks_.push_back([&task, &done] {
            task();
            done.set_value();
        });
    }
    wake_.raise();
    finished.wait();
}

int FakeGameServer::pollTimeout() const {
    // Called under mutex_.
    if (!client_ || outgoing_.empty() || pieceOffset_ != 0) return -1;
    const auto wait = std::chrono::duration_cast<Millis>(nextPieceAt_ - Clock::now()).count();
    return wait > 0 ? static_cast<int>(wait) + 1 : -1;
}

void FakeGameServer::run() {
    for (;;) {
        pollfd fds[3];
        nfds_t count = 0;
        fds[count++] = {wake_.fd(), POLLIN, 0};
        int timeout = -1;
        {
            std::lock_guard lock(mutex_);
            if (stopping_) break;
            if (listen_) fds[count++] = {listen_.get(), POLLIN, 0};
            if (client_) {
                const bool due = !outgoing_.empty() && Clock::now() >= nextPieceAt_;
                fds[count++] = {client_.get(),
                                static_cast<short>(POLLIN | ((due || pieceOffset_) ? POLLOUT : 0)),
                                0};
            }
            timeout = pollTimeout();
        }
        if (::poll(fds, count, timeout) < 0 && errno != EINTR) break;
        if (fds[0].revents) {
            wake_.clear();
            std::deque<std::function<void()>> tasks;
            {
                std::lock_guard lock(mutex_);
                tasks.swap(tasks_);
            }
            for (auto& task : tasks) task();
        }
        for (nfds_t i = 1; i < count; ++i) {
            if (!fds[i].revents) continue;
            if (listen_ && fds[i].fd == listen_.get()) {
                acceptClient();
            } else if (client_ && fds[i].fd == client_.get()) {
                if (fds[i].revents & (POLLIN | POLLHUP | POLLERR)) readClient();
            }
        }
        writeDue();
    }
    client_.reset();
    listen_.reset();
}

void FakeGameServer::acceptClient() {
    UniqueFd accepted(::accept4(listen_.get(), nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK));
    if (!accepted) return;
    std::lock_guard lock(mutex_);
    if (refuseNext_) {
        refuseNext_ = false;
        ++refused_;
        resetAndClose(accepted);
        changed_.notify_all();
        return;
    }
    client_ = std::move(accepted);
    partial_.clear();
    pieceOffset_ = 0;
    nextPieceAt_ = Clock::now();
    connected_ = true;
    lastConnectedAt_ = Clock::now();
    ++connections_;
    changed_.notify_all();
}

void FakeGameServer::readClient() {
    std::uint8_t buffer[8192];
    for (;;) {
        const ssize_t got = ::recv(client_.get(), buffer, sizeof buffer, 0);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
        if (got <= 0) {
            closeClient(false);
            return;
        }
        const auto now = Clock::now();
        std::lock_guard lock(mutex_);
        bytesReceived_ += static_cast<std::size_t>(got);
        partial_.insert(partial_.end(), buffer, buffer + got);
        std::size_t taken = 0;
        while (partial_.size() - taken >= kFrameSize) {
            Frame frame;
            std::copy_n(partial_.begin() + static_cast<std::ptrdiff_t>(taken), kFrameSize,
                        frame.begin());
            frames_.push_back(frame);
            frameTimes_.push_back(now);
            taken += kFrameSize;
        }
        partial_.erase(partial_.begin(), partial_.begin() + static_cast<std::ptrdiff_t>(taken));
        changed_.notify_all();
    }
}

void FakeGameServer::writeDue() {
    std::lock_guard lock(mutex_);
    while (client_ && !outgoing_.empty()) {
        if (pieceOffset_ == 0 && Clock::now() < nextPieceAt_) return;
        const Piece& piece = outgoing_.front();
        if (pieceOffset_ < piece.bytes.size()) {
            const ssize_t sent = ::send(client_.get(), piece.bytes.data() + pieceOffset_,
                                        piece.bytes.size() - pieceOffset_, MSG_NOSIGNAL);
            if (sent < 0 && errno == EINTR) continue;
            if (sent < 0) return;  // full (or broken: the read side notices)
            pieceOffset_ += static_cast<std::size_t>(sent);
            if (pieceOffset_ < piece.bytes.size()) return;
        }
        outgoing_.pop_front();
        pieceOffset_ = 0;
        if (!outgoing_.empty()) nextPieceAt_ = Clock::now() + outgoing_.front().gapBefore;
        changed_.notify_all();
    }
}

void FakeGameServer::closeClient(bool reset) {
    std::lock_guard lock(mutex_);
    if (!client_) return;
    if (reset) {
        resetAndClose(client_);
    } else {
        client_.reset();
    }
    partial_.clear();
    outgoing_.clear();
    pieceOffset_ = 0;
    connected_ = false;
    changed_.notify_all();
}

}  // namespace support
