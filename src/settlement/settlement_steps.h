#pragma once

#include "settlement/settlement_sheet.h"

namespace client {
class Client;
}

// The steps of a settlement run at the fourth result frame, in the files of what they change:
// the score board, the seats and the history, and the close of the hand.
namespace settlement {

// The sheet from the four frames held and what the table knows of the hand; the props lines
// and amounts it used are consumed.
Sheet BuildSheetFromHand(client::Client& c, const std::array<PlacedResult, 4>& frames);
// Appends the sheet's lines to the score board's lists and sets the seats' colours.
void WriteSheetToScoreBoard(client::Client& c, const Sheet& sheet);
// Names, avatars, centring and showing, unless the boss key hides the table.
void ShowScoreBoard(client::Client& c);

// The hand left by another seat, face up at that seat.
void RevealHandLeft(client::Client& c, const PlacedResult& f);
// A frame's result on its seat: the history line and running total, gold, wins or losses,
// level and gold label.
void ApplyResultToSeat(client::Client& c, const PlacedResult& f, double signedFinal);
// Counts the hand and adds its number to the history.
void CountHand(client::Client& c);

// After the sheet: the messages, the table's flags, the next-hand clock, the sound, the save
// and a props unload put off while the props show ran.
void CloseHand(client::Client& c);

}  // namespace settlement
