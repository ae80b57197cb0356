#pragma once

#include <QString>

namespace client {
class Client;
}

// The table screen as start-up, the tick, the hall link and the server messages reach it: the
// layout made once at load, and the resets between hands.
namespace table {

// Makes the per-seat array members and places the seat panels, the toolbar, the location
// banner, the remote video panes and the bank; runs once at load, before the window shows.
void ArrangeSeatControls(client::Client& c);
// Makes and places the play area's controls and starts the local camera preview; runs once,
// after the window shows and after ArrangeSeatControls, whose places it reads.
void ArrangePlayAreaControls(client::Client& c);

// Puts the table back into its state without a hand: played cards, marks, buttons, clocks and
// badges hidden, the hand's counters and trick tables cleared, the seats' play points set.
void ResetTableForNewHand(client::Client& c);
// The seats lose their cards: no slot shows an image, no seat holds a card, no hand result;
// no game runs. The same reset under the name the leaving paths and the server use.
void ResetPlayersForNewHand(client::Client& c);
void ResetPlayersOnLeave(client::Client& c);

// Adds a line to the two-row system message area: the first free row takes it; when both are
// full the second row moves up.
void AddSystemMessage(client::Client& c, const QString& line);

}  // namespace table
