#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace connection {
class classIniFile;
}

// The hand-history file's sections as plain data: one section "juNum:<hand>" per settled hand,
// holding the score board's heads, its eight columns line by line and the seats' text colours.
namespace settlement {

struct HandRecord {
    std::array<QString, 4> names;
    std::array<QString, 4> picIndex;  // the avatar index as text, or empty
    std::array<QStringList, 8> columns;
    std::array<std::uint32_t, 4> colours{};  // of columns 0..3
};

// Writes the section of a hand in the file's order: the heads, each column's count and lines,
// the colours. Keys already there are overwritten; nothing is removed.
void WriteHandRecord(connection::classIniFile& ini, int hand, const HandRecord& record);

// What a section gives back. Reading stops at the first column without a count: the columns
// after it and every colour are then left as they are. A value read back is trimmed of blanks,
// and an empty line comes back as one blank.
struct LoadedHandRecord {
    std::array<QString, 4> names;
    std::array<QString, 4> picIndex;
    std::vector<QStringList> columns;  // columns 0.. up to the first without a count
    // A colour that is missing, no number or not a colour leaves that column's colour as it is.
    std::array<std::optional<std::uint32_t>, 4> colours;
};
LoadedHandRecord ReadHandRecord(const connection::classIniFile& ini, int hand);

// The avatar index of a PicIndex value: a whole number 0..19, else nothing.
std::optional<int> AvatarIndex(const QString& text);

}  // namespace settlement
