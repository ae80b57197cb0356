#pragma once

#include <QString>

namespace platform {

// The original toolkit's Dir(pattern): the name (without folder) of the first regular file that
// matches a Windows path whose last component may hold the wildcards * and ?, compared without
// regard to case; "" when nothing matches, the folder is missing or the pattern is unusable.
// "First" is the least name in case-insensitive order, so the answer does not depend on the
// order in which the file system lists a folder.
QString firstMatchingFileName(const QString& windowsPattern);

// Whether a file name matches a Windows wildcard pattern (case-insensitive; "name.*" also
// matches "name" without an extension, as on Windows).
bool matchesWildcard(QStringView name, QStringView pattern);

}  // namespace platform
