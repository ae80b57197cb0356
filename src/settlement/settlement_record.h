#pragma once

#include <QString>
#include <cstdint>
#include <optional>

#include "settlement/hand_result.h"

// The arithmetic of one seat's result: the signed amount the hand brings it, the lines that
// show it and what it does to the seat's record. Plain values, no windows.
namespace settlement {

// The final amount with the sign its sign byte gives it (plus only for a win), plus the props
// amount: a loser's prize lessens the loss instead of adding to it.
double SignedFinal(const HandResult& r, double propsAmount);

// The sheet's final line for the signed result s.
QString FinalLine(const HandResult& r, double s);

// The history window's line for the signed result s: the amount, "-" in front of a loss.
QString HistoryLine(double s);

// A seat's record after the hand: a win or a loss counted by the sign byte and the gold moved
// by s (never below 0); any other sign byte changes neither. A count past the 32-bit range is
// an overflow failure and changes nothing.
struct SeatTally {
    double gold = 0;
    std::int32_t wins = 0;
    std::int32_t losses = 0;
};
SeatTally ApplyResult(SeatTally before, const HandResult& r, double s);

// The level title of a level byte 1..40; nothing for other values.
std::optional<QString> LevelTitle(std::uint8_t level);

// A seat's gold label: the gold followed by "金币" (currency 1) or "金条".
QString GoldLabel(double gold, std::uint8_t currency);

}  // namespace settlement
