#pragma once

#include <cstdint>
#include <span>

namespace cards {

// One card as the server deals it: bits 0..3 the suit mask, bits 8..15 the rank, bits 16..23 a
// byte of the server's that no card rule reads, bits 24..31 the card id sent back when playing.
using CardValue = std::int32_t;

inline constexpr int SuitDiamonds = 1;
inline constexpr int SuitClubs = 2;
inline constexpr int SuitHearts = 4;
inline constexpr int SuitSpades = 8;

inline constexpr int RankLowest = 3;
inline constexpr int RankKing = 13;
inline constexpr int RankAce = 14;
inline constexpr int RankTwo = 15;
inline constexpr int RankMarkedAce = 16;

inline constexpr int MaxCardId = 127;

// The field reads every card rule uses. They are only meaningful for a value that passed
// CheckCardValue: a card id above 127 makes the value negative.
constexpr int CardSuit(CardValue value) {
    return value % 16;
}
constexpr int CardRank(CardValue value) {
    return (value / 256) % 256;
}
constexpr int CardId(CardValue value) {
    return value / 16777216;
}

// Four bytes little-endian on the wire: suit mask, rank, the server's byte, card id.
constexpr CardValue CardValueFromWire(std::span<const std::uint8_t, 4> bytes) {
    const auto word =
        static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
        (static_cast<std::uint32_t>(bytes[2]) << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
    return static_cast<CardValue>(word);
}

constexpr bool IsSuitMask(int suit) {
    return suit == SuitDiamonds || suit == SuitClubs || suit == SuitHearts || suit == SuitSpades;
}
constexpr bool IsCardRank(int rank) {
    return rank >= RankLowest && rank <= RankMarkedAce;
}

// A card the rules can work with: one suit bit, a rank from 3 to the marked ace, an id of 0..127.
// The server's byte is not looked at.
constexpr bool IsValidCardValue(CardValue value) {
    return value >= 0 && IsSuitMask(CardSuit(value)) && IsCardRank(CardRank(value));
}

// Cards come from the server unchecked; a value no deck holds is a run-time failure here rather
// than an index past the end of a rank table later.
void CheckCardValue(CardValue value);
void CheckCardRank(int rank);

// The bit number of a one-bit flag: suit masks give the suit index 0..3, seat flags the seat.
// 1 gives 0, 2 and 3 give 1, 4 to 7 give 2, 8 to 15 give 3; 0 and negative values give 0.
std::uint8_t BitIndex(std::int16_t x);

}  // namespace cards
