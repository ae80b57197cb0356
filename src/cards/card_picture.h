#pragma once

#include <cstdint>
#include <optional>

namespace cards {

// Selects a card's face picture: suit index × 16 + rank for ranks 3..15, so 3..15, 19..31,
// 35..47 and 51..63; 16 the black joker, 17 the red joker, 18 the card back. It indexes the
// 64-entry picture-id table g_aIdCards.
using CardPictureCode = std::int16_t;

inline constexpr CardPictureCode CardPictureBlackJoker = 16;
inline constexpr CardPictureCode CardPictureRedJoker = 17;
inline constexpr CardPictureCode CardPictureBack = 18;
inline constexpr int CardPictureTableSize = 64;

// The code every caller of ShowCardPicture computes: BitIndex(suitMask) × 16 + rank.
int CardPictureCodeOf(std::int16_t suitMask, std::int16_t rank);

// What ShowCardPicture shows for (suitMask, rank, code), before any picture is loaded:
// - a marked ace (rank 16) shows the ace of its suit, whatever code was passed;
// - a code above 127, or one naming rank 0..2 (code mod 16) of suit index 0, 2 or 3, is refused:
//   std::nullopt, on which the display minimises the table window and restores the hall;
// - any other code outside the picture-id table (negative, 64..127) is a run-time failure,
//   never a read past the table.
std::optional<CardPictureCode> CardPictureCodeToShow(std::int16_t suitMask, std::int16_t rank,
                                                     int code);

}  // namespace cards
