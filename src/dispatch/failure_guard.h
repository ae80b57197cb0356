#pragma once

#include <functional>

namespace client {
class Client;
}

namespace dispatch {

// Runs the handling of one server frame. A run-time failure stops it where it is: the hall
// window is restored (which ends the program when the hall is gone) and the rest of the frame
// is dropped; what ran before the failure keeps its effect. The end of the program is not a
// failure and passes through.
void RunUnderFailureGuard(client::Client& c, const std::function<void()>& handling);

}  // namespace dispatch
