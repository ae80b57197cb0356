#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "cards/card_value.h"
#include "cards/pattern_type.h"
#include "cards/play_analysis.h"

namespace cards {

// The play on the table that the local player has to beat. formerType is PatternInvalid when
// the local player leads; g_aFormerCards holds rank × 256 + suit mask of each of its cards in the
// order the play was announced, so element 0 is its deciding card.
struct PlayToBeat {
    PatternType formerType = PatternType::PatternInvalid;
    std::int16_t formerNum = 0;
    std::array<std::int32_t, MaxPlayCards> g_aFormerCards{};
};

// Whether a play of newType with newN cards, whose first recorded rank is newRanks[0], beats a
// play of formerType with formerN cards whose first card is formerCards[0]. Always false when
// there is nothing to beat. Only the values the decision reads are checked: a pattern that is no
// pattern, an empty array, a count outside 1..27 or a deciding card that is no card is a
// run-time failure.
bool CanBeat(std::span<const std::int32_t> newRanks, std::int16_t newN, PatternType newType,
             std::span<const std::int32_t> formerCards, std::int16_t formerN,
             PatternType formerType);

// The play button's check: the analysed selection against the play on the table.
bool CanBeat(const PlayAnalysis& analyzed, const PlayToBeat& former);

}  // namespace cards
