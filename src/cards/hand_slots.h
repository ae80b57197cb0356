#pragma once

#include <bitset>
#include <cstddef>
#include <span>

#include "cards/card_value.h"

namespace cards {

// A hand holds at most thirteen cards, one per slot, in the order they are shown.
inline constexpr int MaxHandCards = 13;

// Slots of one hand as a set: the cards a routine finds raised or is to raise.
using SlotSet = std::bitset<MaxHandCards>;

// A hand of more than thirteen cards comes from a bad frame: a run-time failure rather than a read
// past the slots.
void CheckHandSize(std::size_t count);

// The rank the rules read, checked: a card whose rank lies outside 3..16 is a run-time failure
// rather than an index outside a rank table.
int CheckedRank(CardValue card);

}  // namespace cards
