#pragma once

namespace client {
class Client;
}

namespace settlement {

// Leaving the table empties the score board (`Score`) and the history window (`Hero`) for all
// four seats, hides both and the history's seat scores, and clears the session scores.
void ClearScoreBoardsOnLeave(client::Client& c);

}  // namespace settlement
