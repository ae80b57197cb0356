#pragma once

#include "state/frame.h"

namespace connection {
class Client;
}

namespace dispatch {

// Handles one received server frame by its type (byte 3). The table tick is its only caller.
void ProcessServerMessage(connection::Client& c, state::Frame& message);

}  // namespace dispatch
