#pragma once

#include <QHash>
#include <QString>
#include <QStringView>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The lines of a profile-string file as the reads and the writes both take them, and the index
// of their names that lets either find a section or a key without comparing every name.
namespace platform::profile {

enum class LineKind { Other, Section, Entry };

// A line keeps its bytes as read, so rewriting a file changes only the lines a write touches,
// even where the file holds bytes that are not valid GBK. Its name and value are places in its
// text rather than strings of their own: a file is read whole for every write, and most of its
// lines are only looked at.
struct Line {
    std::string raw;
    QString text;  // raw decoded
    LineKind kind = LineKind::Other;
    bool blank = false;  // nothing but blanks: new keys go before such lines at a section's end
    qsizetype nameAt = 0, nameLength = 0;
    qsizetype valueAt = 0, valueLength = 0;

    QStringView name() const { return QStringView(text).sliced(nameAt, nameLength); }
    QStringView value() const { return QStringView(text).sliced(valueAt, valueLength); }
};

Line parseLine(std::string raw);
// A line whose bytes are known to read as `text`.
Line parseLine(std::string raw, QString text);
std::vector<Line> parseLines(std::string_view bytes);

QStringView trimBlanks(QStringView text);
// Names and values were C strings on the original platform, so a NUL ends them; a line break
// inside one would split the line and plant keys or sections of its own, so it becomes a blank.
QString asOneLine(const QString& text);
QString asName(const QString& text);
bool sameName(QStringView a, QStringView b);

// Names that compare equal without regard to case have the same sketch: the same length, the
// same ASCII characters other than letters, and a star for everything else (case folding maps
// letters to letters only). A lookup looks only at the lines of its name's sketch, in file
// order, so it finds the same first match as a scan of the whole file, without comparing every
// name. The index keeps a hash of the sketch: names of other sketches that share it are told
// apart by the comparison all the same.
std::size_t sketchOf(QStringView name);

// Positions in file order. Most names are there once: that one is kept without a list.
class Positions {
  public:
    void add(std::size_t at) {
        if (count_++ == 0)
            first_ = at;
        else
            more_.push_back(at);
    }
    template <typename Match>
    std::optional<std::size_t> firstWhere(Match match) const {
        if (count_ == 0) return std::nullopt;
        if (match(first_)) return first_;
        for (const std::size_t at : more_)
            if (match(at)) return at;
        return std::nullopt;
    }

  private:
    std::size_t first_ = 0;
    std::size_t count_ = 0;
    std::vector<std::size_t> more_;
};

using PositionsBySketch = QHash<std::size_t, Positions>;

// The first position of `index` whose name (nameAt(position)) is `name`, ignoring case.
template <typename NameAt>
std::optional<std::size_t> firstNamed(const PositionsBySketch& index, QStringView name,
                                      NameAt nameAt) {
    const auto candidates = index.constFind(sketchOf(name));
    if (candidates == index.cend()) return std::nullopt;
    return candidates->firstWhere([&](std::size_t at) { return sameName(nameAt(at), name); });
}

}  // namespace platform::profile
