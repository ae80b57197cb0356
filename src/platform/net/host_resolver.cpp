#include "platform/net/host_resolver.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <mutex>
#include <system_error>
#include <thread>

namespace platform {

// Shared between the scheduler's side and the helper thread, which may outlive the resolver.
struct HostResolver::Lookup {
    std::mutex mutex;
    std::optional<std::uint32_t> address;
};

namespace {

std::optional<std::uint32_t> resolveBlocking(const std::string& host) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || !found) return std::nullopt;
    std::optional<std::uint32_t> address;
    for (const addrinfo* entry = found; entry; entry = entry->ai_next) {
        if (entry->ai_family == AF_INET && entry->ai_addr) {
            address = reinterpret_cast<const sockaddr_in*>(entry->ai_addr)->sin_addr.s_addr;
            break;
        }
    }
    ::freeaddrinfo(found);
    return address;
}

}  // namespace

std::optional<std::uint32_t> HostResolver::parseDotted(const std::string& text) {
    in_addr address{};
    if (::inet_pton(AF_INET, text.c_str(), &address) != 1) return std::nullopt;
    return address.s_addr;
}

HostResolver::HostResolver(Scheduler& scheduler, std::string host, Done done)
    : scheduler_(scheduler),
      done_(std::move(done)),
      lookup_(std::make_shared<Lookup>()),
      alive_(std::make_shared<bool>(true)) {
    int pair[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, pair) != 0) {
        scheduler_.post([this, alive = alive_] {
            if (*alive) finish();
        });
        return;
    }
    notifyFd_ = pair[0];
    const int threadFd = pair[1];
    try {
        std::thread([lookup = lookup_, threadFd, host = std::move(host)] {
            auto address = resolveBlocking(host);
            {
                std::lock_guard lock(lookup->mutex);
                lookup->address = address;
            }
            // Each side closes only its own end, so no descriptor number is ever reused under
            // the other side's feet; MSG_NOSIGNAL because the other end may be gone.
            const char ready = 1;
            [[maybe_unused]] auto sent = ::send(threadFd, &ready, 1, MSG_NOSIGNAL);
            ::close(threadFd);
        }).detach();
    } catch (const std::system_error&) {
        ::close(threadFd);  // the notify end then reads end-of-file: the lookup failed
    }
    watch_ = std::make_unique<FdWatch>(scheduler_, notifyFd_, [this](bool, bool) { finish(); });
    watch_->setInterest(true, false, true);
}

HostResolver::~HostResolver() {
    *alive_ = false;
    watch_.reset();
    if (notifyFd_ >= 0) ::close(notifyFd_);
}

void HostResolver::finish() {
    std::optional<std::uint32_t> address;
    {
        std::lock_guard lock(lookup_->mutex);
        address = lookup_->address;
    }
    watch_.reset();
    if (notifyFd_ >= 0) ::close(notifyFd_);
    notifyFd_ = -1;
    // The callback may destroy this resolver: take it out first and touch nothing afterwards.
    auto done = std::move(done_);
    done_ = nullptr;
    if (done) done(address);
}

}  // namespace platform
