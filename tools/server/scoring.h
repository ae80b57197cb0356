#pragma once

#include <cstdint>

#include "server/table.h"

// The server's own simple scoring. By place: first +2 stakes, second +1, third -1, fourth -2; a
// player who gave up pays 1 stake. A stake is the room's base gold times the hand's multiplier.
// A loser never pays more gold than the player has (the result is then marked capped).
namespace tableserver {

struct SeatScore {
    bool won = false;
    std::uint64_t amount = 0;  // before the cap
    std::uint64_t paid = 0;    // gold actually won or lost
    bool capped = false;
    std::uint64_t goldAfter = 0;
    std::uint8_t level = 1;  // 1..40, one level per 5000 gold
};

SeatScore ScoreSeat(const Seat& seat, std::int32_t baseGold, std::uint16_t multiplier);
state::Frame BuildResult(const Seat& seat, const SeatScore& score, std::int32_t baseGold);

}  // namespace tableserver
