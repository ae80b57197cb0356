#include "platform/files/file_system.h"

#include <fcntl.h>
#include <unistd.h>

#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>
#include <system_error>

namespace platform {

namespace fs = std::filesystem;

QString toQString(const fs::path& path) {
    return QFile::decodeName(path.native().c_str());
}

fs::path toPath(const QString& localPath) {
    return fs::path(encodeFileName(localPath));
}

std::string encodeFileName(const QString& name) {
    // Most names are plain ASCII, which every encoding a file name can have spells as it is:
    // those are copied straight, without the converter's buffer and its copy. Names are mapped
    // for every picture the table shows.
    const char16_t* const units = QStringView(name).utf16();
    if (std::all_of(units, units + name.size(), [](char16_t unit) { return unit < 0x80; }))
        return std::string(units, units + name.size());
    return QFile::encodeName(name).toStdString();
}

bool fileExists(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

bool folderExists(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

std::vector<fs::directory_entry> listFolder(const fs::path& folder) {
    std::vector<fs::directory_entry> entries;
    std::error_code error;
    for (fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, error);
         !error && it != fs::directory_iterator(); it.increment(error)) {
        entries.push_back(*it);
    }
    return entries;
}

// Read with plain calls: the program reads its settings files on the way to the table, and its
// first stream would set up the C++ locale machinery there.
std::optional<std::string> readFileBytes(const fs::path& file, std::size_t mostBytes) {
    if (!fileExists(file)) return std::nullopt;
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::string content;
    std::size_t have = 0;
    bool failed = false;
    while (have < mostBytes) {
        if (have == content.size()) {
            content.resize(std::min(mostBytes, std::max<std::size_t>(4096, content.size() * 2)));
        }
        const ssize_t got = ::read(fd, content.data() + have, content.size() - have);
        if (got < 0 && errno == EINTR) continue;
        failed = got < 0;
        if (got <= 0) break;
        have += std::size_t(got);
    }
    ::close(fd);
    if (failed) return std::nullopt;
    content.resize(have);
    return content;
}

bool writeFileAtomically(const fs::path& file, std::string_view content) {
    QSaveFile out(toQString(file));
    if (!out.open(QIODevice::WriteOnly)) return false;
    if (out.write(content.data(), static_cast<qint64>(content.size())) !=
        static_cast<qint64>(content.size())) {
        out.cancelWriting();
        out.commit();
        return false;
    }
    return out.commit();
}

}  // namespace platform
