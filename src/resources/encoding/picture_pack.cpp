#include "resources/encoding/picture_pack.h"

#include <algorithm>
#include <cctype>

namespace resources {
namespace {

constexpr std::string_view kMagic = "KPK1";

std::string upperAscii(std::string_view text) {
    std::string result(text);
    for (char& ch : result) ch = char(std::toupper(static_cast<unsigned char>(ch)));
    return result;
}

void putU32(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(uint8_t(value >> shift));
}

void putShortText(std::vector<uint8_t>& out, std::string_view text) {
    out.push_back(uint8_t(text.size()));
    out.insert(out.end(), text.begin(), text.end());
}

// Reads the pack front to back; every read checks that the bytes are there.
class Reader {
  public:
    explicit Reader(std::span<const uint8_t> bytes) : bytes_(bytes) {}
    std::optional<uint32_t> u32() {
        if (bytes_.size() - at_ < 4) return std::nullopt;
        uint32_t value = 0;
        for (int i = 3; i >= 0; --i) value = (value << 8) | bytes_[at_ + size_t(i)];
        at_ += 4;
        return value;
    }
    std::optional<std::string> shortText() {
        if (at_ >= bytes_.size()) return std::nullopt;
        const size_t length = bytes_[at_++];
        if (bytes_.size() - at_ < length) return std::nullopt;
        std::string text(reinterpret_cast<const char*>(bytes_.data() + at_), length);
        at_ += length;
        return text;
    }

  private:
    std::span<const uint8_t> bytes_;
    size_t at_ = 0;
};

}  // namespace

void PicturePackWriter::add(std::string_view type, std::string_view name,
                            std::vector<uint8_t> data) {
    entries_[{upperAscii(type.substr(0, 255)), std::string(name.substr(0, 255))}] = std::move(data);
}

std::vector<uint8_t> PicturePackWriter::finish() const {
    size_t indexSize = kMagic.size() + 4;
    for (const auto& [key, data] : entries_)
        indexSize += 2 + key.first.size() + key.second.size() + 8;

    std::vector<uint8_t> out(kMagic.begin(), kMagic.end());
    putU32(out, uint32_t(entries_.size()));
    size_t offset = indexSize;
    for (const auto& [key, data] : entries_) {
        putShortText(out, key.first);
        putShortText(out, key.second);
        putU32(out, uint32_t(offset));
        putU32(out, uint32_t(data.size()));
        offset += data.size();
    }
    for (const auto& [key, data] : entries_) out.insert(out.end(), data.begin(), data.end());
    return out;
}

std::optional<PicturePack> PicturePack::parse(std::span<const uint8_t> bytes) {
    if (bytes.size() < kMagic.size() || !std::equal(kMagic.begin(), kMagic.end(), bytes.begin()))
        return std::nullopt;
    Reader reader(bytes.subspan(kMagic.size()));
    const auto count = reader.u32();
    if (!count) return std::nullopt;
    PicturePack pack;
    for (uint32_t i = 0; i < *count; ++i) {
        auto type = reader.shortText();
        auto name = reader.shortText();
        const auto offset = reader.u32();
        const auto length = reader.u32();
        if (!type || !name || !offset || !length) return std::nullopt;
        if (*offset > bytes.size() || *length > bytes.size() - *offset) return std::nullopt;
        pack.entries_[{upperAscii(*type), std::move(*name)}] = bytes.subspan(*offset, *length);
    }
    return pack;
}

std::optional<std::span<const uint8_t>> PicturePack::find(std::string_view type,
                                                          std::string_view name) const {
    const auto it = entries_.find({upperAscii(type), std::string(name)});
    if (it == entries_.end()) return std::nullopt;
    return it->second;
}

std::vector<std::string> PicturePack::names(std::string_view type) const {
    const std::string wanted = upperAscii(type);
    std::vector<std::string> result;
    for (const auto& [key, data] : entries_)
        if (key.first == wanted) result.push_back(key.second);
    return result;
}

}  // namespace resources
