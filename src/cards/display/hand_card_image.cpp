#include "cards/display/hand_card_image.h"

#include "cards/display/local_hand.h"
#include "state/shared_state.h"

namespace cards {

bool IsHandCardImage(const state::SharedState& s, std::int16_t imgIndex) {
    const state::SeatRecord& local = s.custom[0];
    const std::size_t held = HeldSlots(local);
    for (std::size_t i = 0; i < held; ++i) {
        if (local.slots[i].image == imgIndex) return true;
    }
    return false;
}

}  // namespace cards
