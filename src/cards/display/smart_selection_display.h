#pragma once

namespace client {
class Client;
}

namespace cards {

// AgileClickCard: run by a selecting click on the local player's turn against a play, when that
// click left exactly one card raised (clickCardNum 1). Raises, as a selecting click would, the
// further cards that make the clicked card part of a play of the table's kind that beats it, or
// a bomb of its rank. No sound; NumSumClickUp and clickCardNum stay as they are. Returns whether
// it raised any card (no caller needs it).
bool AgileClickCard(client::Client& c);

}  // namespace cards
