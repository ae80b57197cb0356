#include "settlement/show_settlement.h"

#include "connection/client.h"

namespace settlement {

void ShowSettlement(connection::Client& c, state::Frame& frame) {
    // The settlement sheet comes with its own subsystem.
    (void)c;
    (void)frame;
}

}  // namespace settlement
