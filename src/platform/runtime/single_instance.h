#pragma once

#include <filesystem>
#include <string>

namespace platform {

// One copy of the program per user: an advisory lock on a file in the user's runtime folder.
// The lock goes with the process, so a crashed copy never blocks the next one.
class SingleInstanceLock {
public:
    // Folder: $XDG_RUNTIME_DIR, else the temporary folder; tests pass their own.
    static std::filesystem::path defaultFolder();

    SingleInstanceLock(const std::filesystem::path& folder, const std::string& programName);
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    // False when another copy holds the lock (App.PrevInstance).
    bool acquired() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

}  // namespace platform
