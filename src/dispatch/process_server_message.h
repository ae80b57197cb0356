#pragma once

#include "state/frame.h"

namespace client {
class Client;
}

namespace dispatch {

// Handles one received server frame by its type (byte 3). The table tick is its only caller.
// The frame's server token is kept first (except from a reconnect answer); the handling then
// runs under the failure guard. Chat frames go to the chat display or, when marked as the
// plug-in's, to the props plug-in; the plug-in's frames and frames of any type without a
// handler go to the plug-in while it is loaded and are dropped otherwise.
void ProcessServerMessage(client::Client& c, state::Frame& message);

}  // namespace dispatch
