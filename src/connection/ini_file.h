#pragma once

#include <QString>
#include <utility>
#include <vector>

#include "platform/files/profile_string.h"

namespace connection {

// The one class through which the client reads and writes INI files. It remembers a file name
// (a Windows-style path) and holds nothing open between calls. No operation reports a failure:
// a missing file reads as empty values, a file that cannot be written stays as it was.
class classIniFile {
  public:
    void WriteIniKey(const QString& section, const QString& key, const QString& value);
    // WriteIniKey of each key and value in order, with the file read and written once.
    void WriteIniKeys(const QString& section, const std::vector<std::pair<QString, QString>>& keys);
    // The stored value without surrounding blanks or NULs, at most 1023 bytes of the file's
    // text; "" when the file, the section or the key is missing.
    QString GetIniKey(const QString& section, const QString& key) const;

    // GetIniKey for a run of reads with no write between them, the file read once.
    class Reader {
      public:
        QString GetIniKey(const QString& section, const QString& key) const;

      private:
        friend class classIniFile;
        explicit Reader(platform::ProfileReader profile) : profile_(std::move(profile)) {}
        platform::ProfileReader profile_;
    };
    Reader reader() const;

    void setINIFileName(const QString& path) { INIFileName_ = path; }
    const QString& INIFileName() const { return INIFileName_; }

    // Both always return empty: they mirror the original's Variant results.
    void DelIniKey(const QString& section, const QString& key);
    void DelIniSec(const QString& section);

    // Joins folder and file name with exactly one "\".
    static QString MakeIniPath(const QString& folder, const QString& fileName);
    void SetIniPath(const QString& folder, const QString& fileName);

  private:
    QString INIFileName_;
};

}  // namespace connection
