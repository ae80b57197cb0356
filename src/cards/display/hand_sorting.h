#pragma once

#include <cstdint>

namespace client {
class Client;
}

namespace cards {

// SortHandByRank: puts the n slots of custom(seat) from slot `start` in rank order with the
// aces of colourMask in front (their number in g_nMarkedAceCount) and lays the cards out again.
// - The local hand (seat 0): every card goes down to the rest line in the hand row; only the
//   slots whose card changed get a new face. Each slot keeps its own image, so cards already
//   played stay on the table however far into the hand the sort runs.
// - Seats 1 to 3 (the reveal at the settlement): a row of faces centred on the seat's play point.
// NumSumClickUp becomes 0; the 5s, 10s and Kings lose bits 16..19 of the server's byte.
// A seat above 3, slots past the thirteenth, a slot without an image or a face that does not
// load is a run-time failure; what was done stays done.
void SortHandByRank(client::Client& c, std::uint8_t seat, std::int16_t n, std::int16_t colourMask,
                    std::int16_t start);

// SortHandByGroup: the second order of the local hand (by the low 24 bits of the card values).
// Raised cards stay raised, Lefts stay as they are, marked aces are not moved, NumSumClickUp and
// g_nMarkedAceCount are left alone; the third argument is not used.
void SortHandByGroup(client::Client& c, std::uint8_t seat, std::int16_t n, std::int16_t spare,
                     std::int16_t start);

}  // namespace cards
