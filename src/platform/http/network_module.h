#pragma once

#include <memory>
#include <string>

#include "platform/http/http_client.h"

namespace platform {

// Loads the network module (once per process) and makes a client of it; nullptr, with the
// reason in `problem`, when the module is missing or does not load.
std::unique_ptr<HttpClient> OpenNetworkModuleClient(std::string& problem);

}  // namespace platform
