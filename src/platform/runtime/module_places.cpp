#include "platform/runtime/module_places.h"

namespace platform {

std::vector<std::filesystem::path> ModulePlaces(const char* fileName, const char* builtPath) {
    std::vector<std::filesystem::path> places;
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) places.push_back(exe.parent_path() / fileName);
    if (builtPath != nullptr && *builtPath != 0) places.emplace_back(builtPath);
    return places;
}

}  // namespace platform
