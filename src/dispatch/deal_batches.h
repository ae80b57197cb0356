#pragma once

#include <cstdint>

#include "state/frame.h"

namespace client {
class Client;
}

// The three batches of the local player's cards (MsgDeal), and the steps they share.
namespace dispatch {

// The first batch starts the hand: held props frames sent, the table reset, the hall told, the
// batch dealt, then the ace declaration offered or passed at once.
void DealFirstBatch(client::Client& c, const state::Frame& message, std::int16_t cardCount);
// The middle batch: dealt, then the group declaration offered or passed at once.
void DealMiddleBatch(client::Client& c, const state::Frame& message, std::int16_t cardCount);
// The last batch completes the hand under the called suit's ace and acknowledges the deal.
void DealLastBatch(client::Client& c, const state::Frame& message, std::int16_t cardCount);

// Nothing runs beside the deal: the stopwatch, the keep-alive frames, the ready and turn clocks
// stop and the exit dialog closes (the player stays).
void StopClocksForDeal(client::Client& c);
// The other seats' hand-back pictures for n cards each; n outside 1..13 is a run-time failure.
void ShowHandBacks(client::Client& c, int n);

}  // namespace dispatch
