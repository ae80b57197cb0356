#include "connection/resource_pictures.h"

#include <charconv>
#include <iterator>
#include <string>
#include <system_error>
#include <utility>

#include "client/client.h"
#include "platform/files/file_system.h"
#include "platform/files/windows_path.h"
#include "platform/forms/container.h"
#include "platform/forms/image.h"
#include "platform/forms/picture.h"
#include "platform/runtime/conversions.h"
#include "platform/runtime/failure.h"
#include "resources/resource_store.h"

namespace connection {

namespace {

// Write, load, hand the picture to assign, delete. The picture is assigned before the delete,
// so a failing load leaves both the file and the target as they were.
template <typename Assign>
bool PutResourcePicture(Client& c, const QString& tmpPath, std::string_view resType,
                        Assign&& assign) {
    const auto file = WriteResourcePicture(c, tmpPath, resType);
    if (!file) return false;
    assign(forms::loadPicture(*file));
    DeleteTempPicture(*file);
    return true;
}

}  // namespace

std::int16_t IntegerArg::toInteger() const {
    if (const auto* text = std::get_if<QString>(&value_)) return platform::textToInteger(*text);
    return platform::toInteger(std::get<double>(value_));
}

QString TempPicturePath(Client& c, int id) {
    // Every picture shown passes here: the path is built in one string.
    char digits[16];
    const char* const end = std::to_chars(std::begin(digits), std::end(digits), id).ptr;
    QString path = c.App_Path();
    path.reserve(path.size() + 8 + (end - digits));
    path.append(QLatin1String("\\tmp"))
        .append(QLatin1String(digits, end))
        .append(QLatin1String(".GIF"));
    return path;
}

std::optional<std::filesystem::path> WriteResourcePicture(Client& c, const QString& tmpPath,
                                                          std::string_view resType) {
    std::filesystem::path file = platform::mapWindowsPath(tmpPath);
    if (!resources::SaveResToFile(c.s.g_nResId, resType, file)) return std::nullopt;
    return file;
}

void DeleteTempPicture(const std::filesystem::path& file) {
    std::error_code error;
    if (!std::filesystem::remove(file, error)) {
        platform::fail(platform::RuntimeFailure::Kind::ControlFailed,
                       "File not found: " + file.string());
    }
}

bool ShowResourcePicture(Client& c, std::int16_t id, forms::Image& target) {
    c.s.g_nResId = id;
    return PutResourcePicture(
        c, TempPicturePath(c, c.s.g_nResId), "GIF",
        [&](forms::Picture picture) { target.setPicture(std::move(picture)); });
}

bool ShowResourcePicture(Client& c, std::int16_t id, forms::Container& target) {
    c.s.g_nResId = id;
    return PutResourcePicture(
        c, TempPicturePath(c, c.s.g_nResId), "GIF",
        [&](forms::Picture picture) { target.setPicture(std::move(picture)); });
}

bool LoadResourcePicture(Client& c, const IntegerArg& resId, const QString& resType,
                         const QString& tmpPath, forms::Image& img, std::int16_t idx,
                         const std::optional<IntegerArg>& state,
                         const std::optional<IntegerArg>& leftPos) {
    try {
        c.s.g_nResId = resId.toInteger();
        // A picture that cannot be written is no failure here: img keeps its picture.
        PutResourcePicture(c, tmpPath, resType.toStdString(),
                           [&](forms::Picture picture) { img.setPicture(std::move(picture)); });
        if (leftPos) img.move(leftPos->toInteger());
        if (state) {
            const std::int16_t kind = state->toInteger();
            if (idx < 0 || std::size_t(idx) >= c.s.g_aJiaofenKind.size()) {
                platform::fail(platform::RuntimeFailure::Kind::IndexOutOfRange,
                               "Subscript out of range");
            }
            c.s.g_aJiaofenKind[std::size_t(idx)] = kind;
        }
        return true;
    } catch (const platform::RuntimeFailure&) {
        return false;
    }
}

}  // namespace connection
