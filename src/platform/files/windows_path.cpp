#include "platform/files/windows_path.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <algorithm>
#include <cctype>
#include <cstddef>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/files/file_system.h"
#include "platform/files/folder_names.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

// Whether there is an entry of that name, a link not followed (what the path's symlink_status
// tells), asked with the text as it is rather than a path object parsed from it.
bool onDisk(const std::string& path) {
    struct stat status;
    return ::lstat(path.c_str(), &status) == 0;
}

bool isAscii(std::string_view name) {
    return std::all_of(name.begin(), name.end(), [](char ch) { return (ch & 0x80) == 0; });
}

// `yAscii` tells whether y is plain ASCII: y is the name looked for, the same for every entry.
bool sameNameIgnoringCase(std::string_view x, std::string_view y, bool yAscii) {
    // Most names are plain ASCII: compared as they are, without decoding every entry of the
    // folder. Any other character may fold to an ASCII one, so those go the long way.
    if (yAscii && isAscii(x)) {
        return x.size() == y.size() &&
               std::equal(x.begin(), x.end(), y.begin(), [](char p, char q) {
                   return std::tolower(static_cast<unsigned char>(p)) ==
                          std::tolower(static_cast<unsigned char>(q));
               });
    }
    return toQString(fs::path(x)).compare(toQString(fs::path(y)), Qt::CaseInsensitive) == 0;
}

// A folder opened for reading its names, closed with its owner.
class OpenFolder {
  public:
    explicit OpenFolder(const std::string& folder)
        : fd_(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {}
    OpenFolder(const OpenFolder&) = delete;
    OpenFolder& operator=(const OpenFolder&) = delete;
    ~OpenFolder() {
        if (fd_ >= 0) ::close(fd_);
    }
    bool isOpen() const { return fd_ >= 0; }
    int fd() const { return fd_; }

  private:
    int fd_;
};

// The first name in name order that matches `wanted` ignoring case; a folder entry's name is one
// component, so comparing the names is comparing them as paths.
class FirstMatch {
  public:
    explicit FirstMatch(std::string_view wanted) : wanted_(wanted), wantedAscii_(isAscii(wanted)) {}
    bool offer(std::string_view name) {
        if (!sameNameIgnoringCase(name, wanted_, wantedAscii_)) return false;
        if (!best_ || name < *best_) best_ = name;
        return true;
    }
    std::optional<std::string>& best() { return best_; }

  private:
    std::string_view wanted_;
    bool wantedAscii_;
    std::optional<std::string> best_;
};

std::optional<std::string> findEntryIgnoringCase(const OpenFolder& folder,
                                                 std::string_view wanted) {
    if (!folder.isOpen()) return std::nullopt;
    FirstMatch match(wanted);
    forEachFolderName(folder.fd(), [&](std::string_view name) { match.offer(name); });
    return std::move(match.best());
}

// A component of a path added to the text of a path as the path's /= adds it: a separator
// after a name, none after the root or into an empty path. The mapping builds its result as
// text and makes it a path once: a path grown by /= splits itself anew at every step, and this
// runs for every file written.
void append(std::string& text, const std::string& component) {
    if (!text.empty() && text.back() != '/') text += '/';
    text += component;
}

// The components before `end` joined.
std::string joined(const fs::path& path, fs::path::iterator end) {
    std::size_t length = 0;
    for (auto it = path.begin(); it != end; ++it) length += it->native().size() + 1;
    std::string text;
    text.reserve(length);
    for (auto it = path.begin(); it != end; ++it) append(text, it->native());
    return text;
}

bool isLiteralComponent(const fs::path& part) {
    const std::string& name = part.native();
    return name.empty() || name == "." || name == ".." || part.has_root_directory() ||
           part.has_root_name();
}

// What looking a file up in its folder, the commonest case by far, tells: the file's path, or
// that its folder is not there.
struct FileInFolder {
    std::optional<std::string> mapped;
    bool folderMissing = false;
};

// A file about to be written in a folder that is there as written, mapped without making a
// path object (which splits itself into a path per component). For a text with no empty
// component (no doubled separator) the general lookup below joins the components before the
// last back into the text as it is, opens that folder and looks the last one up there: the
// same is done here on the text, from the folder's kept names where it is kept. Nothing when
// that does not apply.
FileInFolder mapInExistingFolder(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos || slash == 0 || path.find("//") != std::string::npos) return {};
    const std::string_view name = std::string_view(path).substr(slash + 1);
    if (name.empty() || name == "." || name == "..") return {};
    std::string mapped = path.substr(0, slash);
    std::optional<std::string> match;
    const WatchedFolders::Names kept = WatchedFolders::ofThisThread().namesIn(mapped);
    switch (kept.state) {
        case WatchedFolders::State::Missing:
            return {std::nullopt, true};
        case WatchedFolders::State::Listed: {
            if (std::binary_search(kept.names->begin(), kept.names->end(), name))
                return {path, false};
            FirstMatch first(name);
            // In name order: the first that matches is the one.
            for (const std::string& entry : *kept.names)
                if (first.offer(entry)) break;
            match = std::move(first.best());
            break;
        }
        case WatchedFolders::State::Unwatched: {
            if (onDisk(path)) return {path, false};
            const OpenFolder folder(mapped);
            if (!folder.isOpen()) return {};
            match = findEntryIgnoringCase(folder, name);
            break;
        }
    }
    const std::string_view last = match ? std::string_view(*match) : name;
    mapped.reserve(slash + 1 + last.size());
    mapped.append(1, '/').append(last);
    return {std::move(mapped), false};
}

}  // namespace

