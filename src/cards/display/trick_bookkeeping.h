#pragma once

#include <cstdint>

namespace client {
class Client;
}

// The seats' cards on the table: what each seat has there now (`g_aTrickCards`), its play before
// (`g_aPrevTrickCards`, what the previous-trick button shows) and the finishing badges.
namespace cards {

// Whether a recorded image index names one of a seat's thirteen card images.
constexpr bool IsCardImageIndex(int index) {
    return index >= 0 && index <= 12;
}

// A seat's turn comes round (another seat's next play, or the local player's next turn): its
// previous play leaves the table, its cards now on the table become its previous play, hidden
// too, and it has nothing on the table any more. Entries that name no card image are skipped.
// A seat outside 0..3 is a run-time failure.
void StartSeatTurn(client::Client& c, int relSeat);

// A seat has emptied its hand: while fewer than three players are out it gets the next place
// badge (first, second, third) on its element of `first`, shown in front; a fourth gets none. A
// badge picture that cannot be had leaves the element's picture as it was.
void AwardFinishingBadge(client::Client& c, int relSeat);

}  // namespace cards
