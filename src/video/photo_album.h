#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <filesystem>
#include <optional>

// The photo album: the folder "photo" in the program folder, and the photos of a pane's last
// frame saved there.
namespace video {

// The album folder under the program folder (Windows-style path).
QString PhotoFolderPath(const QString& programFolder);

// Makes the album folder when it is missing; false when there is no folder afterwards.
bool MakePhotoFolder(const std::filesystem::path& folder);

// A photo's name for the moment it is taken: year, month, day, hour, minute and second, each
// without leading zeros, run together, then ".bmp" (10:05:07 on 1 January 2015 gives
// "2015111057.bmp"). Different moments may give one name.
QString PhotoFileName(const QDateTime& at);

// Saves one frame, its bytes unchanged, as a new photo in `folder`: under `name`, or, when that
// name is taken, under the first free "stem-2.bmp", "stem-3.bmp", ..., so no earlier photo is
// lost. The file holds exactly the frame. Nothing is written for an empty frame; a file that
// cannot be written completely is removed. The photo's path, or none when nothing was saved.
std::optional<std::filesystem::path> SavePhoto(const std::filesystem::path& folder,
                                               const QString& name, const QByteArray& frame);

}  // namespace video
