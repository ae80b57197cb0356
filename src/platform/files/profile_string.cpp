#include "platform/files/profile_string.h"

#include <map>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/files/file_system.h"
#include "platform/files/profile_edit.h"
#include "platform/files/profile_lines.h"
#include "platform/text/gbk.h"

namespace platform {
namespace {

using profile::asName;
using profile::Line;
using profile::LineKind;
using profile::PositionsBySketch;
using profile::sketchOf;

// Like the Windows call writing into a buffer of bufferSize bytes with its terminating NUL.
QString fitBuffer(const QString& text, std::size_t bufferSize) {
    if (bufferSize == 0) return {};
    const std::string bytes = encodeGbk(text);
    const std::size_t limit = bufferSize - 1;
    if (bytes.size() <= limit) return text;
    std::size_t cut = 0;
    while (cut < bytes.size()) {
        const std::size_t length = static_cast<unsigned char>(bytes[cut]) > 0x80 ? 2 : 1;
        if (cut + length > limit) break;
        cut += length;
    }
    return decodeGbk(std::string_view(bytes).substr(0, cut));
}

}  // namespace

struct ProfileReader::Lines {
    std::vector<Line> lines;
    PositionsBySketch headers;
    std::map<std::size_t, PositionsBySketch> entries;  // by the line of their section's header
};

ProfileReader::ProfileReader(const std::filesystem::path& file) {
    const std::optional<std::string> bytes = readFileBytes(file);
    if (!bytes) return;
    auto read = std::make_unique<Lines>();
    read->lines = profile::parseLines(*bytes);
    PositionsBySketch* section = nullptr;
    for (std::size_t at = 0; at < read->lines.size(); ++at) {
        const Line& line = read->lines[at];
        if (line.kind == LineKind::Section) {
            read->headers[sketchOf(line.name())].add(at);
            section = &read->entries[at];
        } else if (line.kind == LineKind::Entry && section) {
            (*section)[sketchOf(line.name())].add(at);
        }
    }
    lines_ = std::move(read);
}

ProfileReader::~ProfileReader() = default;
ProfileReader::ProfileReader(ProfileReader&&) noexcept = default;
ProfileReader& ProfileReader::operator=(ProfileReader&&) noexcept = default;

QString ProfileReader::getString(const QString& section, const QString& key,
                                 const QString& defaultValue, std::size_t bufferSize) const {
    QString result = defaultValue;
    if (lines_) {
        const std::vector<Line>& lines = lines_->lines;
        const auto nameAt = [&lines](std::size_t at) { return lines[at].name(); };
        if (const auto header = profile::firstNamed(lines_->headers, asName(section), nameAt))
            if (const auto entry =
                    profile::firstNamed(lines_->entries.at(*header), asName(key), nameAt))
                result = lines[*entry].value().toString();
    }
    return fitBuffer(result, bufferSize);
}

QString getProfileString(const QString& section, const QString& key, const QString& defaultValue,
                         const std::filesystem::path& file, std::size_t bufferSize) {
    return ProfileReader(file).getString(section, key, defaultValue, bufferSize);
}

void writeProfileString(const QString& section, const std::optional<QString>& key,
                        const std::optional<QString>& value, const std::filesystem::path& file) {
    writeProfileStrings({{section, key, value}}, file);
}

void writeProfileStrings(const std::vector<ProfileWrite>& writes,
                         const std::filesystem::path& file) {
    std::error_code error;
    const bool present = std::filesystem::exists(file, error);
    if (error) return;
    const std::optional<std::string> bytes = present ? readFileBytes(file) : std::string();
    if (!bytes) return;  // there but unreadable: rewriting it would lose its content

    profile::EditedProfile profile(*bytes);
    bool changed = false;
    for (const ProfileWrite& write : writes)
        changed = profile.apply(write.section, write.key, write.value) || changed;
    if (changed) writeFileAtomically(file, profile.bytes());
}

}  // namespace platform
