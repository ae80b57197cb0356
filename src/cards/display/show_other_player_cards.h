#pragma once

#include "state/frame.h"

namespace client {
class Client;
}

namespace cards {

// ShowOtherPlayerCards: a turn frame that carries cards (byte 17 not 0), whoever played. The
// play's sound (when effects are on) and Bank and LbProp in front for every seat; the local
// player's own play, already on the table, ends there. Another seat's older cards leave the
// table, the play becomes the play to beat and primes the hint, its cards are laid out from the
// seat's play point on its next card images, its count drops, its hand-back pile shows the
// cards left and an emptied hand earns the next place badge.
// A frame whose play breaks the card rules (see DecodeOtherSeatPlay) is a run-time failure
// before anything changes.
void ShowOtherPlayerCards(client::Client& c, const state::Frame& message);

}  // namespace cards
