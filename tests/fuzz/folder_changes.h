#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

// What changed in a folder tree since the last look, as the kernel reports it (inotify): the
// entries created, written, removed or renamed. Looking costs one read when nothing changed,
// where walking the tree costs a few calls per folder and file, and it sees a write that left
// a file's time and size as they were.
namespace fuzzing {

class FolderChanges {
  public:
    explicit FolderChanges(const std::filesystem::path& root);
    ~FolderChanges();
    FolderChanges(const FolderChanges&) = delete;
    FolderChanges& operator=(const FolderChanges&) = delete;

    struct Changes {
        // The kernel dropped events, a watched folder itself was removed or renamed, or the
        // folders could not be watched at all: only a look at the whole tree tells what
        // changed.
        bool unknown = false;
        // Each changed path, as the system spells it, and whether it is gone after its last
        // change. Plain text: every picture shown is a file written and deleted, and a path
        // object splits itself into one per component.
        std::vector<std::pair<std::string, bool>> paths;
    };
    // The changes since the last take() or discard().
    Changes take();
    // Forgets the changes so far (the caller's own, putting things back).
    void discard();

  private:
    void watch(const std::filesystem::path& folder);

    int fd_ = -1;
    std::map<int, std::string> folders_;
};

}  // namespace fuzzing
