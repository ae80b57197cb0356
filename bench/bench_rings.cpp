// Throughput of the two rings: frames queued and taken through the send ring, bytes appended and
// frames taken through the receive ring. Neither path may allocate; the counter proves it.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>

#include "connection/send_queue.h"

namespace {
std::atomic<long> g_allocations{0};
}

void* operator new(std::size_t size) {
    ++g_allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

void SendRingQueueAndTake(benchmark::State& bench) {
    auto s = std::make_unique<state::SharedState>();
    s->custom[0].seat = 2;
    state::Frame frame = connection::BuildKeepAlive(*s);
    state::Frame taken{};
    const long before = g_allocations;
    for (auto _ : bench) {
        connection::QueueOutgoingMessage(*s, frame);
        benchmark::DoNotOptimize(connection::TakeFrame(s->g_aSendRing, taken));
    }
    bench.counters["allocs_per_frame"] =
        static_cast<double>(g_allocations - before) / static_cast<double>(bench.iterations());
    bench.counters["frames_per_s"] =
        benchmark::Counter(static_cast<double>(bench.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(SendRingQueueAndTake);

void RecvRingAppendAndTake(benchmark::State& bench) {
    auto s = std::make_unique<state::SharedState>();
    state::Frame arrived{};
    arrived[3] = 7;
    state::Frame taken{};
    const long before = g_allocations;
    for (auto _ : bench) {
        // Arrivals come in pieces; split each frame in two as the socket often does.
        benchmark::DoNotOptimize(connection::AppendToRecvRing(*s, std::span(arrived).first(100)));
        benchmark::DoNotOptimize(connection::AppendToRecvRing(*s, std::span(arrived).subspan(100)));
        benchmark::DoNotOptimize(connection::TakeFrame(s->g_aRecvRing, taken));
    }
    bench.counters["allocs_per_frame"] =
        static_cast<double>(g_allocations - before) / static_cast<double>(bench.iterations());
    bench.counters["frames_per_s"] =
        benchmark::Counter(static_cast<double>(bench.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(RecvRingAppendAndTake);

}  // namespace

BENCHMARK_MAIN();
