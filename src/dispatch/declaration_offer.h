#pragma once

#include <cstdint>

namespace client {
class Client;
}

// The pieces every declaration offer of the dispatcher shares: the deal batches' ace and group
// offers and the server's declaration prompt.
namespace dispatch {

// The declaration countdown from 10 seconds (the table tick counts it down), shown by the clock
// picture and its green digits in front.
void StartDeclarationCountdown(client::Client& c);

// Declaration button `index` shows the picture of declaration kind `kind` (1..9) at design left
// edge `designX`, and answers with that kind when clicked. Its enabled state and visibility are
// the caller's.
void PlaceDeclarationButton(client::Client& c, int index, std::int16_t kind, float designX);

// Declaration buttons 0 to n - 1 enabled and shown; the others are left as they are.
void ShowDeclarationButtons(client::Client& c, int n);

// The answer when the player may not declare: MsgDeclare with ActionPass and no cards.
void QueueAutomaticPass(client::Client& c);

}  // namespace dispatch
