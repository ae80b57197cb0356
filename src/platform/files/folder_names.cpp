#include "platform/files/folder_names.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <iterator>

namespace platform {
namespace {

// A handful of folders are looked up again and again; the rest are read from the disk as
// before, so neither the kernel's watches nor the listings grow with what a user opens.
constexpr std::size_t kMostFolders = 16;
constexpr std::size_t kMostNames = 4096;

constexpr std::uint32_t kChanges =
    IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_ONLYDIR;

const char* folderText(const std::string& folder) {
    return folder.empty() ? "." : folder.c_str();
}

void insertName(std::vector<std::string>& names, std::string_view name) {
    const auto at = std::lower_bound(names.begin(), names.end(), name);
    if (at == names.end() || *at != name) names.emplace(at, name);
}

void eraseName(std::vector<std::string>& names, std::string_view name) {
    const auto at = std::lower_bound(names.begin(), names.end(), name);
    if (at != names.end() && *at == name) names.erase(at);
}

}  // namespace

WatchedFolders::WatchedFolders() : notices_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {}

WatchedFolders::~WatchedFolders() {
    if (notices_ >= 0) ::close(notices_);
}

WatchedFolders& WatchedFolders::ofThisThread() {
    thread_local WatchedFolders folders;
    return folders;
}

WatchedFolders::Names WatchedFolders::namesIn(const std::string& folder) {
    struct stat status;
    if (::stat(folderText(folder), &status) != 0) {
        // A link to nothing is there, as far as the lookup of its name is concerned.
        return {::lstat(folderText(folder), &status) != 0 ? State::Missing : State::Unwatched,
                nullptr};
    }
    if (!S_ISDIR(status.st_mode) || notices_ < 0) return {State::Unwatched, nullptr};
    auto known = watchOfFolder_.find(folder);
    if (known != watchOfFolder_.end()) {
        const Listing& listing = listings_.at(known->second);
        if (listing.device != status.st_dev || listing.inode != status.st_ino) {
            // The text names another folder now.
            forget(known->second, true);
        } else {
            readChanges();
        }
        // Either may have ended the watch.
        known = watchOfFolder_.find(folder);
    }
    if (known == watchOfFolder_.end()) {
        watch(folder);
        known = watchOfFolder_.find(folder);
        if (known == watchOfFolder_.end()) return {State::Unwatched, nullptr};
    }
    return {State::Listed, &listings_.at(known->second).names};
}

void WatchedFolders::watch(const std::string& folder) {
    if (watchOfFolder_.size() >= kMostFolders) return;
    // Watched before it is read: a change made while it is read may or may not be in the
    // listing, but it is among the notices, and applying a notice twice changes nothing.
    const int watch = ::inotify_add_watch(notices_, folderText(folder), kChanges);
    if (watch < 0) return;
    const int fd = ::open(folderText(folder), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    struct stat status;
    if (fd < 0 || ::fstat(fd, &status) != 0) {
        if (fd >= 0) ::close(fd);
        if (!listings_.count(watch)) ::inotify_rm_watch(notices_, watch);
        return;
    }
    if (const auto known = listings_.find(watch); known != listings_.end()) {
        // Another text for a folder already kept (one folder has one watch).
        ::close(fd);
        if (known->second.device != status.st_dev || known->second.inode != status.st_ino) return;
        watchOfFolder_.emplace(folder, watch);
        readChanges();
        return;
    }
    Listing listing{status.st_dev, status.st_ino, {}};
    bool tooMany = false;
    forEachFolderName(fd, [&](std::string_view name) {
        if (listing.names.size() < kMostNames)
            listing.names.emplace_back(name);
        else
            tooMany = true;
    });
    ::close(fd);
    if (tooMany) {
        ::inotify_rm_watch(notices_, watch);
        return;
    }
    std::sort(listing.names.begin(), listing.names.end());
    listings_.emplace(watch, std::move(listing));
    watchOfFolder_.emplace(folder, watch);
    readChanges();
}

void WatchedFolders::readChanges() {
    alignas(inotify_event) std::array<char, 16384> buffer;
    for (;;) {
        const ssize_t got = ::read(notices_, buffer.data(), buffer.size());
        if (got <= 0) return;  // none waiting (or nothing more to be learnt from them)
        for (ssize_t at = 0; at < got;) {
            inotify_event event;
            std::memcpy(&event, buffer.data() + at, sizeof event);
            const char* name = buffer.data() + at + sizeof event;
            at += ssize_t(sizeof event + event.len);
            apply(event.wd, event.mask, event.len ? std::string_view(name) : std::string_view());
        }
        // A read takes every notice that fits: with room left for the longest, none was left.
        if (buffer.size() - std::size_t(got) >= sizeof(inotify_event) + NAME_MAX + 1) return;
    }
}

void WatchedFolders::apply(int watch, std::uint32_t change, std::string_view name) {
    if (change & IN_Q_OVERFLOW) {
        // Notices were lost: nothing kept can be trusted.
        forgetAll();
        return;
    }
    const auto known = listings_.find(watch);
    if (known == listings_.end()) return;
    if (change & IN_IGNORED) {
        forget(watch, false);
    } else if (change & (IN_DELETE_SELF | IN_UNMOUNT)) {
        forget(watch, true);
    } else if (change & (IN_CREATE | IN_MOVED_TO)) {
        insertName(known->second.names, name);
        if (known->second.names.size() > kMostNames) forget(watch, true);
    } else if (change & (IN_DELETE | IN_MOVED_FROM)) {
        eraseName(known->second.names, name);
    }
}

void WatchedFolders::forget(int watch, bool watched) {
    if (watched) ::inotify_rm_watch(notices_, watch);
    listings_.erase(watch);
    std::erase_if(watchOfFolder_, [watch](const auto& entry) { return entry.second == watch; });
}

void WatchedFolders::forgetAll() {
    for (const auto& [watch, listing] : listings_) ::inotify_rm_watch(notices_, watch);
    listings_.clear();
    watchOfFolder_.clear();
}

}  // namespace platform
