#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "cards/card_value.h"
#include "cards/pattern_type.h"
#include "platform/runtime/failure.h"

namespace cards {

// `analyzed` and `g_nAnalyzedCount`: the one reading of the last analysed selection. While
// g_nAnalyzedCount is 1, type is the play's kind and ranks[0 .. rankCount - 1] its ranks in the
// order the play is sent and compared; otherwise the reading is empty.
struct PlayAnalysis {
    std::int16_t g_nAnalyzedCount = 0;
    PatternType type = PatternType::PatternInvalid;
    std::int16_t rankCount = 0;
    std::array<std::int16_t, MaxPlayCards> ranks{};

    std::span<const std::int16_t> Ranks() const {
        if (rankCount < 0 || rankCount > MaxPlayCards) {
            platform::fail(platform::RuntimeFailure::Kind::IndexOutOfRange,
                           "an analysed play holds 0 to 27 ranks");
        }
        return std::span<const std::int16_t>(ranks).first(static_cast<std::size_t>(rankCount));
    }
};

// Decides what kind of play the selected cards (in hand-slot order) make against a play of
// formerType (PatternInvalid when leading), and records its ranks in analyzed. Returns
// PatternInvalid, with an empty reading, when the selection is no legal play, an empty
// selection included. A card that is no card value, more cards than a play can hold or a
// formerType that is no pattern is a run-time failure.
PatternType AnalyzeCombination(PatternType formerType, std::span<const CardValue> cards,
                               PlayAnalysis& analyzed);

}  // namespace cards
