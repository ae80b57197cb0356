#pragma once

#include <cstdint>

#include "state/frame.h"

namespace client {
class Client;
}

namespace cards {

// ReceiveDealtCards: one deal batch (the batch flag the dispatcher set picks first, middle or
// last) into the local hand. The deal sound plays once (when effects are on); the batch's cards
// go into the local slots from slot 0 (first batch) or g_nDealtCards, then appear one by one in
// the hand row, 200 ms apart, window events running in between. Afterwards the running count,
// the seats' counts and the slots' image indexes are kept (the last batch gives every seat 13),
// and the quick-phrase buttons, the location and Bank come back in front of the cards.
// A batch that breaks the card rules (see DecodeDealtCards) is a run-time failure before any of
// its cards is stored or shown.
void ReceiveDealtCards(client::Client& c, const state::Frame& message, std::int16_t count);

}  // namespace cards
