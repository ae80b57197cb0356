#pragma once

#include <cstdint>

#include "client/client_fwd.h"
#include "state/frame.h"
#include "state/shared_state.h"

namespace connection {

using client::Client;
using client::MainForm;

// The three table clocks as steps of the table tick, all shown in the label `Number`:
// - the declaration countdown, on tick counts (20 to the second), presses the default
//   declaration button when it runs out;
// - the turn clock, on the scheduler's monotonic seconds while ChannelTurnClock is armed, plays
//   or passes for the player when the turn times out;
// - the next-hand clock, likewise while ChannelReadyClock is armed, makes the player ready.
// Nothing steps while not logged in.
void StepBidCountdown(Client& c);
void StepTurnClock(Client& c);
void StepReadyClock(Client& c);

// A turn starts: the turn clock counts `seconds` (1 under the boss key) in green from now.
void StartTurnClock(Client& c, std::int16_t seconds);
// The pause between hands starts: the next-hand clock counts `seconds` (1 under the boss key)
// in black, and the multiplier of the hand that ended goes.
void StartNextHandClock(Client& c, std::int16_t seconds);
// The ready frame (MsgSeatAction, SeatActionReady) for the own seat.
state::Frame BuildReadyFrame(const state::SharedState& s);
// Starts the random seat-change animation: its picture and caption in front, the caption
// timer running, the seat-change pane shown; the animation is no longer armed.
void ShowSeatChange(Client& c);

}  // namespace connection
