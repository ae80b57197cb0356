#include "settlement/translucency.h"

#include "platform/forms/form.h"

namespace settlement {

namespace {
constexpr int NtPlatform = 2;
constexpr int WindowAlpha = 200;
}  // namespace

void MakeTranslucentWhereLayered(forms::Form& window, platform::SystemVersion version) {
    if (version.platformId == NtPlatform && (version.major == 5 || version.major == 6)) {
        window.setAlpha(WindowAlpha);
    }
}

}  // namespace settlement
