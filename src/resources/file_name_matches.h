#pragma once

#include <QString>

namespace resources {

// True when the first regular file that the Windows path (a file name or a pattern) finds has
// exactly the file name name (case-sensitive; the folder part is not compared). A path that
// finds nothing gives False, since the empty listing never equals a file name.
bool FileNameMatches(const QString& path, const QString& name);

}  // namespace resources
