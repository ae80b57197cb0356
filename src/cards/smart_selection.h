#pragma once

#include <cstdint>
#include <span>

#include "cards/card_value.h"
#include "cards/hand_slots.h"
#include "cards/play_comparison.h"

namespace cards {

// The smart selection (`AgileClickCard`) over a hand: `raised` holds the slots whose cards lie
// above the rest line, of which the player has just clicked up exactly one (clickCardNum 1).
// Returns the further slots to raise so that the clicked card and they make a play of the
// table's kind that beats `former`; where that cannot be, the other cards of the clicked rank when
// the hand holds three or four (a bomb); otherwise nothing. A second raised card, a table play
// that nothing of its kind beats, or a hand with five cards of a rank raises nothing.
// A card of no rank 3..16, a hand of more than 13 cards or a play to beat whose first card is no
// card is a run-time failure.
SlotSet AgileClickSlots(std::span<const CardValue> hand, const SlotSet& raised,
                        std::int16_t clickCardNum, const PlayToBeat& former);

}  // namespace cards
