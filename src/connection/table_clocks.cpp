#include "connection/table_clocks.h"

#include "client/client.h"

namespace connection {

namespace {

// The real-time channels only cycle their counters.
constexpr std::int16_t kCounterCycle = 20;

void CycleCounter(Client& c, state::Channel k) {
    auto& ticks = c.s.channels.g_aCheckTicks[k];
    if (ticks >= kCounterCycle) ticks = 0;
}

}  // namespace

void StepBidCountdown(Client& c) {
    if (c.s.g_nBidTicks > 20) c.s.g_nBidTicks = 0;
}

void StepTurnClock(Client& c) {
    CycleCounter(c, state::ChannelTurnClock);
}

void StepReadyClock(Client& c) {
    CycleCounter(c, state::ChannelReadyClock);
}

}  // namespace connection
