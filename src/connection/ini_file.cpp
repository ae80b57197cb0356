#include "connection/ini_file.h"

#include "platform/files/profile_string.h"
#include "platform/files/windows_path.h"

namespace connection {

namespace {
constexpr std::size_t IniBufferSize = 1024;
}

void classIniFile::WriteIniKey(const QString& section, const QString& key, const QString& value) {
    platform::writeProfileString(section, key, value, platform::mapWindowsPath(INIFileName_));
}

void classIniFile::WriteIniKeys(const QString& section,
                                const std::vector<std::pair<QString, QString>>& keys) {
    std::vector<platform::ProfileWrite> writes;
    writes.reserve(keys.size());
    for (const auto& [key, value] : keys) writes.push_back({section, key, value});
    platform::writeProfileStrings(writes, platform::mapWindowsPath(INIFileName_));
}

QString classIniFile::GetIniKey(const QString& section, const QString& key) const {
    return reader().GetIniKey(section, key);
}

classIniFile::Reader classIniFile::reader() const {
    return Reader(platform::ProfileReader(platform::mapWindowsPath(INIFileName_)));
}

QString classIniFile::Reader::GetIniKey(const QString& section, const QString& key) const {
    QString value = profile_.getString(section, key, QString(), IniBufferSize);
    // Only plain blanks are trimmed: a value may start or end with a tab or an ideographic
    // space on purpose (a quoted value keeps them through the profile read).
    qsizetype first = 0;
    qsizetype last = value.size();
    while (first < last && value[first] == u' ') ++first;
    while (last > first && value[last - 1] == u' ') --last;
    value = value.sliced(first, last - first);
    value.remove(QChar(0));
    return value;
}

void classIniFile::DelIniKey(const QString& section, const QString& key) {
    platform::writeProfileString(section, key, std::nullopt,
                                 platform::mapWindowsPath(INIFileName_));
}

void classIniFile::DelIniSec(const QString& section) {
    platform::writeProfileString(section, std::nullopt, QString(),
                                 platform::mapWindowsPath(INIFileName_));
}

QString classIniFile::MakeIniPath(const QString& folder, const QString& fileName) {
    QString left = folder;
    while (left.endsWith(u'\\')) left.chop(1);
    QString right = fileName;
    while (right.startsWith(u'\\')) right.remove(0, 1);
    return left + u'\\' + right;
}

void classIniFile::SetIniPath(const QString& folder, const QString& fileName) {
    INIFileName_ = MakeIniPath(folder, fileName);
}

}  // namespace connection
