#pragma once

namespace client {
class Client;
}

namespace table {

// What leaving the table clears of the seat panels: each seat's avatar, name, gold and level,
// its ready mark and declaration bubble, the declaration buttons, and the wealth badge (back to
// "0" and hidden).
void ClearSeatPanelsOnLeave(client::Client& c);

}  // namespace table
