#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

// Writes a fuzz input as a file the client reads from its program folder.
namespace fuzzing {

void WriteInputFile(const std::filesystem::path& file, const std::uint8_t* data, std::size_t size);

}  // namespace fuzzing
