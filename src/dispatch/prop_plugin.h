#pragma once

namespace client {
class Client;
}
namespace props {
class PropDll;
}

namespace dispatch {

// The props plug-in object for a call the dispatcher makes while g_nPropState says it is
// loaded. A state that says loaded without an object is a failing call (as calling a method
// on an empty object variable is), never a null dereference.
props::PropDll& PropPlugin(client::Client& c);

}  // namespace dispatch
