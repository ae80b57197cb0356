#pragma once

#include <QString>
#include <filesystem>

namespace platform {

// The program builds its paths the Windows way: "\" separators and names whose case does not
// matter. Maps "\" to "/"; when that path is not on disk as written, each component is looked up
// without regard to case (the first match in name order), and components that match nothing are
// kept as written, so a file about to be created lands in the folder that does exist.
std::filesystem::path mapWindowsPath(const QString& windowsPath);

}  // namespace platform
