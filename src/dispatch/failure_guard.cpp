#include "dispatch/failure_guard.h"

#include "connection/hall_link.h"
#include "platform/runtime/failure.h"

namespace dispatch {

void RunUnderFailureGuard(client::Client& c, const std::function<void()>& handling) {
    try {
        handling();
    } catch (const platform::RuntimeFailure&) {
        connection::RestoreHall(c);
    }
}

}  // namespace dispatch
