#include "prop_work_input.h"

#include "support/sample_chests.h"

namespace fuzzing {

namespace {

constexpr std::uint8_t kWholeFrame = 255;

// Reads the input front to back; past its end every byte reads as 0.
class Cursor {
  public:
    Cursor(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool atEnd() const { return at_ >= size_; }
    std::uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
    std::int32_t int32() {
        std::uint32_t v = 0;
        for (int k = 0; k < 4; ++k) v |= std::uint32_t(byte()) << (8 * k);
        return std::int32_t(v);
    }
    char16_t unit() {
        const std::uint16_t low = byte();
        return char16_t(low | std::uint16_t(byte()) << 8);
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

void PutInt32(std::vector<std::uint8_t>& out, std::int32_t value) {
    for (int k = 0; k < 4; ++k) out.push_back(std::uint8_t(std::uint32_t(value) >> (8 * k)));
}

}  // namespace

PropWorkInput ReadPropWorkInput(const std::uint8_t* data, std::size_t size) {
    PropWorkInput input;
    Cursor in(data, size);
    const std::uint8_t settings = in.byte();
    input.state = TableState((settings & 7) % TableStateCount);
    input.chests = (settings & 0x08) != 0;
    input.oneByOne = (settings & 0x10) != 0;
    input.announceExtra = (settings & 0x20) != 0;
    while (!in.atEnd()) {
        PropWorkInputItem item;
        item.type = std::int8_t(in.byte());
        item.text.resize(in.byte());
        for (char16_t& unit : item.text) unit = in.unit();
        const std::uint8_t count = in.byte();
        if (count != 0) {
            item.bytes.emplace(count == kWholeFrame ? state::FrameSize : count);
            for (std::uint8_t& b : *item.bytes) b = in.byte();
        }
        item.rect.resize(in.byte() % 8);
        for (std::int32_t& v : item.rect) v = in.int32();
        item.style.resize(in.byte() % 8);
        for (std::int32_t& v : item.style) v = in.int32();
        input.items.push_back(std::move(item));
    }
    return input;
}

std::vector<std::uint8_t> WritePropWorkInput(std::uint8_t settings,
                                             const std::vector<PropWorkInputItem>& items) {
    std::vector<std::uint8_t> out{settings};
    for (const PropWorkInputItem& item : items) {
        out.push_back(std::uint8_t(std::int8_t(item.type)));
        out.push_back(std::uint8_t(item.text.size()));
        for (char16_t unit : item.text) {
            out.push_back(std::uint8_t(unit));
            out.push_back(std::uint8_t(unit >> 8));
        }
        const std::size_t count = item.bytes ? item.bytes->size() : 0;
        out.push_back(count == state::FrameSize ? kWholeFrame : std::uint8_t(count));
        if (item.bytes) out.insert(out.end(), item.bytes->begin(), item.bytes->end());
        out.push_back(std::uint8_t(item.rect.size()));
        for (std::int32_t v : item.rect) PutInt32(out, v);
        out.push_back(std::uint8_t(item.style.size()));
        for (std::int32_t v : item.style) PutInt32(out, v);
    }
    return out;
}

void FillWorkItem(const PropWorkInputItem& from, props::PropWorkItem& item) {
    item.g_nPropWorkType = from.type;
    item.g_sPropText = QString::fromUtf16(from.text.data(), qsizetype(from.text.size()));
    if (from.bytes) item.g_aPropBytes = *from.bytes;
    item.g_aPropRect = from.rect;
    item.g_aPropStyle = from.style;
}

props::BaoInfo SampleChestLayout() {
    return support::SampleChests();
}

}  // namespace fuzzing
