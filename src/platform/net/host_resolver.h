#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/runtime/scheduler.h"

namespace platform {

// Looks up the IPv4 address of a host name without blocking the scheduler's thread. The system
// resolver may take seconds on a bad name, so it runs on a helper thread whose answer comes back
// as readiness of a socket pair, on the scheduler's thread, in both scheduler modes.
class HostResolver {
  public:
    // The address in network byte order, or nothing when the name does not resolve.
    using Done = std::function<void(std::optional<std::uint32_t> address)>;

    // Starts the lookup; `done` runs once, later, from the scheduler (never from inside this
    // constructor), unless the resolver is destroyed first.
    HostResolver(Scheduler& scheduler, std::string host, Done done);
    // Abandons a lookup still running: the helper thread finishes on its own and its answer is
    // thrown away.
    ~HostResolver();
    HostResolver(const HostResolver&) = delete;
    HostResolver& operator=(const HostResolver&) = delete;

    // Dotted IPv4 text ("a.b.c.d") as an address in network byte order, without any lookup.
    static std::optional<std::uint32_t> parseDotted(const std::string& text);

  private:
    struct Lookup;
    void finish();

    Scheduler& scheduler_;
    Done done_;
    std::shared_ptr<Lookup> lookup_;
    int notifyFd_ = -1;
    std::unique_ptr<FdWatch> watch_;
    std::shared_ptr<bool> alive_;
};

}  // namespace platform
