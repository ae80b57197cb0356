#pragma once

namespace platform {
class Scheduler;
}

namespace connection {

// The three waits shared by the client. All measure on the monotonic clock, so a wait that
// spans midnight or a change of the system time still ends on time.

// Blocks for seconds (rounded to whole milliseconds) without processing anything: nothing is
// drawn or handled meanwhile.
void SleepSeconds(platform::Scheduler& scheduler, float seconds);

// Returns once more than `seconds` have passed, processing pending events meanwhile.
void WaitSeconds(platform::Scheduler& scheduler, float seconds);

// Returns once at least `ms` milliseconds have passed, processing pending events meanwhile.
void DelayMs(platform::Scheduler& scheduler, int ms);

}  // namespace connection
