#pragma once

#include <QString>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

// Profile strings ("INI files") with the Windows semantics the program was written against:
// section and key names compared without regard to case and trimmed; values trimmed of blanks
// and of one pair of matching surrounding quotes; lines starting with ';' and lines without '='
// ignored; the first matching section and key win. Files are GBK text; CRLF is written, CRLF
// and LF are read. Nothing here reports a failure.
namespace platform {

// The value, or defaultValue when the file, the section or the key is missing. Like the Windows
// call's buffer, the result holds at most bufferSize - 1 bytes of GBK, cut before a double-byte
// character rather than through it.
QString getProfileString(const QString& section, const QString& key, const QString& defaultValue,
                         const std::filesystem::path& file, std::size_t bufferSize = 1024);

// A file read once for a run of reads with no write between them: each read gives what
// getProfileString would give for the file as it was then. A record of many keys read one by
// one then costs one pass over the file instead of one per key.
class ProfileReader {
  public:
    explicit ProfileReader(const std::filesystem::path& file);
    ~ProfileReader();
    ProfileReader(ProfileReader&&) noexcept;
    ProfileReader& operator=(ProfileReader&&) noexcept;

    QString getString(const QString& section, const QString& key, const QString& defaultValue,
                      std::size_t bufferSize = 1024) const;

  private:
    struct Lines;
    std::unique_ptr<const Lines> lines_;  // none when the file could not be read
};

// No key: removes the whole section. No value: removes the key. Otherwise sets the key, creating
// the file, the section and the key as needed and keeping the rest of the file in its order.
// A file that cannot be read or written is left as it was.
void writeProfileString(const QString& section, const std::optional<QString>& key,
                        const std::optional<QString>& value, const std::filesystem::path& file);

// One write of writeProfileString.
struct ProfileWrite {
    QString section;
    std::optional<QString> key;
    std::optional<QString> value;
};

// The writes in order, with one read and at most one write of the file: the file ends exactly
// as the writes one by one would leave it. Writing many keys at once (a whole hand's record)
// then costs one pass over the file instead of one per key.
void writeProfileStrings(const std::vector<ProfileWrite>& writes,
                         const std::filesystem::path& file);

}  // namespace platform
