#pragma once

#include <cstdint>

namespace state {
struct SharedState;
}

namespace cards {

// IsHandCardImage: whether element imgIndex of cardImage0 shows a card of the local hand (one of
// the slots 0 to count - 1 of custom(0)) rather than a card the player has already played. A
// count above the 13 slots is a run-time failure, never a read past the slots.
bool IsHandCardImage(const state::SharedState& s, std::int16_t imgIndex);

}  // namespace cards
