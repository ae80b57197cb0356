#include "connection/waits.h"

#include <cmath>

#include "platform/runtime/conversions.h"
#include "platform/runtime/scheduler.h"

namespace connection {

void SleepSeconds(platform::Scheduler& scheduler, float seconds) {
    scheduler.sleepFor(platform::toLong(static_cast<double>(seconds) * 1000.0));
}

void WaitSeconds(platform::Scheduler& scheduler, float seconds) {
    // "More than" the given time: the first whole millisecond past it.
    const auto ms = static_cast<platform::Millis>(std::floor(static_cast<double>(seconds) * 1000.0));
    scheduler.waitFor(std::max<platform::Millis>(ms, 0) + 1);
}

void DelayMs(platform::Scheduler& scheduler, int ms) { scheduler.waitFor(ms); }

}  // namespace connection
