#include "platform/files/windows_path.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstddef>
#include <cstring>
#include <optional>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/files/file_system.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

bool onDisk(const fs::path& path) {
    std::error_code error;
    return fs::symlink_status(path, error).type() != fs::file_type::not_found && !error;
}

bool isAscii(std::string_view name) {
    return std::all_of(name.begin(), name.end(), [](char ch) { return (ch & 0x80) == 0; });
}

bool sameNameIgnoringCase(const fs::path& a, const fs::path& b) {
    // Most names are plain ASCII: compared as they are, without decoding every entry of the
    // folder. Any other character may fold to an ASCII one, so those go the long way.
    const std::string_view x = a.native(), y = b.native();
    if (isAscii(x) && isAscii(y)) {
        return x.size() == y.size() &&
               std::equal(x.begin(), x.end(), y.begin(), [](char p, char q) {
                   return std::tolower(static_cast<unsigned char>(p)) ==
                          std::tolower(static_cast<unsigned char>(q));
               });
    }
    return toQString(a).compare(toQString(b), Qt::CaseInsensitive) == 0;
}

// Only the names are needed: read straight from the folder into a buffer on the stack, with
// no entry object (and its full path) per name and no directory stream allocated and freed.
// Files about to be written are looked up here every time, so this is most of what a picture's
// trip through a temporary file costs.
std::optional<fs::path> findEntryIgnoringCase(const fs::path& folder, const fs::path& name) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::optional<fs::path> best;
    alignas(dirent64) std::array<char, 8192> buffer;
    for (;;) {
        const ssize_t got = ::getdents64(fd, buffer.data(), buffer.size());
        if (got <= 0) break;
        for (ssize_t at = 0; at < got;) {
            const char* entry = buffer.data() + at;
            unsigned short length = 0;
            std::memcpy(&length, entry + offsetof(dirent64, d_reclen), sizeof length);
            at += length;
            const std::string_view raw(entry + offsetof(dirent64, d_name));
            if (raw == "." || raw == "..") continue;
            fs::path candidate(raw);
            if (sameNameIgnoringCase(candidate, name) && (!best || candidate < *best))
                best = std::move(candidate);
        }
    }
    ::close(fd);
    return best;
}

bool isLiteralComponent(const fs::path& part) {
    return part.empty() || part == "." || part == ".." || part.has_root_directory() ||
           part.has_root_name();
}

}  // namespace

std::filesystem::path mapWindowsPath(const QString& windowsPath) {
    QString slashed = windowsPath;
    slashed.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const fs::path plain = toPath(slashed);
    if (plain.empty() || onDisk(plain)) return plain;

    // A prefix that is on disk as written is what the lookup below would give for it: the path
    // of an existing entry passes through existing folders only. So the lookup starts after the
    // longest such prefix, most often the folder of a file about to be written, instead of
    // asking the disk about every folder from the root down.
    const std::vector<fs::path> parts(plain.begin(), plain.end());
    std::size_t start = parts.size() - 1;  // the whole path is not there
    fs::path resolved;
    for (; start > 0; --start) {
        fs::path prefix;
        for (std::size_t k = 0; k < start; ++k) prefix /= parts[k];
        if (onDisk(prefix)) {
            resolved = std::move(prefix);
            break;
        }
    }
    bool resolving = true;
    for (std::size_t k = start; k < parts.size(); ++k) {
        const fs::path& part = parts[k];
        if (!resolving || isLiteralComponent(part)) {
            resolved /= part;
            continue;
        }
        // The first one is the shortest prefix the search above found missing as written.
        if (k > start && onDisk(resolved / part)) {
            resolved /= part;
        } else if (auto match = findEntryIgnoringCase(resolved, part)) {
            resolved /= *match;
        } else {
            resolved /= part;
            resolving = false;
        }
    }
    return resolved;
}

}  // namespace platform
