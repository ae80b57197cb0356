#include "cards/hand_slots.h"

#include <string>

#include "platform/runtime/failure.h"

namespace cards {

void CheckHandSize(std::size_t count) {
    if (count > std::size_t(MaxHandCards)) {
        platform::fail(platform::RuntimeFailure::Kind::IndexOutOfRange,
                       "a hand holds at most 13 cards, not " + std::to_string(count));
    }
}

int CheckedRank(CardValue card) {
    const int rank = CardRank(card);
    CheckCardRank(rank);
    return rank;
}

}  // namespace cards
