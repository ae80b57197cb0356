#include "settlement/hand_record.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>

#include "connection/ini_file.h"
#include "platform/runtime/conversions.h"
#include "platform/runtime/failure.h"

namespace settlement {

namespace {

constexpr std::uint32_t HighestColour = 0xFFFFFF;
constexpr int AvatarCount = 20;
// A list holds at most this many lines; a larger count can only come from a damaged file.
constexpr double MostLines = 32767;

QString Section(int hand) {
    return QStringLiteral("juNum:") + QString::number(hand);
}
QString NameKey(int i) {
    return QStringLiteral("name( %1 )").arg(i);
}
QString PicIndexKey(int i) {
    return QStringLiteral("PicIndex( %1 )").arg(i);
}
QString CountKey(int j) {
    return QStringLiteral("count( %1 )").arg(j);
}
// `countKey` is the column's CountKey. Written for every line of every column at each hand's
// end, and read up to 32767 times per column from a damaged file: built in one string, without
// arg()'s parsing or a string for each of its bits.
QString LineKey(const QString& countKey, int k) {
    char digits[16];
    const char* const end = std::to_chars(std::begin(digits), std::end(digits), k).ptr;
    QString key;
    key.reserve(countKey.size() + 4 + (end - digits));
    key.append(countKey)
        .append(QLatin1String("( "))
        .append(QLatin1String(digits, end))
        .append(QLatin1String(" )"));
    return key;
}
QString ColourKey(int i) {
    return CountKey(i) + QStringLiteral(" ForeColor");
}

// A number as the file holds it, or nothing when the text is not one.
std::optional<double> Number(const QString& text) {
    try {
        return platform::toNumber(text);
    } catch (const platform::RuntimeFailure&) {
        return std::nullopt;
    }
}

}  // namespace

void WriteHandRecord(connection::classIniFile& ini, int hand, const HandRecord& record) {
    // The keys in the order the record is saved in, written in one pass over the file.
    std::vector<std::pair<QString, QString>> keys;
    std::size_t count = 4 * 3 + 8;  // a name, a picture and a colour per seat, a count per column
    for (const QStringList& column : record.columns) count += std::size_t(column.size());
    keys.reserve(count);
    for (int i = 0; i < 4; ++i) {
        keys.emplace_back(NameKey(i), record.names[std::size_t(i)]);
        keys.emplace_back(PicIndexKey(i), record.picIndex[std::size_t(i)]);
    }
    for (int j = 0; j < 8; ++j) {
        const QStringList& column = record.columns[std::size_t(j)];
        const QString countKey = CountKey(j);
        keys.emplace_back(countKey, QString::number(column.size()));
        for (int k = 0; k < column.size(); ++k) keys.emplace_back(LineKey(countKey, k), column[k]);
    }
    for (int i = 0; i < 4; ++i) {
        keys.emplace_back(ColourKey(i), QString::number(record.colours[std::size_t(i)]));
    }
    ini.WriteIniKeys(Section(hand), keys);
}

LoadedHandRecord ReadHandRecord(const connection::classIniFile& file, int hand) {
    const connection::classIniFile::Reader ini = file.reader();
    LoadedHandRecord loaded;
    const QString section = Section(hand);
    for (int i = 0; i < 4; ++i) {
        loaded.names[std::size_t(i)] = ini.GetIniKey(section, NameKey(i));
        loaded.picIndex[std::size_t(i)] = ini.GetIniKey(section, PicIndexKey(i));
    }
    for (int j = 0; j < 8; ++j) {
        const QString countKey = CountKey(j);
        const QString count = ini.GetIniKey(section, countKey);
        if (count.isEmpty()) return loaded;
        const double c = std::clamp(std::floor(platform::val(count)), 0.0, MostLines);
        QStringList column;
        for (int k = 0; k < int(c); ++k) {
            const QString line = ini.GetIniKey(section, LineKey(countKey, k));
            column << (line.isEmpty() ? QStringLiteral(" ") : line);
        }
        loaded.columns.push_back(std::move(column));
    }
    for (int i = 0; i < 4; ++i) {
        const auto colour = Number(ini.GetIniKey(section, ColourKey(i)));
        if (!colour) continue;
        const double whole = platform::roundHalfEven(*colour);
        if (whole >= 0 && whole <= HighestColour) {
            loaded.colours[std::size_t(i)] = std::uint32_t(whole);
        }
    }
    return loaded;
}

std::optional<int> AvatarIndex(const QString& text) {
    const auto n = Number(text);
    if (!n || *n != std::floor(*n) || *n < 0 || *n >= AvatarCount) return std::nullopt;
    return int(*n);
}

}  // namespace settlement
