#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "cards/card_value.h"
#include "cards/hand_slots.h"
#include "cards/pattern_type.h"
#include "state/frame.h"

// The cards the server's deal and turn frames carry, decoded and checked before any of them
// reaches a slot, a picture table or the play to beat: a frame that breaks a rule below is a
// run-time failure as a whole, so the dispatcher drops it and nothing of it is kept.
namespace cards {

// Up to thirteen cards, in frame order.
template <typename T>
struct CardList {
    std::array<T, MaxHandCards> items{};
    std::size_t count = 0;
    std::span<const T> all() const { return std::span<const T>(items).first(count); }
};

// A deal frame's batch: card i at bytes 16 + 4i .. 19 + 4i, little-endian.
inline constexpr std::size_t DealCardsByte = 16;

// The `count` cards of a batch that fills the local slots from `start`. A batch that would run
// past slot 12 (or starts outside the hand), a card id of 128 or more (the value would not fit a
// signed 32-bit number), a rank outside 3..16 or a suit that is not one bit fails.
CardList<CardValue> DecodeDealtCards(const state::Frame& message, int start, int count);

// A turn frame's play: byte 17 the card count, byte 18 the pattern, card j's suit mask in the
// low four bits of byte 20 + 4j and its rank in byte 21 + 4j (the other two bytes carry nothing
// the client keeps).
inline constexpr std::size_t TurnCardCountByte = 17;
inline constexpr std::size_t TurnPatternByte = 18;
inline constexpr std::size_t TurnCardsByte = 20;

struct TableCard {
    std::int16_t suit = 0;
    std::int16_t rank = 0;
    // As the play to beat records it: rank × 256 + suit mask, no id.
    std::int32_t recorded() const { return rank * 256 + suit; }
};

struct OtherSeatPlay {
    PatternType pattern = PatternType::PatternInvalid;
    CardList<TableCard> cards;
};

// Another seat's play, which goes on the seat's card images from `playedBefore` on: more cards
// than the seat has images left (13 - playedBefore), a pattern byte above 7, a rank outside
// 3..16 or a suit that is not one bit fails.
OtherSeatPlay DecodeOtherSeatPlay(const state::Frame& message, int playedBefore);

}  // namespace cards
