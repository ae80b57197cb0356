#pragma once

#include <cstdint>
#include <span>

#include "client/client_fwd.h"

namespace connection {

using client::Client;

// Bytes the game socket received: during the SOCKS5 hand-shake they are the proxy's replies,
// judged a byte at a time; the game's bytes go to the receive ring. A full buffer restores the
// hall and ends the program.
void ReceiveSocketBytes(Client& c, std::span<const std::uint8_t> bytes);

}  // namespace connection
