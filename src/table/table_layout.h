#pragma once

#include <QString>

namespace client {
class Client;
}

// The table screen as start-up, the tick and the hall link reach it. The seat panels, the play
// area's controls and the resets between hands fill in with the table screen itself; what is
// here already is what start-up shows: the location banner, the system message rows, the chat
// line and the local camera start.
namespace table {

// Places the per-seat controls; runs once at load, before the window is shown.
void ArrangeSeatControls(client::Client& c);
// Places the play area and starts the local camera preview; runs once, after the window shows.
void ArrangePlayAreaControls(client::Client& c);
// Clears the seats when players leave, and the table for the next hand.
void ResetPlayersOnLeave(client::Client& c);
void ResetTableForNewHand(client::Client& c);

// Adds a line to the two-row system message area: the first free row takes it; when both are
// full the second row moves up.
void AddSystemMessage(client::Client& c, const QString& line);

}  // namespace table
