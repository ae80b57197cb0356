#include "settlement/show_settlement.h"

#include "client/client.h"

namespace settlement {

void ShowSettlement(client::Client& c, state::Frame& frame) {
    // The settlement sheet comes with its own subsystem.
    (void)c;
    (void)frame;
}

}  // namespace settlement
