#pragma once

namespace client {
class Client;
}

// Closing the table from the server's side: the closing frame, and the shared closing step that
// the gold check of a hand start takes too.
namespace dispatch {

// Shows frmOtherExit topmost, centred over the table window, not modal.
void ShowOtherExitDialog(client::Client& c);
// The ready clock and the disconnect test stop.
void StopClosingChannels(client::Client& c);
// Empties the other seats, closes the connection, empties both frame rings and shows the
// dialog (whose text the caller has set). The caller leaves the table (QuitTable) after it.
void CloseTableAndNotify(client::Client& c);

}  // namespace dispatch
