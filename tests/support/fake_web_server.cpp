#include "support/fake_web_server.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <span>

namespace support {
namespace {

// Reads until the end of the request head; a GET carries no body.
std::string readRequestHead(int fd, int stopFd) {
    std::string head;
    std::array<char, 1024> buffer{};
    while (head.find("\r\n\r\n") == std::string::npos && head.size() < 64 * 1024) {
        pollfd fds[2] = {{fd, POLLIN, 0}, {stopFd, POLLIN, 0}};
        if (::poll(fds, 2, 5000) <= 0 || (fds[1].revents & POLLIN)) return {};
        const auto n = ::read(fd, buffer.data(), buffer.size());
        if (n <= 0) return {};
        head.append(buffer.data(), std::size_t(n));
    }
    return head;
}

std::string reasonOf(int status) {
    switch (status) {
        case 200:
            return "OK";
        case 301:
            return "Moved Permanently";
        case 302:
            return "Found";
        case 404:
            return "Not Found";
        default:
            return "Status";
    }
}

}  // namespace

FakeWebServer::FakeWebServer() : listener_(listenOnLoopback()) {
    if (!listener_) return;
    port_ = localPort(listener_.get());
    thread_ = std::thread([this] { run(); });
}

FakeWebServer::~FakeWebServer() {
    stop_.raise();
    if (thread_.joinable()) thread_.join();
}

std::string FakeWebServer::url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

void FakeWebServer::serve(const std::string& path, Page page) {
    std::lock_guard lock(mutex_);
    pages_[path] = std::move(page);
}

int FakeWebServer::requestCount(const std::string& path) const {
    std::lock_guard lock(mutex_);
    const auto it = requests_.find(path);
    return it == requests_.end() ? 0 : it->second;
}

std::string FakeWebServer::lastRequestHead(const std::string& path) const {
    std::lock_guard lock(mutex_);
    const auto it = heads_.find(path);
    return it == heads_.end() ? std::string() : it->second;
}

void FakeWebServer::run() {
    for (;;) {
        pollfd fds[2] = {{listener_.get(), POLLIN, 0}, {stop_.fd(), POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) return;
        if (fds[1].revents & POLLIN) return;
        UniqueFd connection(::accept(listener_.get(), nullptr, nullptr));
        if (connection) answer(std::move(connection));
    }
}

void FakeWebServer::answer(UniqueFd connection) {
    const std::string head = readRequestHead(connection.get(), stop_.fd());
    const auto firstSpace = head.find(' ');
    const auto secondSpace = head.find(' ', firstSpace + 1);
    if (firstSpace == std::string::npos || secondSpace == std::string::npos) return;
    const std::string path = head.substr(firstSpace + 1, secondSpace - firstSpace - 1);

    Page page;
    {
        std::lock_guard lock(mutex_);
        ++requests_[path];
        heads_[path] = head;
        const auto it = pages_.find(path);
        if (it != pages_.end()) {
            page = it->second;
        } else {
            page.status = 404;
            page.body = "<html><body>not here</body></html>";
        }
    }
    if (page.delay.count() > 0 && !stop_.sleepFor(page.delay)) return;

    std::string reply = page.raw;
    if (reply.empty()) {
        reply = "HTTP/1.1 " + std::to_string(page.status) + " " + reasonOf(page.status) +
                "\r\nContent-Type: " + page.contentType +
                "\r\nContent-Length: " + std::to_string(page.body.size()) +
                "\r\nConnection: close\r\n";
        if (!page.location.empty()) reply += "Location: " + page.location + "\r\n";
        reply += "\r\n" + page.body;
    }
    writeAll(connection.get(),
             std::span(reinterpret_cast<const std::uint8_t*>(reply.data()), reply.size()));
    ::shutdown(connection.get(), SHUT_WR);
    // Let the client read to the end before the descriptor goes.
    std::array<char, 256> drain{};
    pollfd fd{connection.get(), POLLIN, 0};
    while (::poll(&fd, 1, 200) > 0 && ::read(connection.get(), drain.data(), drain.size()) > 0) {
    }
}

std::string FakeWebServer::refusedUrl(const std::string& path) {
    UniqueFd probe = listenOnLoopback();
    const auto port = localPort(probe.get());
    probe.reset();
    return "http://127.0.0.1:" + std::to_string(port) + path;
}

}  // namespace support
