#pragma once

#include "client/client_fwd.h"

namespace table {

// Presses the boss key for the player, as F1 on the table background does: the turn clock
// does so at the time-out that reaches the server's limit.
void PressBossKey(client::Client& c);

}  // namespace table
