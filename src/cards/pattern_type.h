#pragma once

#include <cstdint>

namespace cards {

// The kind of a play; 0 also stands for "nothing to beat" when the local player leads.
enum class PatternType : std::int16_t {
    PatternInvalid = 0,
    PatternSingle = 1,
    PatternPair = 2,
    PatternStraight = 3,
    PatternPairStraight = 4,
    PatternTriple = 5,
    PatternFour = 6,
    PatternAcePair = 7,
};

// The most cards one play can carry: the width of the analysis row and of g_aFormerCards.
inline constexpr int MaxPlayCards = 27;

constexpr int Ordinal(PatternType type) {
    return static_cast<int>(type);
}

// A pattern byte from the server or the state: 0..7, anything else is a run-time failure.
PatternType CheckPatternType(int value);

}  // namespace cards
