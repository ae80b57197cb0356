#pragma once

#include <cstdint>

// How a turn frame's kind byte moves the turn on.
namespace dispatch {

// 1, 9 and 10 end the trick: the table is cleared and there is no play to beat.
constexpr bool TurnEndsTrick(std::uint8_t turnKind) {
    return turnKind == 1 || turnKind == 9 || turnKind == 10;
}
// Below 10 the local player, when next, gets the action buttons.
constexpr bool TurnOpensButtons(std::uint8_t turnKind) {
    return turnKind < 10;
}
// 1 and 9: the next player leads and may not pass.
constexpr bool TurnMustLead(std::uint8_t turnKind) {
    return turnKind == 1 || turnKind == 9;
}

}  // namespace dispatch
