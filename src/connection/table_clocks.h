#pragma once

#include "client/client_fwd.h"
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

}  // namespace connection
