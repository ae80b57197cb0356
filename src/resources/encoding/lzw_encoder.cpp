#include "resources/encoding/lzw_encoder.h"

#include <array>
#include <cassert>
#include <memory>

namespace resources {
namespace {

constexpr int kMaxCodeBits = 12;
constexpr int kTableLimit = 1 << kMaxCodeBits;

class BitWriter {
  public:
    explicit BitWriter(std::vector<uint8_t>& out) : out_(out) {}
    void write(unsigned code, int width) {
        pending_ |= uint32_t(code) << pendingBits_;
        pendingBits_ += width;
        while (pendingBits_ >= 8) {
            out_.push_back(uint8_t(pending_ & 0xff));
            pending_ >>= 8;
            pendingBits_ -= 8;
        }
    }
    void flush() {
        if (pendingBits_ > 0) out_.push_back(uint8_t(pending_ & 0xff));
        pending_ = 0;
        pendingBits_ = 0;
    }

  private:
    std::vector<uint8_t>& out_;
    uint32_t pending_ = 0;
    int pendingBits_ = 0;
};

// The string table as an open-addressing hash from (prefix code, next index) to its code. The
// table never holds more than 4096 entries, so 8192 slots keep probe runs short.
class StringTable {
  public:
    void clear() { keys_.fill(kEmpty); }
    int find(unsigned prefix, uint8_t next) const {
        const uint32_t key = (uint32_t(prefix) << 8) | next;
        for (uint32_t slot = hash(key);; slot = (slot + 1) & kMask) {
            if (keys_[slot] == kEmpty) return -1;
            if (keys_[slot] == key) return codes_[slot];
        }
    }
    void add(unsigned prefix, uint8_t next, int code) {
        const uint32_t key = (uint32_t(prefix) << 8) | next;
        uint32_t slot = hash(key);
        while (keys_[slot] != kEmpty) slot = (slot + 1) & kMask;
        keys_[slot] = key;
        codes_[slot] = uint16_t(code);
    }

  private:
    static constexpr uint32_t kSlots = 8192;
    static constexpr uint32_t kMask = kSlots - 1;
    static constexpr uint32_t kEmpty = 0xffffffffu;
    static uint32_t hash(uint32_t key) { return (key * 2654435761u) >> 19; }
    std::array<uint32_t, kSlots> keys_{};
    std::array<uint16_t, kSlots> codes_{};
};

}  // namespace

std::vector<uint8_t> lzwEncode(std::span<const uint8_t> indices, int minCodeSize) {
    assert(minCodeSize >= 2 && minCodeSize <= 8);
    const unsigned clearCode = 1u << minCodeSize;
    const unsigned endCode = clearCode + 1;

    std::vector<uint8_t> out;
    out.reserve(indices.size() / 2 + 16);
    BitWriter bits(out);
    auto table = std::make_unique<StringTable>();
    table->clear();
    int width = minCodeSize + 1;
    int nextCode = int(endCode) + 1;
    bits.write(clearCode, width);

    if (!indices.empty()) {
        unsigned prefix = indices[0];
        for (size_t i = 1; i < indices.size(); ++i) {
            const uint8_t next = indices[i];
            if (const int known = table->find(prefix, next); known >= 0) {
                prefix = unsigned(known);
                continue;
            }
            bits.write(prefix, width);
            if (nextCode < kTableLimit) {
                table->add(prefix, next, nextCode++);
                // The decoder adds each entry one code later than we do, so it widens its codes
                // when our table has grown one past the current width's range.
                if (nextCode > (1 << width) && width < kMaxCodeBits) ++width;
            } else {
                bits.write(clearCode, width);
                table->clear();
                width = minCodeSize + 1;
                nextCode = int(endCode) + 1;
            }
            prefix = next;
        }
        bits.write(prefix, width);
        // The decoder still adds an entry for that last code before it reads the end code.
        if (nextCode == (1 << width) && width < kMaxCodeBits) ++width;
    }
    bits.write(endCode, width);
    bits.flush();
    return out;
}

}  // namespace resources
