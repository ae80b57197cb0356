#pragma once

#include <QChar>
#include <QString>

// Fixed-width display counts one column for a character that is a single byte in GBK and two
// for a double-byte (Chinese, full-width) character.
namespace platform {

bool isSingleByteGbk(QChar ch);
int displayWidth(QChar ch);
int displayWidth(const QString& text);

}  // namespace platform
