#pragma once

#include "platform/runtime/system_version.h"

namespace forms {
class Form;
}

namespace settlement {

// The score board, the history window and the information card are layered with a constant
// opacity of 200 of 255 on the NT family's versions 5 and 6, and stay opaque elsewhere.
void MakeTranslucentWhereLayered(forms::Form& window,
                                 platform::SystemVersion version = platform::GetSystemVersion());

}  // namespace settlement
