#pragma once

#include <QChar>
#include <QString>
#include <string>
#include <string_view>

// GBK (code page 936) is the system's single-byte/double-byte code page: the text of files and
// of the wire. Inside the program text is QString; GBK bytes are std::string.
namespace platform {

// Characters GBK cannot hold become '?'. Never fails.
std::string encodeGbk(const QString& text);

// Bytes that start no valid GBK character (and a double-byte character cut off at the end)
// become U+FFFD, one per byte, so the bytes after them still decode. Never fails.
QString decodeGbk(std::string_view bytes);

// The character's GBK code read as a signed 16-bit number: 0..255 for a single-byte character,
// (lead << 8 | trail) for a double-byte one, which is therefore negative. A character GBK cannot
// hold has the code of '?'.
int gbkCode(QChar ch);

}  // namespace platform
