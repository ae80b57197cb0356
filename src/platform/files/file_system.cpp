#include "platform/files/file_system.h"

#include <QFile>
#include <QSaveFile>
#include <fstream>
#include <iterator>
#include <system_error>

namespace platform {

namespace fs = std::filesystem;

QString toQString(const fs::path& path) {
    return QFile::decodeName(path.native().c_str());
}

fs::path toPath(const QString& localPath) {
    return fs::path(QFile::encodeName(localPath).toStdString());
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

std::optional<std::string> readFileBytes(const fs::path& file) {
    if (!fileExists(file)) return std::nullopt;
    std::ifstream stream(file, std::ios::binary);
    if (!stream) return std::nullopt;
    std::string content((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
    if (stream.bad()) return std::nullopt;
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
