#pragma once

#include <utility>

#include "platform/runtime/failure.h"

namespace settlement {

// The settlement skips a step that fails and goes on with the next one: a missing control, a
// failed conversion or an overflow costs only that step. Ending the program still goes through.
template <typename Step>
void Skipping(Step&& step) {
    try {
        std::forward<Step>(step)();
    } catch (const platform::RuntimeFailure&) {
    }
}

}  // namespace settlement
