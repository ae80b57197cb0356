#pragma once

namespace client {
class Client;
}

namespace cards {

// PlaySelectedCards: plays the local player's raised cards, or passes when none is raised and
// there is a play to beat.
void PlaySelectedCards(client::Client& c);

}  // namespace cards
