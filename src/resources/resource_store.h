#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The program's own pictures, built into it: numbered pictures of type "GIF" (GIF89a data, JPEG
// for 870..875) and the named design pictures of the windows (type "DESIGN").
namespace resources {

inline constexpr std::string_view kDesignType = "DESIGN";

// The bytes of resource (type, id); the type compares without regard to case.
std::optional<std::span<const uint8_t>> findResource(std::string_view type, int id);
std::optional<std::span<const uint8_t>> findResource(std::string_view type, std::string_view name);
// A design picture by its name (design_names.h).
std::optional<std::span<const uint8_t>> findDesignPicture(std::string_view name);

// Every numbered picture of a type, in increasing order.
std::vector<int> resourceIds(std::string_view type);

// Writes resource (resType, id) to path as it is, replacing the file. False when the resource
// does not exist (then no file is made) or the file cannot be written.
bool SaveResToFile(int id, std::string_view resType, const std::filesystem::path& path);

}  // namespace resources
