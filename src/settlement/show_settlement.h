#pragma once

#include "state/frame.h"

namespace client {
class Client;
}

namespace settlement {

// Takes one hand-result frame; the fourth of a hand fills and shows the settlement sheet.
void ShowSettlement(client::Client& c, state::Frame& frame);

}  // namespace settlement
