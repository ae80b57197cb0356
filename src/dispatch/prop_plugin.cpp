#include "dispatch/prop_plugin.h"

#include "client/client.h"
#include "platform/runtime/failure.h"
#include "props/prop_dll.h"

namespace dispatch {

props::PropDll& PropPlugin(client::Client& c) {
    if (!c.g_oPropDll) {
        platform::fail(platform::RuntimeFailure::Kind::ControlFailed, "Object variable not set");
    }
    return *c.g_oPropDll;
}

}  // namespace dispatch
