#pragma once

#include <cstdint>

namespace client {
class Client;
}

namespace dispatch {

// The relative seat (0..3) of a seat byte of a server frame, by its low four bits and the local
// player's own flag. An own flag that is no seat can give no seat: a run-time failure of the
// frame, as indexing a seat's table with it would be.
int SeatOfFlag(const client::Client& c, std::uint8_t seatByte);

}  // namespace dispatch
