#pragma once

#include <cstdint>
#include <span>

#include "cards/card_value.h"
#include "cards/hand_slots.h"
#include "cards/play_comparison.h"

namespace cards {

// The hint's state, kept between presses of the hint button within a turn.
struct HintState {
    // The rank from which the next search starts; 3 after every reset.
    std::int16_t g_nHintCursor = RankLowest;
    // The kind and card count the next press searches for.
    std::int16_t g_nHintType = 0;
    std::int16_t g_nHintLen = 0;
    // The last search raised cards.
    bool g_bHintFound = false;
    // A hint was found during the local player's current turn: allows the restart after the last
    // bomb.
    bool g_bHintPlayed = false;
};

// The search of `PromptBeat`: searches the hand for a play of kind `type` with `len` cards that
// beats `last` (only the rank of its first card counts), from the cursor's rank up. When none is
// found it falls back to the bombs (triple, four, pair of marked aces) and, when a hint was already
// found this turn, starts over once with the table's own play (`former`). Returns the slots to
// raise; the result and where the next press goes are left in `hint`. A hand of fewer than `len`
// cards finds nothing; a kind outside 1..7 does nothing at all. A card of no rank 3..16, a cursor
// outside the rank table or an empty `last` is a run-time failure.
SlotSet SearchBeat(std::span<const CardValue> hand, HintState& hint, std::int16_t type,
                   std::int16_t len, std::span<const std::int32_t> last, const PlayToBeat& former);

// The search of `PromptLead`: every card of the lowest rank held; nothing for an empty hand.
SlotSet SearchLead(std::span<const CardValue> hand);

}  // namespace cards
