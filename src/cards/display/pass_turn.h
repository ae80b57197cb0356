#pragma once

#include "client/client_fwd.h"
#include "state/frame.h"

namespace state {
struct SharedState;
}

namespace cards {

// Hides the turn clock's picture and digits.
void HideClock(client::MainForm& form);

// The play, hint and pass buttons after the turn: disabled, with their normal pictures again
// (a picture that cannot be written leaves the button's picture).
void RestPlayButtons(client::Client& c);

}  // namespace cards
