#pragma once

#include "client/client_fwd.h"

namespace connection {

using client::Client;
using client::MainForm;

// Reads the video switch ("vidiosetting.ini" in the program folder, key vidiovalue): video is on
// unless the value is a number equal to 0. A missing file is created switched on; one that cannot
// be written is a run-time failure. With video on, the relay socket is pointed at the game host.
void ReadVideoSwitch(Client& c, MainForm& form);

}  // namespace connection
