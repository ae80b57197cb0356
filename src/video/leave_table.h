#pragma once

#include <QString>

namespace client {
class Client;
}

namespace video {

// Takes down remote seat k's (1..3) video as the local player leaves: its send and pane
// counters, its pane controls, its relay slot and its zoom window.
void TakeDownSeatVideo(client::Client& c, int k);
// A remote seat (1..3) is emptied while the local player stays: its pane controls hide.
void HideSeatPanes(client::Client& c, int k);
// Drops the relay peer of every slot (1..3) that holds `account`.
void CloseSlotsOf(client::Client& c, const QString& account);
// Discards the last video frames received from the three remote seats.
void DiscardRemoteFrames(client::Client& c);

}  // namespace video
