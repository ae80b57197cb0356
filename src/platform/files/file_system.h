#pragma once

#include <QString>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Small file-system services that never throw: anything that cannot be examined or read counts
// as missing, anything that cannot be written is left as it was.
namespace platform {

// Local file names in both directions (bytes on disk, UTF-8 as a rule).
QString toQString(const std::filesystem::path& path);
std::filesystem::path toPath(const QString& localPath);
// A file name's text as the system spells it (the locale's encoding, as QFile names files).
std::string encodeFileName(const QString& name);

bool fileExists(const std::filesystem::path& path);
bool folderExists(const std::filesystem::path& path);

// The entries of a folder in no particular order; none when it cannot be listed.
std::vector<std::filesystem::directory_entry> listFolder(const std::filesystem::path& folder);

// The whole content of a regular file, or its first `mostBytes`; nullopt when it is missing or
// cannot be read.
std::optional<std::string> readFileBytes(const std::filesystem::path& file,
                                         std::size_t mostBytes = SIZE_MAX);

// Replaces the file's content through a temporary file and a rename, so a reader never sees a
// half-written file and a failed write leaves the old content. False when it could not write.
bool writeFileAtomically(const std::filesystem::path& file, std::string_view content);

}  // namespace platform
