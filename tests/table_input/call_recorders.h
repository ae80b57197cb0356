#pragma once

#include <vector>

namespace client {
class Client;
}

namespace table_input {

// What the recorded procedures were asked to do, in order: the play of the raised cards (with
// the raised slots as a bit set at the time of the call) and the boss key.
struct Recorded {
    std::vector<unsigned long> plays;
    int bossKeys = 0;
};

// The calls since the last Reset().
Recorded& Calls();
void ResetCalls();

}  // namespace table_input
