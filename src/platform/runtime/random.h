#pragma once

#include <cstdint>
#include <random>

namespace platform {

// The program's one random source; seeded in tests so a run repeats.
class Random {
public:
    explicit Random(std::uint64_t seed = std::random_device{}()) : engine_(seed) {}
    void seed(std::uint64_t value) { engine_.seed(value); }

    // Rnd: a Single in [0, 1).
    float next() { return std::uniform_real_distribution<float>(0.0f, 1.0f)(engine_) ; }
    // A whole number in [low, high].
    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine_); }

private:
    std::mt19937_64 engine_;
};

}  // namespace platform
