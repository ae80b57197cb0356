#include "cards/card_value.h"

#include <string>

#include "platform/runtime/failure.h"

namespace cards {

void CheckCardValue(CardValue value) {
    if (!IsValidCardValue(value)) {
        platform::fail(platform::RuntimeFailure::Kind::InvalidArgument,
                       "not a card value: " + std::to_string(value));
    }
}

void CheckCardRank(int rank) {
    if (!IsCardRank(rank)) {
        platform::fail(platform::RuntimeFailure::Kind::InvalidArgument,
                       "not a card rank: " + std::to_string(rank));
    }
}

std::uint8_t BitIndex(std::int16_t x) {
    std::uint8_t n = 0;
    while (x > 1) {
        x = static_cast<std::int16_t>(x / 2);
        ++n;
    }
    return n;
}

}  // namespace cards
