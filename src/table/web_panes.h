#pragma once

#include "client/client_fwd.h"

namespace table {

// The seat-change pane starts on its page: navigated to the seat-change address, brought to the
// front and shown (the ready button and the next-hand clock do this when the seat change
// starts). Its document-complete handler then keeps it shown, or hides it for good once it failed.
void ShowSeatChangePane(client::Client& c);

}  // namespace table
