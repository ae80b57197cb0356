#include "platform/http/network_module.h"

#include <dlfcn.h>

#include <filesystem>
#include <vector>

#include "platform/runtime/module_places.h"

namespace platform {
namespace {

constexpr const char* kModuleFile = "libkorvash_qt_network.so";

std::vector<std::filesystem::path> modulePlaces() {
#ifdef KORVASH_QT_NETWORK_MODULE
    return ModulePlaces(kModuleFile, KORVASH_QT_NETWORK_MODULE);
#else
    return ModulePlaces(kModuleFile, nullptr);
#endif
}

// The module stays loaded for the program's life: Qt keeps objects of its libraries until the
// application ends.
OpenHttpClientFunction loadEntry(std::string& problem) {
    static OpenHttpClientFunction entry = nullptr;
    if (entry) return entry;
    problem = "the network module is missing";
    for (const auto& place : modulePlaces()) {
        std::error_code error;
        if (!std::filesystem::exists(place, error)) continue;
        void* module = ::dlopen(place.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!module) {
            problem = std::string("the network module does not load: ") + ::dlerror();
            continue;
        }
        entry = reinterpret_cast<OpenHttpClientFunction>(::dlsym(module, kOpenHttpClientSymbol));
        if (entry) return entry;
        problem = "the network module has no entry point";
    }
    return nullptr;
}

}  // namespace

std::unique_ptr<HttpClient> OpenNetworkModuleClient(std::string& problem) {
    const OpenHttpClientFunction open = loadEntry(problem);
    return open ? open() : nullptr;
}

}  // namespace platform
