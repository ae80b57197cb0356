#include "cards/display/hand_card_image.h"

#include <string>

#include "platform/runtime/failure.h"
#include "state/shared_state.h"

namespace cards {

bool IsHandCardImage(const state::SharedState& s, std::int16_t imgIndex) {
    const state::SeatRecord& local = s.custom[0];
    if (local.count > std::int16_t(local.slots.size())) {
        platform::fail(platform::RuntimeFailure::Kind::IndexOutOfRange,
                       "a hand holds at most 13 cards, not " + std::to_string(local.count));
    }
    for (int i = 0; i < local.count; ++i) {
        if (local.slots[std::size_t(i)].image == imgIndex) return true;
    }
    return false;
}

}  // namespace cards
