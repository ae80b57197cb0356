#pragma once

namespace client {
class Client;
}

namespace table {

// What leaving the table clears of the seat panels: each seat's avatar, name, gold and level,
// its ready mark and declaration bubble, and the declaration buttons.
void ClearSeatPanelsOnLeave(client::Client& c);
// The wealth badge after leaving: its label back to "0", label and picture hidden.
void ClearWealthOnLeave(client::Client& c);

}  // namespace table
