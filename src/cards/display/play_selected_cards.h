#pragma once

namespace client {
class Client;
}

namespace cards {

// PlaySelectedCards: the local player's raised cards become a play, or a pass when nothing is
// raised and there is a play to beat (nothing happens while leading). A selection that is no
// legal play, or does not beat the play on the table, shows the illegal-play notice and sends
// nothing. An accepted play stops the turn clock, takes the action buttons away, goes to the
// server (only while the turn is open) as MsgPlayCards with the card ids in the order of the
// play's ranks, becomes the play to beat, moves its cards to the local seat's place on the table
// (as the seat's current cards only: its previous play is the turn start's to keep), closes the
// hand up and, for the last card, earns the next place badge. Runs without waiting.
void PlaySelectedCards(client::Client& c);

}  // namespace cards