std::filesystem::path mapWindowsPath(const QString& windowsPath) {
    // The separators are swapped in the encoded name, not in a copy of the text: a file name's
    // encoding is UTF-8, where no other character has the backslash's byte.
    std::string slashed = encodeFileName(windowsPath);
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    if (slashed.empty()) return fs::path();
    FileInFolder inFolder = mapInExistingFolder(slashed);
    if (inFolder.mapped) return fs::path(std::move(*inFolder.mapped));
    if (!inFolder.folderMissing && onDisk(slashed)) return fs::path(std::move(slashed));
    const fs::path plain(std::move(slashed));

    // A prefix that is on disk as written is what the lookup below would give for it: the path
    // of an existing entry passes through existing folders only. So the lookup starts after the
    // longest such prefix, most often the folder of a file about to be written, instead of
    // asking the disk about every folder from the root down. The components are the ones plain
    // holds, not copies: this runs for every file written.
    const fs::path::iterator last = std::prev(plain.end());
    fs::path::iterator start = last;  // the whole path is not there
    std::string resolved;
    // The folder of a file about to be written, opened: that it opens tells it is on disk,
    // and its names are what the lookup reads next.
    std::optional<OpenFolder> folder;
    for (; start != plain.begin(); --start) {
        // The file's own folder, when the lookup in it found it missing, is not asked again.
        if (start == last && inFolder.folderMissing) continue;
        std::string prefix = joined(plain, start);
        if (start == last && folder.emplace(prefix).isOpen()) {
            resolved = std::move(prefix);
            break;
        }
        if (onDisk(prefix)) {
            resolved = std::move(prefix);
            break;
        }
    }
    bool resolving = true;
    for (auto it = start; it != plain.end(); ++it) {
        const fs::path& part = *it;
        if (!resolving || isLiteralComponent(part)) {
            append(resolved, part.native());
            continue;
        }
        // The first one is the shortest prefix the search above found missing as written.
        if (it != start) {
            std::string asWritten = resolved;
            append(asWritten, part.native());
            if (onDisk(asWritten)) {
                resolved = std::move(asWritten);
                continue;
            }
        }
        if (auto match = it == start && folder && folder->isOpen()
                             ? findEntryIgnoringCase(*folder, part.native())
                             : findEntryIgnoringCase(OpenFolder(resolved), part.native())) {
            append(resolved, *match);
        } else {
            append(resolved, part.native());
            resolving = false;
        }
    }
    return fs::path(std::move(resolved));
}

}  // namespace platform
