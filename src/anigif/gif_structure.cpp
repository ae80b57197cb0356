#include "anigif/gif_structure.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace anigif {
namespace {

constexpr std::int32_t kMaxImages = 32767;  // images are counted in a 16-bit counter

// The readers' "End of File": it ends the walk quietly with the images recorded so far.
struct EndOfFile {};

// The scan's readers, working at m_ReadPos (1-based) over the whole file.
class GifReader {
  public:
    explicit GifReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::int64_t m_ReadPos = 1;
    std::vector<std::uint8_t> m_Scratch;

    std::uint8_t ReadGifByte() {
        if (m_ReadPos > last()) throw EndOfFile{};
        return bytes_[std::size_t(m_ReadPos++ - 1)];
    }
    // Unsigned here: every caller takes the value unsigned.
    std::int32_t ReadGifWord() {
        if (m_ReadPos + 1 > last()) throw EndOfFile{};
        const std::size_t at = std::size_t(m_ReadPos - 1);
        m_ReadPos += 2;
        return bytes_[at] | (bytes_[at + 1] << 8);
    }
    // Too few bytes left: the scratch stays zero and the position where it was.
    void ReadGifBytes(std::int32_t n) {
        m_Scratch.assign(std::size_t(n), 0);
        if (m_ReadPos + n - 1 > last()) return;
        std::copy_n(bytes_.begin() + (m_ReadPos - 1), n, m_Scratch.begin());
        m_ReadPos += n;
    }
    void ReadGifPalette(GifStructure& gif, std::int32_t index, std::int32_t tableBits) {
        if (std::int32_t(gif.palettes.size()) < index + 1) {
            gif.palettes.resize(std::size_t(index + 1), GifPalette{});
        }
        const std::int32_t count = 1 << tableBits;
        if (m_ReadPos + 3 * count - 1 > last()) throw EndOfFile{};
        GifPalette& column = gif.palettes[std::size_t(index)];
        for (std::int32_t i = 0; i < count; ++i) {
            const std::size_t at = std::size_t(m_ReadPos - 1);
            column[std::size_t(i)] = (bytes_[at] << 16) | (bytes_[at + 1] << 8) | bytes_[at + 2];
            m_ReadPos += 3;
        }
        column[256] = std::uint32_t(count);
    }
    // Passes a chain of sub-blocks and its terminator; one that runs past the end is no error.
    void SkipSubBlocks() {
        while (m_ReadPos <= last()) {
            const std::uint8_t size = bytes_[std::size_t(m_ReadPos - 1)];
            if (size == 0) break;
            m_ReadPos += size + 1;
        }
        m_ReadPos += 1;
    }
    std::string scratchText(int (*fold)(int)) const {
        std::string text;
        for (std::uint8_t byte : m_Scratch) text += char(fold(byte));
        return text;
    }

  private:
    std::int64_t last() const { return std::int64_t(bytes_.size()); }
    std::span<const std::uint8_t> bytes_;
};

}  // namespace

std::int32_t ScanGifStructure(std::span<const std::uint8_t> gifBytes, GifStructure& out) {
    out = GifStructure{};
    GifReader r(gifBytes);
    std::int32_t counter = 0;
    try {
        r.ReadGifBytes(6);
        const std::string signature = r.scratchText(::tolower);
        if (signature != "gif89a" && signature != "gif87a") return 0;
        r.m_ReadPos = 11;
        const std::uint8_t screenPacked = r.ReadGifByte();
        r.m_ReadPos = 14;
        bool hasGlobalTable = false;
        if (screenPacked & 0x80) {
            r.ReadGifPalette(out, 0, (screenPacked & 7) + 1);
            hasGlobalTable = true;
        }
        GifFrameInfo pending;
        for (;;) {
            const std::uint8_t block = r.ReadGifByte();
            if (block == 0) continue;
            if (block == 33) {
                const std::uint8_t label = r.ReadGifByte();
                if (label == 255) {
                    r.ReadGifBytes(r.ReadGifByte());
                    if (r.scratchText(::toupper) == "NETSCAPE2.0") {
                        if (r.ReadGifByte() == 3) {
                            r.m_ReadPos += 1;
                            out.screen.loops = r.ReadGifWord();
                        } else {
                            r.m_ReadPos -= 1;
                        }
                    }
                    r.SkipSubBlocks();
                } else if (label == 249) {
                    pending = GifFrameInfo{};
                    pending.dataStart = std::int32_t(r.m_ReadPos - 2);
                    r.ReadGifByte();  // the block size is not used
                    const std::uint8_t p = r.ReadGifByte();
                    pending.disposal = (p >> 2) & 7;
                    if (pending.disposal > 3) pending.disposal = 0;
                    if (pending.disposal == 3 && counter == 0) pending.disposal = 0;
                    pending.delay = r.ReadGifWord() * 10;
                    pending.transparent = p & 1;
                    if (pending.transparent == 1) {
                        pending.transIndex = r.ReadGifByte();
                    } else {
                        r.m_ReadPos = pending.dataStart + 7;
                    }
                    r.SkipSubBlocks();
                } else {
                    r.SkipSubBlocks();
                }
            } else if (block == 44) {
                if (counter == kMaxImages) break;
                if (std::int32_t(out.spans.size()) < counter + 1) out.spans.resize(counter + 1);
                GifImageSpan& span = out.spans[std::size_t(counter)];
                span.start = std::int32_t(r.m_ReadPos - 1);
                if (pending.dataStart == 0) pending.dataStart = span.start;
                pending.left = r.ReadGifWord();
                pending.top = r.ReadGifWord();
                pending.width = r.ReadGifWord();
                pending.height = r.ReadGifWord();
                const std::uint8_t p = r.ReadGifByte();
                if (p & 0x80) {
                    pending.paletteIndex = out.paletteCount + 1;
                    r.ReadGifPalette(out, pending.paletteIndex, (p & 7) + 1);
                    out.paletteCount = pending.paletteIndex;
                } else if (!hasGlobalTable) {
                    out = GifStructure{};
                    return 0;
                }
                r.ReadGifByte();  // the LZW minimum code size travels with the image
                r.SkipSubBlocks();
                ++counter;
                span.length = std::int32_t(r.m_ReadPos - span.start);
                if (span.length < 3) {
                    --counter;
                } else {
                    out.frames.push_back(pending);
                    out.screen.width = std::max(out.screen.width, pending.left + pending.width);
                    out.screen.height = std::max(out.screen.height, pending.top + pending.height);
                }
                pending = GifFrameInfo{};
            } else {
                break;  // the trailer, or anything else where a block should start
            }
        }
    } catch (const EndOfFile&) {
    }
    out.spans.resize(std::size_t(counter));
    return counter;
}

std::int32_t ScanlineBytes(std::uint8_t bitsPerPixel, std::int32_t width) {
    return ((width * bitsPerPixel + 31) & ~31) / 8;
}

}  // namespace anigif
