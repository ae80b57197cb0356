#pragma once

#include <QString>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>
#include <variant>

#include "client/client_fwd.h"

namespace forms {
class Container;
class Image;
}  // namespace forms

namespace connection {

using client::Client;
using client::MainForm;

// A Variant argument that the picture loaders convert to an Integer: a picture-id table entry
// (its decimal text) or a number. The conversion rounds as CInt does; an empty or non-numeric
// text is a type mismatch and a value outside the Integer range an overflow.
class IntegerArg {
  public:
    IntegerArg(int value) : value_(double(value)) {}
    IntegerArg(double value) : value_(value) {}
    IntegerArg(float value) : value_(double(value)) {}
    IntegerArg(QString text) : value_(std::move(text)) {}

    std::int16_t toInteger() const;

  private:
    std::variant<double, QString> value_;
};

// A picture is never loaded from memory: it is written to a temporary file in the program
// folder, loaded from there and the file deleted. The pieces of that pattern, for loaders that
// name their file differently or do more between the steps:

// The program folder & "\tmp" & id & ".GIF" (Windows-style; mapped to the disk when used).
QString TempPicturePath(Client& c, int id);

// SaveResToFile of picture g_nResId to tmpPath: the file on disk, or nullopt when the picture
// could not be written (no file is made then).
std::optional<std::filesystem::path> WriteResourcePicture(Client& c, const QString& tmpPath,
                                                          std::string_view resType = "GIF");

// Kill: a file that cannot be deleted is a run-time failure.
void DeleteTempPicture(const std::filesystem::path& file);

// The whole pattern for picture id: g_nResId := id, write it to TempPicturePath(id), load that
// file into the target and delete the file. True when the target got the picture; false when
// the picture could not be written, and the target keeps the picture it had. A file that does
// not load as a picture is a run-time failure: the target keeps its picture and the file stays
// (the next extraction of the same id writes over it).
bool ShowResourcePicture(Client& c, std::int16_t id, forms::Image& target);
// Picture boxes (and windows) take their picture the same way.
bool ShowResourcePicture(Client& c, std::int16_t id, forms::Container& target);

// LoadResourcePicture: puts picture resId on img through the temporary file tmpPath, then, when
// given, moves img's left edge to leftPos and records state as the declaration kind shown on
// declaration button idx (g_aJiaofenKind). A picture that cannot be written leaves img's
// picture and still moves it and records the kind. Any failure (an id, kind or left edge that
// is no Integer, a file that does not load, idx outside 0..10 with a state) ends it at once
// with false, skipping what follows.
bool LoadResourcePicture(Client& c, const IntegerArg& resId, const QString& resType,
                         const QString& tmpPath, forms::Image& img, std::int16_t idx,
                         const std::optional<IntegerArg>& state = std::nullopt,
                         const std::optional<IntegerArg>& leftPos = std::nullopt);

}  // namespace connection
