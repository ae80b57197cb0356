#pragma once

#include <QString>

#include "client/client_fwd.h"
#include "state/frame.h"

namespace connection {

using client::Client;
using client::MainForm;

// Reads the hall's fifteen "$"-ended fields into the shared state (and the location label and
// the password the music box needs). An empty line shows "本游戏需从游戏大厅中启动！" and ends
// the program; a short or malformed line is a run-time failure.
void ReadCommandLine(Client& c);

// The login frame: type 18, login flag 1, the account from byte 16 and then the password from
// byte 32 (over the account's tail when it is longer than 16), one byte per character. A
// character outside the single-byte code page, or text that would pass byte 271, is a run-time
// failure.
state::Frame BuildLoginFrame(const QString& account, const QString& password);

}  // namespace connection
