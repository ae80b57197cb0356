#include "platform/files/dir_lookup.h"

#include <optional>

#include "platform/files/file_system.h"
#include "platform/files/windows_path.h"

namespace platform {
namespace {

bool hasWildcards(QStringView text) {
    return text.contains(QLatin1Char('*')) || text.contains(QLatin1Char('?'));
}

bool sameCharIgnoringCase(QChar a, QChar b) {
    return a == b || a.toCaseFolded() == b.toCaseFolded();
}

// Greedy matching with one backtrack point for the latest '*': linear in practice and never
// recursive, whatever the pattern.
bool matchesPlainWildcard(QStringView name, QStringView pattern) {
    qsizetype n = 0, p = 0;
    std::optional<qsizetype> starAt;
    qsizetype nameAtStar = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == QLatin1Char('*')) {
            starAt = p++;
            nameAtStar = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == QLatin1Char('?') || sameCharIgnoringCase(pattern[p], name[n]))) {
            ++p;
            ++n;
        } else if (starAt) {
            p = *starAt + 1;
            n = ++nameAtStar;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == QLatin1Char('*')) ++p;
    return p == pattern.size();
}

bool lessIgnoringCase(const QString& a, const QString& b) {
    const int order = a.compare(b, Qt::CaseInsensitive);
    return order != 0 ? order < 0 : a < b;
}

}  // namespace

bool matchesWildcard(QStringView name, QStringView pattern) {
    if (matchesPlainWildcard(name, pattern)) return true;
    const QLatin1String anyExtension(".*");
    return pattern.endsWith(anyExtension) && !name.contains(QLatin1Char('.')) &&
           matchesPlainWildcard(name, pattern.chopped(anyExtension.size()));
}

QString firstMatchingFileName(const QString& windowsPattern) {
    QString slashed = windowsPattern;
    slashed.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const qsizetype lastSlash = slashed.lastIndexOf(QLatin1Char('/'));
    const QString folderPart = slashed.left(lastSlash + 1);
    const QString namePattern = slashed.mid(lastSlash + 1);
    if (namePattern.isEmpty() || hasWildcards(folderPart)) return {};

    if (!hasWildcards(namePattern)) {
        const std::filesystem::path file = mapWindowsPath(slashed);
        return fileExists(file) ? toQString(file.filename()) : QString();
    }

    QString first;
    const auto folder =
        folderPart.isEmpty() ? std::filesystem::path(".") : mapWindowsPath(folderPart);
    for (const auto& entry : listFolder(folder)) {
        std::error_code error;
        if (!entry.is_regular_file(error)) continue;
        const QString name = toQString(entry.path().filename());
        if (matchesWildcard(name, namePattern) &&
            (first.isEmpty() || lessIgnoringCase(name, first)))
            first = name;
    }
    return first;
}

}  // namespace platform
