#include "resources/file_name_matches.h"

#include "platform/files/dir_lookup.h"

namespace resources {

bool FileNameMatches(const QString& path, const QString& name) {
    const QString found = platform::firstMatchingFileName(path);
    return !found.isEmpty() && found == name;
}

}  // namespace resources
