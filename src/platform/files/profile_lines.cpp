#include "platform/files/profile_lines.h"

#include <cstdint>

#include "platform/text/gbk.h"

namespace platform::profile {

namespace {

bool isBlank(QChar ch) {
    return ch == QLatin1Char(' ') || ch == QLatin1Char('\t') || ch == QLatin1Char('\r') ||
           ch == QLatin1Char('\v') || ch == QLatin1Char('\f');
}

QStringView unquote(QStringView value) {
    if (value.size() >= 2 && value.front() == value.back() &&
        (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\'')))
        return value.sliced(1, value.size() - 2);
    return value;
}

}  // namespace

QStringView trimBlanks(QStringView text) {
    while (!text.isEmpty() && isBlank(text.front())) text = text.sliced(1);
    while (!text.isEmpty() && isBlank(text.back())) text.chop(1);
    return text;
}

QString asOneLine(const QString& text) {
    const qsizetype nul = text.indexOf(QChar(0));
    QString line = nul < 0 ? text : text.left(nul);
    line.replace(QLatin1Char('\r'), QLatin1Char(' '));
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return line;
}

QString asName(const QString& text) {
    const QString line = asOneLine(text);
    const QStringView name = trimBlanks(line);
    return name.size() == line.size() ? line : name.toString();
}

bool sameName(QStringView a, QStringView b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

Line parseLine(std::string raw) {
    QString text = decodeGbk(raw);
    return parseLine(std::move(raw), std::move(text));
}

Line parseLine(std::string raw, QString decoded) {
    Line line;
    line.raw = std::move(raw);
    line.text = std::move(decoded);
    const QStringView text(line.text);
    const auto place = [&text](QStringView part, qsizetype& at, qsizetype& length) {
        at = part.isEmpty() ? 0 : part.data() - text.data();
        length = part.size();
    };
    const QStringView body = trimBlanks(text);
    line.blank = body.isEmpty();
    if (body.startsWith(QLatin1Char('['))) {
        const qsizetype close = body.indexOf(QLatin1Char(']'));
        line.kind = LineKind::Section;
        place(trimBlanks(body.sliced(1, (close < 0 ? body.size() : close) - 1)), line.nameAt,
              line.nameLength);
    } else if (!body.startsWith(QLatin1Char(';'))) {
        const qsizetype equals = body.indexOf(QLatin1Char('='));
        if (equals >= 0) {
            line.kind = LineKind::Entry;
            place(trimBlanks(body.first(equals)), line.nameAt, line.nameLength);
            place(unquote(trimBlanks(body.sliced(equals + 1))), line.valueAt, line.valueLength);
        }
    }
    return line;
}

std::vector<Line> parseLines(std::string_view bytes) {
    std::vector<Line> lines;
    while (!bytes.empty()) {
        const std::size_t newline = bytes.find('\n');
        std::string_view raw = bytes.substr(0, newline);
        bytes.remove_prefix(newline == std::string_view::npos ? bytes.size() : newline + 1);
        if (raw.ends_with('\r')) raw.remove_suffix(1);
        lines.push_back(parseLine(std::string(raw)));
    }
    return lines;
}

std::size_t sketchOf(QStringView name) {
    // FNV-1a over the sketch's units.
    std::uint64_t hash = 14695981039346656037ull;
    for (const QChar ch : name) {
        const char16_t unit = ch.unicode();
        const bool asciiLetter = (unit >= u'a' && unit <= u'z') || (unit >= u'A' && unit <= u'Z');
        const char16_t sketched = unit < 0x80 && !asciiLetter ? unit : u'*';
        hash = (hash ^ sketched) * 1099511628211ull;
    }
    return std::size_t(hash);
}

}  // namespace platform::profile
