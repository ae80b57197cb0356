#pragma once

#include "state/frame.h"

namespace client {
class Client;
}

namespace settlement {

// Takes one hand-result frame (the dispatcher's, or the props plug-in's held fourth); the
// fourth of a hand fills and shows the settlement sheet and closes the hand. Never reports a
// failure: a failing step is skipped.
void ShowSettlement(client::Client& c, state::Frame& frame);

// A hand's results begin afresh (the first result frame of a hand, a login at a table, leaving
// the table): frames kept from a hand that never got its fourth frame are dropped, and so is
// the props plug-in's count of them, so they cannot complete the next hand's results.
void StartResultCollection(client::Client& c);

}  // namespace settlement
