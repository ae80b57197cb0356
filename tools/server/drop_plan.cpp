#include "server/drop_plan.h"

namespace tableserver {

bool DropSchedule::dropBefore() {
    // The frame after a drop always goes, so that every drop lets the hand move on.
    const bool drop =
        !justDropped_ &&
        ((plan_.atFrame && *plan_.atFrame == sent_ + 1) ||
         (plan_.chance > 0 && std::uniform_real_distribution<>(0, 1)(rng_) < plan_.chance));
    justDropped_ = drop;
    if (drop) {
        ++drops_;
    } else {
        ++sent_;
    }
    return drop;
}

}  // namespace tableserver
