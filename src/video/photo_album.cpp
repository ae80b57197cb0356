#include "video/photo_album.h"

#include <QFile>
#include <QFileInfo>

#include "platform/files/file_system.h"

namespace video {

namespace {

// More photos in one second than this is no person at the button; the name search stops.
constexpr int kMostPhotosPerName = 1000;

std::filesystem::path Candidate(const std::filesystem::path& folder, const QString& name, int n) {
    if (n == 1) return folder / platform::toPath(name);
    const QFileInfo info(name);
    const QString numbered =
        info.completeBaseName() + u'-' + QString::number(n) + u'.' + info.suffix();
    return folder / platform::toPath(numbered);
}

bool WriteWhole(const std::filesystem::path& file, const QByteArray& bytes) {
    QFile out(platform::toQString(file));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    const bool written = out.write(bytes) == bytes.size() && out.flush();
    out.close();
    if (written && out.error() == QFileDevice::NoError) return true;
    out.remove();
    return false;
}

}  // namespace

QString PhotoFolderPath(const QString& programFolder) {
    return programFolder + QStringLiteral("\\photo");
}

bool MakePhotoFolder(const std::filesystem::path& folder) {
    if (platform::folderExists(folder)) return true;
    std::error_code error;
    std::filesystem::create_directory(folder, error);
    return platform::folderExists(folder);
}

QString PhotoFileName(const QDateTime& at) {
    const QDate d = at.date();
    const QTime t = at.time();
    QString name;
    for (const int part : {d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second()})
        name += QString::number(part);
    return name + QStringLiteral(".bmp");
}

std::optional<std::filesystem::path> SavePhoto(const std::filesystem::path& folder,
                                               const QString& name, const QByteArray& frame) {
    if (frame.isEmpty()) return std::nullopt;
    for (int n = 1; n <= kMostPhotosPerName; ++n) {
        const auto file = Candidate(folder, name, n);
        std::error_code error;
        if (std::filesystem::exists(std::filesystem::symlink_status(file, error))) continue;
        if (error && error != std::errc::no_such_file_or_directory) return std::nullopt;
        if (!WriteWhole(file, frame)) return std::nullopt;
        return file;
    }
    return std::nullopt;
}

}  // namespace video
