#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace resources {

// The program's pictures travel as one pack: "KPK1", the entry count, then per entry its type,
// its name (both as a length byte and the bytes), the offset and length of its data from the
// start of the pack (32-bit little-endian numbers), then the data.
// Types compare without regard to ASCII case, as resource types do; names exactly.
class PicturePackWriter {
  public:
    // A later entry with the same type and name replaces the earlier one.
    void add(std::string_view type, std::string_view name, std::vector<uint8_t> data);
    std::vector<uint8_t> finish() const;

  private:
    std::map<std::pair<std::string, std::string>, std::vector<uint8_t>> entries_;
};

class PicturePack {
  public:
    // The pack's index over bytes that must outlive it; nullopt when the bytes are not a
    // well-formed pack (every entry must lie inside the bytes).
    static std::optional<PicturePack> parse(std::span<const uint8_t> bytes);

    std::optional<std::span<const uint8_t>> find(std::string_view type,
                                                 std::string_view name) const;
    // The names of every entry of one type, in name order.
    std::vector<std::string> names(std::string_view type) const;

  private:
    std::map<std::pair<std::string, std::string>, std::span<const uint8_t>> entries_;
};

}  // namespace resources
