#pragma once

#include <QString>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files/profile_lines.h"

namespace platform::profile {

// A profile-string file being written: its lines grouped by section, with the headers and each
// section's keys indexed by name. A write finds its section and its key and puts a new key in
// place without a pass over the file, so a batch of writes costs time in proportion to the file
// plus the batch, not to their product.
class EditedProfile {
  public:
    explicit EditedProfile(std::string_view bytes);

    // What writeProfileString does to the file; returns whether the lines changed.
    bool apply(const QString& section, const std::optional<QString>& key,
               const std::optional<QString>& value);

    std::string bytes() const;

  private:
    struct Section {
        Line header;
        std::vector<Line> body;      // up to the section's last line that is not blank
        std::vector<Line> trailing;  // the blank lines after it, which a new key goes before
        PositionsBySketch keys;      // into body
    };

    static Section headedBy(Line header);
    void group(std::vector<Line> lines);
    // A line that would change how the lines group (a key written as "[name]", say) is placed
    // as it comes and the whole file grouped again: rare, and then exactly as a new read.
    void regroup();
    void indexHeaders();
    static void indexKeys(Section& section);
    static void appendTo(Section& section, Line line);
    void insertKey(std::size_t section, Line line);
    void append(Line line);

    std::vector<Line> prelude_;  // the lines before the first section
    std::vector<Section> sections_;
    PositionsBySketch headers_;  // into sections_
};

}  // namespace platform::profile
