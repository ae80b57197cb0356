#include "connection/waits.h"

#include <algorithm>
#include <cmath>

#include "platform/runtime/conversions.h"
#include "platform/runtime/scheduler.h"

namespace connection {

void SleepSeconds(platform::Scheduler& scheduler, float seconds) {
    scheduler.sleepFor(platform::toLong(static_cast<double>(seconds) * 1000.0));
}

void WaitSeconds(platform::Scheduler& scheduler, float seconds) {
    // Already more than a negative time has passed at the first look: nothing runs. A time that
    // is no number would never be passed; it is taken as none rather than waited on for ever.
    if (!(seconds >= 0.0f)) return;
    // "More than" the given time: the first whole millisecond past it.
    constexpr double LongestWaitMs = 1e15;  // far beyond any wait, and exact as a Millis
    const double ms = std::min(std::floor(static_cast<double>(seconds) * 1000.0), LongestWaitMs);
    scheduler.waitFor(static_cast<platform::Millis>(ms) + 1);
}

void DelayMs(platform::Scheduler& scheduler, int ms) {
    // The deadline has already come at the first look: return without letting anything run.
    if (ms <= 0) return;
    scheduler.waitFor(ms);
}

}  // namespace connection
