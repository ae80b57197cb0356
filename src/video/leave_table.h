#pragma once

#include <QString>

namespace client {
class Client;
}

namespace video {

// Takes down remote seat k's (1..3) video as the local player leaves: its pane emptied, its
// flags and send counter cleared, its relay slot closed and its zoom window hidden and unloaded.
void TakeDownSeatVideo(client::Client& c, int k);
// A remote seat (1..3) is emptied while the local player stays: its pane empties, its flags and
// the send counter with the seat's number go to 0, its zoom window hides and its kept frame is
// dropped.
void HideSeatPanes(client::Client& c, int k);
// Drops the relay peer of every slot (1..3) that holds `account`.
void CloseSlotsOf(client::Client& c, const QString& account);
// Discards the last video frames received from the three remote seats.
void DiscardRemoteFrames(client::Client& c);

}  // namespace video
