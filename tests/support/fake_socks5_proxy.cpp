#include "support/fake_socks5_proxy.h"

#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>

namespace support {

namespace {

constexpr std::uint8_t kVersion = 5;
constexpr std::uint8_t kAuthVersion = 1;
constexpr std::uint8_t kNoAuthentication = 0x00;
constexpr std::uint8_t kUserPassword = 0x02;
constexpr std::uint8_t kNoAcceptableMethod = 0xFF;
constexpr std::uint8_t kConnect = 1;
constexpr std::uint8_t kAddressIPv4 = 1;
constexpr std::uint8_t kAddressName = 3;
constexpr std::uint8_t kHostUnreachable = 4;
constexpr std::uint8_t kConnectionRefused = 5;
constexpr std::uint8_t kCommandNotSupported = 7;
constexpr std::uint8_t kAddressTypeNotSupported = 8;
// A client that stops half-way through its handshake is given up after this.
constexpr std::chrono::milliseconds kHandshakeWait{5000};
// How long a coalescing proxy waits for the target's first bytes.
constexpr std::chrono::milliseconds kCoalesceWait{2000};

std::vector<std::uint8_t> connectReply(std::uint8_t code, std::uint16_t boundPort = 0) {
    return {kVersion,
            code,
            0,
            kAddressIPv4,
            127,
            0,
            0,
            1,
            static_cast<std::uint8_t>(boundPort >> 8),
            static_cast<std::uint8_t>(boundPort)};
}

bool isLoopback(const std::string& host) {
    return host == "localhost" || host.rfind("127.", 0) == 0;
}

}  // namespace

FakeSocks5Proxy::FakeSocks5Proxy() : listen_(listenOnSignedLoopbackPort()) {
    port_ = listen_ ? localPort(listen_.get()) : 0;
    acceptor_ = std::thread([this] { acceptLoop(); });
}

FakeSocks5Proxy::~FakeSocks5Proxy() {
    stop_.raise();
    acceptor_.join();
    // The acceptor has stopped, so no session thread is added any more.
    for (auto& session : sessions_) session.join();
}

void FakeSocks5Proxy::requireAuthentication(std::string user, std::string password) {
    std::lock_guard lock(mutex_);
    settings_.credentials = std::make_pair(std::move(user), std::move(password));
}

void FakeSocks5Proxy::refuseAuthentication() {
    std::lock_guard lock(mutex_);
    settings_.refuseAuthentication = true;
}

void FakeSocks5Proxy::refuseConnect(std::uint8_t replyCode) {
    std::lock_guard lock(mutex_);
    settings_.connectReply = replyCode;
}

void FakeSocks5Proxy::splitReplies(bool split) {
    std::lock_guard lock(mutex_);
    settings_.split = split;
}

void FakeSocks5Proxy::delayReplies(Millis delay) {
    std::lock_guard lock(mutex_);
    settings_.delay = delay;
}

void FakeSocks5Proxy::redirectTo(std::uint16_t loopbackPort) {
    std::lock_guard lock(mutex_);
    settings_.redirect = loopbackPort;
}

void FakeSocks5Proxy::stallAt(Stage stage) {
    std::lock_guard lock(mutex_);
    settings_.stall = stage;
}

void FakeSocks5Proxy::coalesceFirstServerBytes(bool coalesce) {
    std::lock_guard lock(mutex_);
    settings_.coalesce = coalesce;
}

std::vector<FakeSocks5Proxy::Handshake> FakeSocks5Proxy::handshakes() const {
    std::lock_guard lock(mutex_);
    return handshakes_;
}

bool FakeSocks5Proxy::waitForHandshakes(std::size_t count, Millis timeout) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] {
        return std::count_if(handshakes_.begin(), handshakes_.end(), [](const Handshake& h) {
                   return h.tunnelled || h.ended;
               }) >= static_cast<std::ptrdiff_t>(count);
    });
}

bool FakeSocks5Proxy::waitForTunnel(Millis timeout) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] {
        return std::any_of(handshakes_.begin(), handshakes_.end(),
                           [](const Handshake& h) { return h.tunnelled; });
    });
}

