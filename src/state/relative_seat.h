#pragma once

#include <cstdint>

#include "cards/card_value.h"

namespace state {

// The index of every per-seat table for a seat's SeatFlag, seen from the local player's own
// flag: 0 the local player at the bottom, 1 left, 2 opposite, 3 right. Flags that are not one
// bit of the low nibble can give a value outside 0..3 (negative too, as the original's Mod
// does); a table indexed by it then fails.
inline int RelativeSeat(std::uint8_t seatFlag, std::uint8_t ownFlag) {
    return (cards::BitIndex(seatFlag) - cards::BitIndex(ownFlag) + 4) % 4;
}

}  // namespace state
