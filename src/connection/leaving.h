#pragma once

#include "client/client_fwd.h"
#include "state/frame.h"
#include "state/shared_state.h"

namespace connection {

using client::Client;
using client::MainForm;

// The leave frame: MsgSeatAction with the own seat flag and the leave action.
state::Frame BuildLeaveFrame(const state::SharedState& s);

// Tells the server that the local player leaves (while connected), takes down the video links
// to the other seats and stops the tick and the keep-alive.
void QuitTable(Client& c);
// Stops every clock and channel, closes the connection, clears the table, deletes the
// hand-history file, unloads the props plug-in and minimises the table window.
void ResetTableState(Client& c);

// After leaving: minimise the table window and restore the hall; with the hall gone the
// program ends.
void ReturnToHall(Client& c);

}  // namespace connection
