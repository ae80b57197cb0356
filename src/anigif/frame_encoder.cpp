#include "anigif/frame_encoder.h"

#include <algorithm>
#include <array>
#include <memory>

namespace anigif {
namespace {

constexpr std::int32_t kClearCode = 256;
constexpr std::int32_t kEndCode = 257;
constexpr std::int32_t kFirstFreeCode = 258;
constexpr std::int32_t kCodeLimit = 4096;
constexpr std::int32_t kHashSize = 5003;  // a prime
constexpr std::int32_t kHashShift = 4;    // the multiplier 16

// The file being written and the code packer that fills its data sub-blocks.
class GifWriter {
  public:
    explicit GifWriter(std::size_t size) : m_GifOut(size, 0) {}

    std::vector<std::uint8_t> m_GifOut;
    std::int32_t pos = 0;

    void WriteLzwCode(std::int32_t code) {
        if (code < 0) return flush();
        accumulator |= std::uint32_t(code) << bitCount;
        bitCount += codeWidth;
        while (bitCount >= 8) {
            m_SubBlock[std::size_t(fill)] = std::uint8_t(accumulator & 255);
            accumulator >>= 8;
            bitCount -= 8;
            if (fill == 254) {
                m_SubBlock[0] = 254;
                if (std::int64_t(m_GifOut.size()) - 1 < pos + 260) m_GifOut.resize(pos + 513, 0);
                std::copy_n(m_SubBlock.begin(), 255, m_GifOut.begin() + pos);
                pos += 255;
                fill = 0;
            }
            ++fill;
        }
    }
    std::int32_t codeWidth = 9;

  private:
    void flush() {
        if (bitCount != 0) {
            m_SubBlock[std::size_t(fill)] = std::uint8_t(accumulator);
            ++fill;
        }
        if (fill == 1) return;
        m_SubBlock[0] = std::uint8_t(fill - 1);
        if (std::int64_t(m_GifOut.size()) - 1 < pos + fill + 6) m_GifOut.resize(pos + fill + 7, 0);
        std::copy_n(m_SubBlock.begin(), fill, m_GifOut.begin() + pos);
        pos += fill;
    }

    std::array<std::uint8_t, 255> m_SubBlock{};
    std::uint32_t accumulator = 0;
    std::int32_t bitCount = 0;
    std::int32_t fill = 1;
};

// The dictionary: keys pack (pixel, prefix) as pixel * 4096 + prefix; -1 marks an empty slot.
struct HashTable {
    std::array<std::int32_t, kHashSize> keys;
    std::array<std::int32_t, kHashSize> codes{};
    void clear() { keys.fill(-1); }
};

void putWord(std::vector<std::uint8_t>& out, std::int32_t at, std::int32_t value) {
    out[std::size_t(at)] = std::uint8_t(value & 255);
    out[std::size_t(at + 1)] = std::uint8_t((value >> 8) & 255);
}

}  // namespace

std::vector<std::uint8_t> FrameToGifFile(const AniGifState& s, std::int32_t frame) {
    const GifFrameInfo& f = s.gif.frame(frame);
    const QImage& strip = s.m_Strip.image;
    GifWriter w(std::size_t(std::int64_t(f.width) * f.height + 801));
    std::vector<std::uint8_t>& out = w.m_GifOut;

    const char signature[] = "GIF89a";
    std::copy_n(signature, 6, out.begin());
    putWord(out, 6, f.width);
    putWord(out, 8, f.height);
    out[10] = 0x87;
    const GifPalette& palette = s.gif.palettes[std::size_t(f.paletteIndex)];
    const std::int32_t c = std::int32_t(std::min<std::uint32_t>(palette[256], 256));
    for (std::int32_t i = 0; i < c; ++i) {
        out[std::size_t(13 + 3 * i)] = std::uint8_t(palette[std::size_t(i)] >> 16);
        out[std::size_t(14 + 3 * i)] = std::uint8_t(palette[std::size_t(i)] >> 8);
        out[std::size_t(15 + 3 * i)] = std::uint8_t(palette[std::size_t(i)]);
    }
    w.pos = 781;
    if (f.transparent == 1) {
        const std::uint8_t extension[] = {0x21, 0xF9, 0x04, 0x01, 0x00, 0x00, f.transIndex, 0x00};
        std::copy_n(extension, 8, out.begin() + w.pos);
        w.pos += 8;
    }
    out[std::size_t(w.pos)] = 0x2C;
    putWord(out, w.pos + 5, f.width);
    putWord(out, w.pos + 7, f.height);
    out[std::size_t(w.pos + 10)] = 8;
    w.pos += 11;

    auto table = std::make_unique<HashTable>();
    table->clear();
    std::int32_t maxCode = 511, nextCode = kFirstFreeCode;
    w.WriteLzwCode(kClearCode);

    // The frame's rows from the top, its columns from its left edge in the strip.
    auto pixel = [&](std::int32_t x, std::int32_t y) -> std::int32_t {
        const std::int32_t column = f.dataStart + x;
        if (y >= strip.height() || column >= strip.width()) return 0;
        return strip.constScanLine(y)[column];
    };
    std::int32_t prefix = pixel(0, 0);
    bool firstPixel = true;
    for (std::int32_t y = 0; y < f.height; ++y) {
        for (std::int32_t x = 0; x < f.width; ++x) {
            if (firstPixel) {
                firstPixel = false;
                continue;
            }
            const std::int32_t cpix = pixel(x, y);
            const std::int32_t key = cpix * 4096 + prefix;
            std::int32_t i = (cpix << kHashShift) ^ prefix;
            if (table->keys[std::size_t(i)] == key) {
                prefix = table->codes[std::size_t(i)];
                continue;
            }
            bool found = false;
            if (table->keys[std::size_t(i)] >= 0) {
                const std::int32_t step = i == 0 ? 1 : kHashSize - i;
                do {
                    i -= step;
                    if (i < 0) i += kHashSize;
                    if (table->keys[std::size_t(i)] == key) {
                        prefix = table->codes[std::size_t(i)];
                        found = true;
                        break;
                    }
                } while (table->keys[std::size_t(i)] > 0);
            }
            if (found) continue;
            w.WriteLzwCode(prefix);
            prefix = cpix;
            table->codes[std::size_t(i)] = nextCode;
            table->keys[std::size_t(i)] = key;
            if (nextCode > maxCode) {
                if (nextCode == kCodeLimit) {
                    w.WriteLzwCode(kClearCode);
                    table->clear();
                    w.codeWidth = 9;
                    maxCode = 511;
                    nextCode = kEndCode;
                } else {
                    ++w.codeWidth;
                    maxCode = (1 << w.codeWidth) - 1;
                }
            }
            ++nextCode;
        }
    }
    w.WriteLzwCode(prefix);
    w.WriteLzwCode(kEndCode);
    w.WriteLzwCode(-1);
    out.resize(std::size_t(w.pos) + 2);
    out[std::size_t(w.pos)] = 0;
    out[std::size_t(w.pos + 1)] = 0x3B;
    return std::move(out);
}

}  // namespace anigif
