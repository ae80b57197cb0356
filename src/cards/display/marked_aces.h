#pragma once

#include <cstdint>

namespace client {
class Client;
}

// The marked aces of the local hand: put in front when their colour is announced, and raised
// to the top rank when play opens.
namespace cards {

// The marked colour is known: the local hand goes into rank order with the marked aces in
// front, and the cards those front slots hold are remembered as the hand's marked aces.
void SortWithMarkedAces(client::Client& c, std::int16_t colourMask);

// Once per hand, at the first turn: the remembered marked aces still in the local hand take
// rank 16; suit and card id stay. They are found by value, so a hand order switched since the
// announcement cannot turn another card into a marked ace. The hand is not redrawn.
void RaiseMarkedAces(client::Client& c);

}  // namespace cards
