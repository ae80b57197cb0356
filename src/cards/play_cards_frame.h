#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "cards/card_value.h"
#include "cards/hand_slots.h"
#include "cards/play_analysis.h"
#include "state/frame.h"

// MsgPlayCards (type 7), the local player's play or pass, built in a fresh zero-filled frame:
// byte 6 the own seat flag, byte 15 the kind (1 pass, 2 play), byte 17 the card count, byte 18
// the pattern, from byte 20 one card id per played card in the order of the play's ranks.
namespace cards {

inline constexpr std::uint8_t MsgPlayCards = 7;
enum PlayKind : std::uint8_t {
    PlayKindPass = 1,
    PlayKindPlay = 2,
};
inline constexpr std::size_t PlayKindByte = 15;
inline constexpr std::size_t PlayCardCountByte = 17;
inline constexpr std::size_t PlayPatternByte = 18;
inline constexpr std::size_t PlayCardIdsByte = 20;

// The pass frame every sender of a pass uses (the play routine, the pass button, the turn clock).
state::Frame BuildPassFrame(std::uint8_t seatFlag);

// The play frame for cards already in play order.
state::Frame BuildPlayFrame(std::uint8_t seatFlag, PatternType pattern,
                            std::span<const CardValue> playOrder);

// The selection (in hand-slot order) in the order of the analysed ranks: for each rank the first
// selected card of that rank not yet taken, so equal ranks go from left to right in the hand.
// Element k is the index into the selection of the k-th played card. An analysis whose ranks are
// not exactly those of the selection is a run-time failure.
struct PlayOrder {
    std::array<std::size_t, MaxHandCards> selectionIndex{};
    std::size_t count = 0;
};
PlayOrder OrderPlayedCards(std::span<const CardValue> selection, const PlayAnalysis& analyzed);

}  // namespace cards
