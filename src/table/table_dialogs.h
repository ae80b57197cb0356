#pragma once

#include <cstdint>

#include "client/client_fwd.h"

namespace forms {
class Form;
}

// What the toolbar and the keys share: the table's dialogs placed over it, and the calls into
// the props plug-in, which are made only while it is loaded.
namespace table {

// Centres a window over the table window (screen twips), keeping its size.
void CentreOverTable(client::Client& c, forms::Form& window);

// Hides the exit dialog when it shows; otherwise centres it over the table, shows its warning
// line only while a game runs and the player is seated, and shows it (topmost when asked).
void ToggleExitDialog(client::Client& c, bool topmost);

// The plug-in's bank is told that a dialog opens over it.
void TellBankDialogOpens(client::Client& c);
// A function key handed to the plug-in.
void ForwardKeyToPlugin(client::Client& c, std::int16_t keyCode);

}  // namespace table
