#include "platform/files/profile_string.h"

#include <QHash>
#include <map>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/files/file_system.h"
#include "platform/text/gbk.h"

namespace platform {
namespace {

enum class LineKind { Other, Section, Entry };

// A line keeps its bytes as read, so rewriting a file changes only the lines a write touches,
// even where the file holds bytes that are not valid GBK.
struct ProfileLine {
    std::string raw;
    LineKind kind = LineKind::Other;
    QString name;
    QString value;
};

struct SectionLines {
    std::size_t header;
    std::size_t end;  // one past the section's last line
};

bool isBlank(QChar ch) {
    return ch == QLatin1Char(' ') || ch == QLatin1Char('\t') || ch == QLatin1Char('\r') ||
           ch == QLatin1Char('\v') || ch == QLatin1Char('\f');
}

QStringView trimBlanks(QStringView text) {
    while (!text.isEmpty() && isBlank(text.front())) text = text.sliced(1);
    while (!text.isEmpty() && isBlank(text.back())) text.chop(1);
    return text;
}

QStringView unquote(QStringView value) {
    if (value.size() >= 2 && value.front() == value.back() &&
        (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\'')))
        return value.sliced(1, value.size() - 2);
    return value;
}

// Names and values were C strings on the original platform, so a NUL ends them; a line break
// inside one would split the line and plant keys or sections of its own, so it becomes a blank.
QString asOneLine(const QString& text) {
    QString line = text.left(text.indexOf(QChar(0)) < 0 ? text.size() : text.indexOf(QChar(0)));
    line.replace(QLatin1Char('\r'), QLatin1Char(' '));
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return line;
}

QString asName(const QString& text) {
    return trimBlanks(asOneLine(text)).toString();
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

ProfileLine parseLine(std::string raw) {
    ProfileLine line;
    line.raw = std::move(raw);
    const QString text = decodeGbk(line.raw);
    const QStringView body = trimBlanks(text);
    if (body.startsWith(QLatin1Char('['))) {
        const qsizetype close = body.indexOf(QLatin1Char(']'));
        line.kind = LineKind::Section;
        line.name = trimBlanks(body.sliced(1, (close < 0 ? body.size() : close) - 1)).toString();
    } else if (!body.startsWith(QLatin1Char(';'))) {
        const qsizetype equals = body.indexOf(QLatin1Char('='));
        if (equals >= 0) {
            line.kind = LineKind::Entry;
            line.name = trimBlanks(body.first(equals)).toString();
            line.value = unquote(trimBlanks(body.sliced(equals + 1))).toString();
        }
    }
    return line;
}

std::vector<ProfileLine> parseProfile(std::string_view bytes) {
    std::vector<ProfileLine> lines;
    while (!bytes.empty()) {
        const std::size_t newline = bytes.find('\n');
        std::string_view raw = bytes.substr(0, newline);
        bytes.remove_prefix(newline == std::string_view::npos ? bytes.size() : newline + 1);
        if (raw.ends_with('\r')) raw.remove_suffix(1);
        lines.push_back(parseLine(std::string(raw)));
    }
    return lines;
}

std::string serializeProfile(const std::vector<ProfileLine>& lines) {
    std::string bytes;
    for (const ProfileLine& line : lines) bytes.append(line.raw).append("\r\n");
    return bytes;
}

std::optional<SectionLines> findSection(const std::vector<ProfileLine>& lines,
                                        const QString& section) {
    for (std::size_t header = 0; header < lines.size(); ++header) {
        if (lines[header].kind != LineKind::Section || !sameName(lines[header].name, section))
            continue;
        std::size_t end = header + 1;
        while (end < lines.size() && lines[end].kind != LineKind::Section) ++end;
        return SectionLines{header, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> findKey(const std::vector<ProfileLine>& lines, SectionLines section,
                                   const QString& key) {
    for (std::size_t i = section.header + 1; i < section.end; ++i)
        if (lines[i].kind == LineKind::Entry && sameName(lines[i].name, key)) return i;
    return std::nullopt;
}

// Where a new key goes: after the section's last line that is not blank, so the blank lines
// that part it from the next section stay where they are.
std::size_t insertionPoint(const std::vector<ProfileLine>& lines, SectionLines section) {
    std::size_t at = section.end;
    while (at > section.header + 1 && trimBlanks(decodeGbk(lines[at - 1].raw)).isEmpty()) --at;
    return at;
}

// A written line is read back as the file's own lines are, so that later writes of a batch
// find it exactly as they would after the file had been written and read again.
ProfileLine newLine(const QString& text) {
    return parseLine(encodeGbk(text));
}

// Returns whether the lines changed.
bool applyWrite(std::vector<ProfileLine>& lines, const QString& section,
                const std::optional<QString>& key, const std::optional<QString>& value) {
    const std::optional<SectionLines> found = findSection(lines, section);
    if (!key) {
        if (!found) return false;
        lines.erase(lines.begin() + found->header, lines.begin() + found->end);
        return true;
    }
    const QString keyName = asName(*key);
    const std::optional<std::size_t> entry = found ? findKey(lines, *found, keyName) : std::nullopt;
    if (!value) {
        if (!entry) return false;
        lines.erase(lines.begin() + *entry);
        return true;
    }
    const QString text = asOneLine(*value);
    if (entry) {
        lines[*entry] = newLine(lines[*entry].name + QLatin1Char('=') + text);
    } else if (found) {
        lines.insert(lines.begin() + insertionPoint(lines, *found),
                     newLine(keyName + QLatin1Char('=') + text));
    } else {
        lines.push_back(newLine(QLatin1Char('[') + section + QLatin1Char(']')));
        lines.push_back(newLine(keyName + QLatin1Char('=') + text));
    }
    return true;
}

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

// Names that compare equal without regard to case have the same sketch: the same length, the
// same ASCII characters other than letters, and a star for everything else (case folding maps
// letters to letters only). A read looks only at the lines of its name's sketch, in file order,
// so it finds the same first match as a scan of the whole file, without comparing every name.
QString sketch(const QString& name) {
    QString sketched(name.size(), QLatin1Char('*'));
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t unit = name[i].unicode();
        const bool asciiLetter = (unit >= u'a' && unit <= u'z') || (unit >= u'A' && unit <= u'Z');
        if (unit < 0x80 && !asciiLetter) sketched[i] = QChar(unit);
    }
    return sketched;
}

using LinesBySketch = QHash<QString, std::vector<std::size_t>>;

std::optional<std::size_t> firstNamed(const std::vector<ProfileLine>& lines,
                                      const LinesBySketch& index, const QString& name) {
    const auto candidates = index.constFind(sketch(name));
    if (candidates == index.cend()) return std::nullopt;
    for (const std::size_t at : *candidates)
        if (sameName(lines[at].name, name)) return at;
    return std::nullopt;
}

}  // namespace

struct ProfileReader::Lines {
    std::vector<ProfileLine> lines;
    LinesBySketch headers;
    std::map<std::size_t, LinesBySketch> entries;  // by the line of their section's header
};

ProfileReader::ProfileReader(const std::filesystem::path& file) {
    const std::optional<std::string> bytes = readFileBytes(file);
    if (!bytes) return;
    auto read = std::make_unique<Lines>();
    read->lines = parseProfile(*bytes);
    LinesBySketch* section = nullptr;
    for (std::size_t at = 0; at < read->lines.size(); ++at) {
        const ProfileLine& line = read->lines[at];
        if (line.kind == LineKind::Section) {
            read->headers[sketch(line.name)].push_back(at);
            section = &read->entries[at];
        } else if (line.kind == LineKind::Entry && section) {
            (*section)[sketch(line.name)].push_back(at);
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
        const std::vector<ProfileLine>& lines = lines_->lines;
        if (const auto header = firstNamed(lines, lines_->headers, asName(section)))
            if (const auto entry = firstNamed(lines, lines_->entries.at(*header), asName(key)))
                result = lines[*entry].value;
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

    std::vector<ProfileLine> lines = parseProfile(*bytes);
    bool changed = false;
    for (const ProfileWrite& write : writes)
        changed = applyWrite(lines, asName(write.section), write.key, write.value) || changed;
    if (changed) writeFileAtomically(file, serializeProfile(lines));
}

}  // namespace platform
