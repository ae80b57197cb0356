#pragma once

#include "client/client_fwd.h"
namespace connection {

using client::Client;
using client::MainForm;

// The three table clocks as steps of the table tick: the declaration countdown (on tick
// counts), the turn clock and the next-hand clock (on real seconds, through their channels).
// What each does when it steps and when it runs out comes with the table's clocks; until then
// they keep their counters bounded and act on nothing.
void StepBidCountdown(Client& c);
void StepTurnClock(Client& c);
void StepReadyClock(Client& c);

}  // namespace connection
