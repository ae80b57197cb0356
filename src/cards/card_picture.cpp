#include "cards/card_picture.h"

#include <string>

#include "cards/card_value.h"
#include "platform/runtime/failure.h"

namespace cards {

int CardPictureCodeOf(std::int16_t suitMask, std::int16_t rank) {
    return BitIndex(suitMask) * 16 + rank;
}

std::optional<CardPictureCode> CardPictureCodeToShow(std::int16_t suitMask, std::int16_t rank,
                                                     int code) {
    // Callers compute suit index × 16 + 16 for a marked ace, which names a joker or nothing.
    if (rank == RankMarkedAce) code = BitIndex(suitMask) * 16 + RankAce;

    if (code > 127) return std::nullopt;
    if (code >= 0) {
        const int rankPart = code % 16;
        const int suitPart = code / 16;
        if (rankPart <= 2 && (suitPart == 0 || suitPart == 2 || suitPart == 3)) {
            return std::nullopt;
        }
    }
    if (code < 0 || code >= CardPictureTableSize) {
        platform::fail(platform::RuntimeFailure::Kind::IndexOutOfRange,
                       "no card picture for code " + std::to_string(code));
    }
    return static_cast<CardPictureCode>(code);
}

}  // namespace cards
