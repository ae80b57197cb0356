#pragma once

#include <filesystem>
#include <vector>

namespace platform {

// Where the program looks for one of its loadable modules: beside the program first, then where
// the build put it (`builtPath`, empty when unknown).
std::vector<std::filesystem::path> ModulePlaces(const char* fileName, const char* builtPath);

}  // namespace platform
