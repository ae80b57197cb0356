#include "platform/files/windows_path.h"

#include <algorithm>
#include <cctype>
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

std::optional<fs::path> findEntryIgnoringCase(const fs::path& folder, const fs::path& name) {
    std::optional<fs::path> best;
    for (const fs::directory_entry& entry : listFolder(folder)) {
        const fs::path candidate = entry.path().filename();
        if (sameNameIgnoringCase(candidate, name) && (!best || candidate < *best)) best = candidate;
    }
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
        if (onDisk(resolved / part)) {
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