int FakeSocks5Proxy::sessionCount() const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(handshakes_.size());
}

void FakeSocks5Proxy::record(std::size_t index, const std::function<void(Handshake&)>& change) {
    std::lock_guard lock(mutex_);
    change(handshakes_[index]);
    changed_.notify_all();
}

void FakeSocks5Proxy::acceptLoop() {
    if (!listen_) return;
    for (;;) {
        pollfd fds[2] = {{stop_.fd(), POLLIN, 0}, {listen_.get(), POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0 && errno != EINTR) return;
        if (fds[0].revents) return;
        if (!fds[1].revents) continue;
        UniqueFd client(::accept4(listen_.get(), nullptr, nullptr, SOCK_CLOEXEC));
        if (!client) continue;
        std::lock_guard lock(mutex_);
        handshakes_.emplace_back();
        const std::size_t index = handshakes_.size() - 1;
        sessions_.emplace_back([this, fd = client.release(), settings = settings_, index] {
            serve(UniqueFd(fd), settings, index);
        });
        changed_.notify_all();
    }
}

bool FakeSocks5Proxy::stall(int fd) {
    for (;;) {
        pollfd fds[2] = {{stop_.fd(), POLLIN, 0}, {fd, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0 && errno != EINTR) return false;
        if (fds[0].revents) return false;
        if (!fds[1].revents) continue;
        std::uint8_t ignored[256];
        if (::recv(fd, ignored, sizeof ignored, 0) <= 0) return false;
    }
}

bool FakeSocks5Proxy::reply(int fd, const Settings& settings, std::vector<std::uint8_t> bytes,
                            Stage stage) {
    if (settings.stall == stage) return stall(fd);
    if (settings.delay.count() > 0 && !stop_.sleepFor(settings.delay)) return false;
    if (!settings.split) return writeAll(fd, bytes);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0 && !stop_.sleepFor(kByteGap)) return false;
        if (!writeAll(fd, std::span(bytes).subspan(i, 1))) return false;
    }
    return true;
}

void FakeSocks5Proxy::serve(UniqueFd client, Settings settings, std::size_t index) {
    handshake(client.get(), settings, index);
    client.reset();
    record(index, [](Handshake& h) { h.ended = true; });
}

