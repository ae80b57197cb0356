#pragma once

#include <cstdint>
#include <optional>
#include <random>

// When the server breaks the connection on purpose, for the tests of the client's recovery:
// before the n-th frame it would send (counted over the whole run, from 1), or before any frame
// with a given chance. The frame that was about to go stays queued for the reconnected client.
namespace tableserver {

struct DropPlan {
    std::optional<std::uint64_t> atFrame;
    double chance = 0.0;  // 0 to 1, per frame
    std::uint32_t seed = 1;
};

class DropSchedule {
  public:
    explicit DropSchedule(DropPlan plan) : plan_(plan), rng_(plan.seed) {}
    // Asked once before every frame the server is about to send: true drops the connection
    // instead, and the same frame is asked about again after the reconnection.
    bool dropBefore();
    std::uint64_t framesSent() const { return sent_; }
    std::uint64_t drops() const { return drops_; }

  private:
    DropPlan plan_;
    std::mt19937 rng_;
    std::uint64_t sent_ = 0;
    std::uint64_t drops_ = 0;
    bool justDropped_ = false;
};

}  // namespace tableserver
