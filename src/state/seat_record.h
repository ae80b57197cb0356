#pragma once

#include <QString>
#include <array>
#include <cstdint>

#include "cards/card_value.h"

namespace state {

// One card slot of a seat: the card's value and the index of the card image showing it.
struct CardSlot {
    cards::CardValue card = 0;
    std::int16_t image = -1;  // -1: no image shows it
};

// A seat of `custom`, by relative seat (0 the local player at the bottom, then left, opposite,
// right).
struct SeatRecord {
    QString name;            // the player's account
    std::uint8_t seat = 0;   // the seat's SeatFlag, 0 until known
    std::int16_t playX = 0;  // where the seat's played cards are laid out (table pixels)
    std::int16_t playY = 0;
    std::array<CardSlot, 13> slots{};
    std::int16_t count = 0;  // cards held
};

}  // namespace state