void FakeSocks5Proxy::handshake(int fd, const Settings& settings, std::size_t index) {
    auto read = [&](std::size_t count) {
        auto bytes = readExactly(fd, count, kHandshakeWait, stop_.fd());
        return bytes.size() == count ? std::optional(bytes) : std::nullopt;
    };

    // Method selection.
    auto head = read(2);
    if (!head || (*head)[0] != kVersion) return;
    auto methods = read((*head)[1]);
    if (!methods) return;
    std::uint8_t method = kNoAcceptableMethod;
    auto offered = [&](std::uint8_t m) {
        return std::find(methods->begin(), methods->end(), m) != methods->end();
    };
    if (settings.refuseAuthentication) {
        method = kNoAcceptableMethod;
    } else if (settings.credentials) {
        if (offered(kUserPassword)) method = kUserPassword;
    } else if (offered(kNoAuthentication)) {
        method = kNoAuthentication;
    } else if (offered(kUserPassword)) {
        method = kUserPassword;
    }
    record(index, [&](Handshake& h) {
        h.greeting = *head;
        h.greeting.insert(h.greeting.end(), methods->begin(), methods->end());
        h.chosenMethod = method;
    });
    if (!reply(fd, settings, {kVersion, method}, Stage::Greeting) ||
        method == kNoAcceptableMethod) {
        return;
    }

    // User name and password.
    if (method == kUserPassword) {
        auto version = read(1);
        auto userLength = version ? read(1) : std::nullopt;
        auto user = userLength ? read((*userLength)[0]) : std::nullopt;
        auto passwordLength = user ? read(1) : std::nullopt;
        auto password = passwordLength ? read((*passwordLength)[0]) : std::nullopt;
        if (!password) return;
        const std::string userText(user->begin(), user->end());
        const std::string passwordText(password->begin(), password->end());
        record(index, [&](Handshake& h) {
            h.user = userText;
            h.password = passwordText;
        });
        const bool accepted =
            (*version)[0] == kAuthVersion &&
            (!settings.credentials || (settings.credentials->first == userText &&
                                       settings.credentials->second == passwordText));
        if (!reply(fd, settings, {kAuthVersion, static_cast<std::uint8_t>(accepted ? 0 : 1)},
                   Stage::Authentication) ||
            !accepted) {
            return;
        }
    }

    // The CONNECT request.
    auto request = read(4);
    if (!request || (*request)[0] != kVersion) return;
    std::string host;
    std::vector<std::uint8_t> whole = *request;
    const std::uint8_t type = (*request)[3];
    if (type == kAddressIPv4) {
        auto address = read(4);
        if (!address) return;
        whole.insert(whole.end(), address->begin(), address->end());
        host = std::to_string((*address)[0]) + "." + std::to_string((*address)[1]) + "." +
               std::to_string((*address)[2]) + "." + std::to_string((*address)[3]);
    } else if (type == kAddressName) {
        auto length = read(1);
        auto name = length ? read((*length)[0]) : std::nullopt;
        if (!name) return;
        whole.push_back((*length)[0]);
        whole.insert(whole.end(), name->begin(), name->end());
        host.assign(name->begin(), name->end());
    } else {
        record(index, [&](Handshake& h) {
            h.request = whole;
            h.reply = kAddressTypeNotSupported;
        });
        reply(fd, settings, connectReply(kAddressTypeNotSupported), Stage::Connect);
        return;
    }
    auto portBytes = read(2);
    if (!portBytes) return;
    whole.insert(whole.end(), portBytes->begin(), portBytes->end());
    const std::uint16_t port = static_cast<std::uint16_t>(((*portBytes)[0] << 8) | (*portBytes)[1]);

    std::uint8_t code = 0;
    UniqueFd target;
    if (settings.connectReply) {
        code = *settings.connectReply;
    } else if ((*request)[1] != kConnect) {
        code = kCommandNotSupported;
    } else if (settings.redirect) {
        target = connectToLoopback(*settings.redirect);
        code = target ? 0 : kConnectionRefused;
    } else if (isLoopback(host)) {
        target = connectToLoopback(port);
        code = target ? 0 : kConnectionRefused;
    } else {
        code = kHostUnreachable;  // tests never reach out of the machine
    }
    record(index, [&](Handshake& h) {
        h.request = whole;
        h.targetHost = host;
        h.targetPort = port;
        h.reply = code;
    });
    std::vector<std::uint8_t> answer = connectReply(code, target ? localPort(target.get()) : 0);
    if (code == 0 && settings.coalesce) {
        pollfd first{target.get(), POLLIN, 0};
        if (::poll(&first, 1, int(kCoalesceWait.count())) > 0) {
            std::uint8_t buffer[4096];
            const ssize_t got = ::recv(target.get(), buffer, sizeof buffer, 0);
            if (got > 0) answer.insert(answer.end(), buffer, buffer + got);
        }
    }
    if (!reply(fd, settings, std::move(answer), Stage::Connect) || code != 0) return;
    record(index, [](Handshake& h) { h.tunnelled = true; });
    relay(fd, target.get());
}

void FakeSocks5Proxy::relay(int client, int target) {
    std::uint8_t buffer[8192];
    for (;;) {
        pollfd fds[3] = {{stop_.fd(), POLLIN, 0}, {client, POLLIN, 0}, {target, POLLIN, 0}};
        if (::poll(fds, 3, -1) < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if (fds[0].revents) return;
        for (int side = 1; side <= 2; ++side) {
            if (!fds[side].revents) continue;
            const int from = fds[side].fd;
            const int to = side == 1 ? target : client;
            const ssize_t got = ::recv(from, buffer, sizeof buffer, 0);
            if (got < 0 && errno == EINTR) continue;
            // Either side ending ends the tunnel; closing both tells the other side.
            if (got <= 0) return;
            if (!writeAll(to, std::span(buffer, static_cast<std::size_t>(got)))) return;
        }
    }
}

}  // namespace support
