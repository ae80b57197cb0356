#pragma once

#include <QString>
#include <array>
#include <cstdint>

#include "cards/card_value.h"
#include "state/frame.h"

// The hand result frame, one per player at the end of a hand, read into plain values. The
// client computes no score: every place, bonus, subtotal, cap, total, final amount and level of
// the settlement comes from these frames.
namespace settlement {

struct HandResult {
    std::uint8_t seat = 0;      // the player's SeatFlag (low nibble of byte 6)
    std::int32_t baseGold = 0;  // the room's base gold; only the fourth frame's counts
    std::uint8_t currency = 0;  // 1 gold coins, other values gold bars
    std::uint8_t cardsLeft = 0;
    std::array<cards::CardValue, 13> cardsHeld{};
    std::uint8_t place = 0;  // 1..4 finishing place, 5 gave up
    std::uint8_t totalSign = 0;
    double totalAmount = 0;
    std::uint8_t finalSign = 0;  // 1 won, 0 lost, other values: neither
    double finalAmount = 0;
    std::uint8_t level = 0;  // 1..40
    std::uint8_t mengXuan = 0;
    std::uint8_t mengChuai = 0;
    std::array<std::uint8_t, 6> bonusX2{};
    std::uint8_t subtotalSign = 0;  // 1 plus, 2 minus, other values zero
    double subtotalAmount = 0;
    std::uint8_t capped = 0;
};

// Reads the fields of a result frame. Amounts above 2^53 lose their lowest digits; a base gold
// of 2^31 or more reads as the negative 32-bit number of the same bits, and a card id of 128 or
// more gives a negative card value, as the signed values that hold them make of them.
HandResult DecodeHandResult(const state::Frame& frame);

// An amount as the sheet and the history print it: the decimal integer without separators
// (a leading "-" when negative), or from 10^15 on the exponent form with fifteen significant
// digits ("1E+15", "9.00719925474099E+15").
QString FormatAmount(double amount);

// The relative seat (0 the local player, 1 left, 2 opposite, 3 right) of a SeatFlag against
// the local player's own flag.
int RelativeSeat(std::uint8_t seatFlag, std::uint8_t ownFlag);

}  // namespace settlement
