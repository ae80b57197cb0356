#include "folder_changes.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

namespace fuzzing {

namespace {

constexpr std::uint32_t kEvents =
    IN_CREATE | IN_DELETE | IN_MODIFY | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF;

}  // namespace

FolderChanges::FolderChanges(const std::filesystem::path& root)
    : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    watch(root);
    std::error_code error;
    for (auto it = std::filesystem::recursive_directory_iterator(root, error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        if (it->is_directory()) watch(it->path());
    }
}

FolderChanges::~FolderChanges() {
    if (fd_ >= 0) ::close(fd_);
}

void FolderChanges::watch(const std::filesystem::path& folder) {
    if (fd_ < 0) return;
    const int wd = ::inotify_add_watch(fd_, folder.c_str(), kEvents);
    if (wd < 0) {
        // Without a watch on every folder nothing can be told: every look is a whole one.
        ::close(fd_);
        fd_ = -1;
        return;
    }
    folders_[wd] = folder.native();
}

FolderChanges::Changes FolderChanges::take() {
    Changes changes;
    if (fd_ < 0) {
        changes.unknown = true;
        return changes;
    }
    // Every picture the program shows is a file written and deleted, a few events each: they
    // are gathered by folder and name (an input changes a handful), and made paths once per
    // name at the end.
    struct Change {
        int wd;
        std::string name;
        bool gone;
    };
    std::vector<Change> gathered;
    alignas(inotify_event) std::array<char, 16384> buffer;
    for (;;) {
        const ssize_t got = ::read(fd_, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        for (ssize_t at = 0; at < got;) {
            inotify_event event;
            std::memcpy(&event, buffer.data() + at, sizeof event);
            const char* name = buffer.data() + at + sizeof event;
            at += ssize_t(sizeof event + event.len);
            if (event.mask & (IN_Q_OVERFLOW | IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED)) {
                changes.unknown = true;
                continue;
            }
            if (event.len == 0 || !folders_.contains(event.wd)) continue;
            const bool gone = (event.mask & (IN_DELETE | IN_MOVED_FROM)) != 0;
            const std::string_view named(name);
            const int wd = event.wd;
            const auto same = std::find_if(gathered.begin(), gathered.end(), [&](const Change& c) {
                return c.wd == wd && c.name == named;
            });
            if (same != gathered.end())
                same->gone = gone;
            else
                gathered.push_back({wd, std::string(named), gone});
        }
    }
    changes.paths.reserve(gathered.size());
    for (const Change& change : gathered) {
        const std::string& folder = folders_.at(change.wd);
        std::string path;
        path.reserve(folder.size() + 1 + change.name.size());
        path.append(folder).append(1, '/').append(change.name);
        changes.paths.emplace_back(std::move(path), change.gone);
    }
    return changes;
}

void FolderChanges::discard() {
    if (fd_ < 0) return;
    alignas(inotify_event) std::array<char, 16384> buffer;
    for (;;) {
        const ssize_t got = ::read(fd_, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
    }
}

}  // namespace fuzzing
