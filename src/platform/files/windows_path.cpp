#include "platform/files/windows_path.h"

#include <optional>
#include <system_error>

#include "platform/files/file_system.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

bool onDisk(const fs::path& path) {
    std::error_code error;
    return fs::symlink_status(path, error).type() != fs::file_type::not_found && !error;
}

bool sameNameIgnoringCase(const fs::path& a, const fs::path& b) {
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

    fs::path resolved;
    bool resolving = true;
    for (const fs::path& part : plain) {
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
