#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "cards/card_value.h"
#include "cards/hand_slots.h"

namespace cards {

// How a sort moved the cards of a hand: slot k now holds the card that slot from[k] held, so
// whatever travels with a card (the height of a raised card) can follow it.
struct SlotMoves {
    std::array<std::int8_t, MaxHandCards> from{};
    // The marked aces the rank order moved to the front, 0 to 2 (`g_nMarkedAceCount`).
    std::int16_t markedAceCount = 0;
};

// The rank order: highest first by rank × 256 + suit mask (within a rank spades, hearts, clubs,
// diamonds; cards that already carry the marked-ace rank first of all). Then the aces of the
// marked colour (1 or 4 red, 2 or 8 black; any other mask marks none), at most two and still of
// rank 14, go to the front, the heart ace before the diamond ace, the spade ace before the club
// ace, the other cards keeping their order.
SlotMoves SortByRank(std::span<CardValue> cards, int colourMask);

// The second order: highest first by the low 24 bits, the server's byte weighing most.
SlotMoves SortByGroup(std::span<CardValue> cards);

// Both orders end by clearing bits 16..19 of the server's byte on every 5, 10 and King.
void ClearServerBitsOfCountingRanks(std::span<CardValue> cards);

}  // namespace cards
