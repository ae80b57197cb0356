#pragma once

#include <dirent.h>
#include <sys/types.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace platform {

// Calls `onName` with the name of every entry of the open folder `fd` but "." and "..". Only
// the names are needed: they are read straight from the folder into a buffer on the stack, with
// no entry object (and its full path) per name and no directory stream allocated and freed.
template <typename OnName>
void forEachFolderName(int fd, OnName&& onName) {
    alignas(dirent64) std::array<char, 8192> buffer;
    for (;;) {
        const ssize_t got = ::getdents64(fd, buffer.data(), buffer.size());
        if (got <= 0) return;
        for (ssize_t at = 0; at < got;) {
            const char* entry = buffer.data() + at;
            unsigned short length = 0;
            std::memcpy(&length, entry + offsetof(dirent64, d_reclen), sizeof length);
            at += length;
            const std::string_view name(entry + offsetof(dirent64, d_name));
            if (name != "." && name != "..") onName(name);
        }
    }
}

// The names in the folders a thread looks files up in again and again: above all the program's
// folder, where every picture shown passes through a temporary file, so one lookup follows
// another a few times for every frame. Reading the folder anew each time costs four calls to
// the system; here a listing is read once and kept current by the kernel's notices of what
// changes in the folder, which cost one call to look at when nothing changed. The folder's
// text is resolved anew on every lookup, so a folder replaced, or reached through a renamed
// parent, is read again.
class WatchedFolders {
  public:
    enum class State {
        Missing,    // no entry of that name
        Unwatched,  // there, but not kept here (or no folder): read it from the disk
        Listed,     // `names` holds what it holds now
    };
    struct Names {
        State state;
        const std::vector<std::string>* names;  // sorted; only when Listed
    };

    WatchedFolders();
    ~WatchedFolders();
    WatchedFolders(const WatchedFolders&) = delete;
    WatchedFolders& operator=(const WatchedFolders&) = delete;

    // `folder` as a path text; "" is the working folder.
    Names namesIn(const std::string& folder);

    static WatchedFolders& ofThisThread();

  private:
    struct Listing {
        dev_t device;
        ino_t inode;
        std::vector<std::string> names;
    };

    // Reads and keeps the folder's names, when it can.
    void watch(const std::string& folder);
    void readChanges();
    void apply(int watch, std::uint32_t change, std::string_view name);
    void forget(int watch, bool watched);
    void forgetAll();

    int notices_;
    std::unordered_map<std::string, int> watchOfFolder_;
    std::unordered_map<int, Listing> listings_;
};

}  // namespace platform
