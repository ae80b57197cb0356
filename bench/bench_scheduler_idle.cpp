// Idle cost of the real-mode scheduler: a table left alone still runs its 50 ms tick, and that
// must cost well under 1% of one core.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <ctime>

#include "platform/runtime/scheduler.h"

namespace {

double processCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

void IdleSchedulerWithFiftyMsTimer(benchmark::State& state) {
    int argc = 1;
    char name[] = "bench";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    platform::Scheduler scheduler(platform::Scheduler::Mode::Real);
    platform::Timer tick(scheduler);
    long ticks = 0;
    tick.setInterval(50);
    tick.onTimer = [&] { ++ticks; };
    constexpr platform::Millis kWallMs = 3000;
    for (auto _ : state) {
        const double cpuBefore = processCpuSeconds();
        const auto wallBefore = scheduler.now();
        scheduler.waitFor(kWallMs);
        const double cpu = processCpuSeconds() - cpuBefore;
        const double wall = (scheduler.now() - wallBefore) / 1000.0;
        state.SetIterationTime(wall);
        state.counters["cpu_ms_per_wall_s"] = cpu * 1000.0 / wall;
        state.counters["percent_of_core"] = 100.0 * cpu / wall;
        state.counters["ticks_per_s"] = ticks / wall;
    }
}
BENCHMARK(IdleSchedulerWithFiftyMsTimer)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
