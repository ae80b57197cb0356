#include "platform/picture/gif_index_decoder.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>

namespace platform {
namespace {

constexpr int kMaxCodeBits = 12;
constexpr int kCodeLimit = 1 << kMaxCodeBits;  // codes the dictionary can hold
// The largest screen a file may declare; larger ones are refused before anything is written.
constexpr std::int64_t kMaxScreenPixels = std::int64_t(16384) * 16384;

// Reads the file front to back; every read past the end fails.
class ByteCursor {
  public:
    explicit ByteCursor(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::optional<std::uint8_t> byte() {
        if (at_ >= bytes_.size()) return std::nullopt;
        return bytes_[at_++];
    }
    std::optional<int> word() {
        if (bytes_.size() - at_ < 2) return std::nullopt;
        const int value = bytes_[at_] | (bytes_[at_ + 1] << 8);
        at_ += 2;
        return value;
    }
    // The next `n` bytes, or an empty span (and the cursor at the end) when fewer are left.
    std::span<const std::uint8_t> take(std::size_t n) {
        if (bytes_.size() - at_ < n) {
            at_ = bytes_.size();
            return {};
        }
        const auto part = bytes_.subspan(at_, n);
        at_ += n;
        return part;
    }
    // The next data sub-block: empty at its chain's terminator or the end of the file.
    std::span<const std::uint8_t> subBlock() {
        const auto size = byte();
        if (!size || *size == 0) return {};
        const std::size_t n = std::min<std::size_t>(*size, bytes_.size() - at_);
        const auto part = bytes_.subspan(at_, n);
        at_ += n;
        return part;
    }
    void skipSubBlocks() {
        while (!subBlock().empty()) {
        }
    }

  private:
    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
};

// What the blocks before the image say about it.
struct ImageLayout {
    int screenWidth = 0;
    int screenHeight = 0;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool interlaced = false;
    int tableEntries = 0;  // 0: no colour table, nothing is drawn
    int transparentIndex = -1;
    int minimumCodeSize = 0;
    std::span<const std::uint8_t> table;  // the image's colour table, as RGB triples
};

// Reads the header, the screen, the tables and the extensions up to the first image's data.
std::optional<ImageLayout> readLayout(ByteCursor& in) {
    ImageLayout layout;
    if (in.take(6).empty()) return std::nullopt;  // the signature is the caller's concern
    const auto screenWidth = in.word(), screenHeight = in.word();
    const auto screenFlags = in.byte();
    if (!screenWidth || !screenHeight || !screenFlags || in.take(2).empty()) return std::nullopt;
    layout.screenWidth = *screenWidth;
    layout.screenHeight = *screenHeight;
    const int globalEntries = 2 << (*screenFlags & 7);
    const bool globalTable = (*screenFlags & 0x80) != 0;
    std::span<const std::uint8_t> global;
    if (globalTable) {
        global = in.take(std::size_t(3 * globalEntries));
        if (global.empty()) return std::nullopt;
    }
    for (;;) {
        const auto introducer = in.byte();
        if (!introducer) return std::nullopt;
        if (*introducer == '!') {
            const auto label = in.byte();
            if (!label) return std::nullopt;
            if (*label == 0xF9) {
                // The graphic control: its first sub-block holds the flags and the index.
                const auto fields = in.subBlock();
                if (!fields.empty()) {
                    const bool transparent = fields.size() >= 4 && (fields[0] & 1) != 0;
                    layout.transparentIndex = transparent ? fields[3] : -1;
                    in.skipSubBlocks();
                }
            } else {
                in.skipSubBlocks();
            }
            continue;
        }
        if (*introducer != ',') return std::nullopt;  // the trailer, or no block at all
        break;
    }
    const auto left = in.word(), top = in.word(), width = in.word(), height = in.word();
    const auto imageFlags = in.byte();
    if (!left || !top || !width || !height || !imageFlags) return std::nullopt;
    layout.left = *left;
    layout.top = *top;
    layout.width = *width;
    layout.height = *height;
    // A screen far larger than its image is not believed; a missing one is the image's extent.
    if (layout.screenWidth / 10 > std::max(layout.width, 16384)) layout.screenWidth = 0;
    if (layout.screenHeight / 10 > std::max(layout.height, 16384)) layout.screenHeight = 0;
    if (layout.screenWidth == 0) layout.screenWidth = layout.left + layout.width;
    if (layout.screenHeight == 0) layout.screenHeight = layout.top + layout.height;
    if (layout.screenWidth == 0 || layout.screenHeight == 0 ||
        std::int64_t(layout.screenWidth) * layout.screenHeight >= kMaxScreenPixels) {
        return std::nullopt;
    }
    layout.interlaced = (*imageFlags & 0x40) != 0;
    if (*imageFlags & 0x80) {
        layout.tableEntries = 2 << (*imageFlags & 7);
        layout.table = in.take(std::size_t(3 * layout.tableEntries));
        if (layout.table.empty()) return std::nullopt;
    } else {
        layout.tableEntries = globalTable ? globalEntries : 0;
        layout.table = global;
    }
    const auto codeSize = in.byte();
    if (!codeSize || *codeSize > kMaxCodeBits) return std::nullopt;
    layout.minimumCodeSize = *codeSize;
    return layout;
}

// Places decoded pixels row by row (in interlaced order when asked) into the plane.
class RowWriter {
  public:
    RowWriter(const ImageLayout& layout, const IndexPlane& plane) : plane_(plane) {
        left_ = layout.left;
        rowEnd_ = layout.left + layout.width;
        right_ = std::min({rowEnd_, layout.screenWidth, plane.width});
        bottom_ = std::min(layout.top + layout.height, layout.screenHeight) - 1;
        lastRow_ = std::min(bottom_, plane.height - 1);
        interlaced_ = layout.interlaced;
        copyDown_ = layout.interlaced && layout.transparentIndex < 0;
        const int entries = std::min(layout.tableEntries, 256);
        std::fill_n(drawn_.begin(), entries, true);
        std::fill_n(inTable_.begin(), entries, std::uint8_t(1));
        if (layout.transparentIndex >= 0) drawn_[std::size_t(layout.transparentIndex)] = false;
        x_ = left_;
        y_ = layout.top;
        top_ = layout.top;
        if (layout.width == 0) y_ = bottom_ + 1;  // rows of no pixels: nothing to place
        selectRow();
    }

    bool finished() const { return row_ == nullptr && y_ > bottom_; }
    // Pixels of the plane the data gave an index of the colour table (the transparent one
    // included, though not written); copies of interlaced rows are not counted.
    std::int64_t known() const { return known_; }

    // Places a decoded string given back to front: its first pixel is last[-1], then
    // last[-2] and so on for `count` pixels.
    void putReversed(const std::uint16_t* last, std::size_t count) {
        while (count > 0 && !finished()) {
            const int n = int(std::min<std::size_t>(std::size_t(rowEnd_ - x_), count));
            if (row_ != nullptr) {
                // Locals only: the row's bytes may alias anything the compiler cannot see past.
                std::uint8_t* const row = row_;
                const bool* const drawn = drawn_.data();
                const int right = right_;
                int x = x_;
                const std::uint8_t* const inTable = inTable_.data();
                int known = 0;
                for (int i = 1; i <= n; ++i, ++x) {
                    const auto index = std::uint8_t(last[-i]);
                    if (x < right) {
                        if (drawn[index]) row[x] = index;
                        known += inTable[index];
                    }
                }
                known_ += known;
            }
            last -= n;
            count -= std::size_t(n);
            x_ += n;
            if (x_ == rowEnd_) nextRow();
        }
    }

  private:
    struct Pass {
        int start, step, copies;
    };
    static constexpr std::array<Pass, 4> kPasses{{{0, 8, 7}, {4, 8, 3}, {2, 4, 1}, {1, 2, 0}}};

    void selectRow() {
        row_ = y_ <= lastRow_ && x_ < right_ ? plane_.pixels + std::ptrdiff_t(y_) * plane_.stride
                                             : nullptr;
    }

    void nextRow() {
        x_ = left_;
        if (!interlaced_) {
            ++y_;
        } else {
            const Pass& pass = kPasses[std::size_t(pass_)];
            if (copyDown_ && row_ != nullptr) copyDown(std::min(pass.copies, bottom_ - y_));
            y_ += pass.step;
            while (y_ > bottom_ && pass_ < 3) {
                ++pass_;
                y_ = top_ + kPasses[std::size_t(pass_)].start;
            }
        }
        selectRow();
    }

    // Shows row y_ in the rows below it that later passes have yet to fill.
    void copyDown(int copies) {
        const int width = right_ - left_;
        for (int i = 1; i <= copies && y_ + i <= lastRow_; ++i) {
            std::memcpy(row_ + std::ptrdiff_t(i) * plane_.stride + left_, row_ + left_,
                        std::size_t(width));
        }
    }

    IndexPlane plane_;
    std::array<bool, 256> drawn_{};
    std::uint8_t* row_ = nullptr;
    int left_ = 0, top_ = 0, rowEnd_ = 0, right_ = 0, bottom_ = 0, lastRow_ = 0;
    int x_ = 0, y_ = 0;
    bool interlaced_ = false, copyDown_ = false;
    int pass_ = 0;
    std::array<std::uint8_t, 256> inTable_{};
    std::int64_t known_ = 0;
};

// The variable-length code decompressor feeding a row writer.
class LzwDecoder {
  public:
    LzwDecoder(int minimumCodeSize, RowWriter& out)
        : minimumCodeSize_(minimumCodeSize), clear_(1 << minimumCodeSize), out_(out) {
        // Only the roots need values: every longer code is defined before it may be read.
        for (int i = 0; i < clear_; ++i) suffix_[std::size_t(i)] = std::uint16_t(i);
        suffix_[std::size_t(clear_)] = suffix_[std::size_t(clear_ + 1)] = 0;
        resetCodes();
    }

    // Feeds one sub-block; false once the data has ended or turned out broken.
    bool feed(std::span<const std::uint8_t> block) {
        for (const std::uint8_t byte : block) {
            accumulator_ |= std::uint32_t(byte) << bits_;
            bits_ += 8;
            while (bits_ >= codeSize_) {
                const int code = int(accumulator_ & ((1u << codeSize_) - 1));
                accumulator_ >>= codeSize_;
                bits_ -= codeSize_;
                if (!take(code)) return false;
            }
        }
        return true;
    }

  private:
    void resetCodes() {
        codeSize_ = minimumCodeSize_ + 1;
        nextCode_ = clear_ + 2;
        growAt_ = 2 * clear_;
    }

    bool take(int code) {
        if (code == clear_) {
            resetCodes();
            needFirst_ = true;
            return true;
        }
        if (code == clear_ + 1) return false;  // the end of the data
        if (needFirst_) {
            // Nothing is defined yet but the roots: any other code is a broken stream, whose
            // low bits would otherwise be drawn as an index.
            if (code >= clear_) return false;
            first_ = previous_ = code;
            const auto only = std::uint16_t(code);
            out_.putReversed(&only + 1, 1);
            needFirst_ = false;
            return !out_.finished();
        }
        const int incoming = code;
        std::size_t depth = 0;
        // Only the code about to be defined may be read before its definition, and only while
        // the dictionary has room for it.
        if (code > nextCode_ || (code == nextCode_ && nextCode_ >= kCodeLimit)) return false;
        if (code == nextCode_) {
            // The string just being defined: the previous one and its own first index.
            stack_[depth++] = std::uint16_t(first_);
            code = previous_;
        }
        while (code >= clear_ + 2) {
            if (code >= nextCode_ || prefix_[std::size_t(code)] == code ||
                depth >= stack_.size() - 1) {
                return false;  // a code not yet defined, or a chain that never ends
            }
            stack_[depth++] = suffix_[std::size_t(code)];
            code = prefix_[std::size_t(code)];
        }
        first_ = suffix_[std::size_t(code)];
        stack_[depth++] = std::uint16_t(first_);
        if (nextCode_ < kCodeLimit) {
            prefix_[std::size_t(nextCode_)] = std::uint16_t(previous_);
            suffix_[std::size_t(nextCode_)] = std::uint16_t(first_);
            if (++nextCode_ >= growAt_ && growAt_ < kCodeLimit) {
                growAt_ *= 2;
                ++codeSize_;
            }
        }
        previous_ = incoming;
        out_.putReversed(stack_.data() + depth, depth);
        return !out_.finished();
    }

    const int minimumCodeSize_;
    const int clear_;
    RowWriter& out_;
    // Two spare slots: with 12-bit minimum codes the clear and end codes sit past the dictionary.
    // Left uninitialised on purpose (see the constructor): a decoder is made for every image.
    std::array<std::uint16_t, kCodeLimit + 2> prefix_;
    std::array<std::uint16_t, kCodeLimit + 2> suffix_;
    std::array<std::uint16_t, 2 * kCodeLimit + 2> stack_;
    std::uint32_t accumulator_ = 0;
    int bits_ = 0;
    int codeSize_ = 0, nextCode_ = 0, growAt_ = 0;
    int first_ = 0, previous_ = 0;
    bool needFirst_ = true;
};

}  // namespace

namespace {

GifDecoding decodeIndices(std::span<const std::uint8_t> file, const IndexPlane& plane) {
    ByteCursor in(file);
    const std::optional<ImageLayout> layout = readLayout(in);
    if (!layout) return GifDecoding::Refused;
    if (plane.pixels == nullptr || plane.width <= 0 || plane.height <= 0)
        return GifDecoding::Partial;
    RowWriter rows(*layout, plane);
    LzwDecoder decoder(layout->minimumCodeSize, rows);
    for (auto block = in.subBlock(); !block.empty(); block = in.subBlock()) {
        if (!decoder.feed(block)) break;
    }
    const bool wholeScreen = layout->left == 0 && layout->top == 0 &&
                             layout->width == layout->screenWidth &&
                             layout->height == layout->screenHeight &&
                             plane.width == layout->width && plane.height == layout->height;
    const bool whole = wholeScreen && rows.finished() &&
                       rows.known() == std::int64_t(layout->width) * layout->height;
    return whole ? GifDecoding::Whole : GifDecoding::Partial;
}

}  // namespace

bool DecodeGifIndices(std::span<const std::uint8_t> file, const IndexPlane& plane) {
    return decodeIndices(file, plane) != GifDecoding::Refused;
}

GifDecoding DecodeWholeGifIndices(std::span<const std::uint8_t> file, const IndexPlane& plane) {
    return decodeIndices(file, plane);
}

std::optional<GifImageInfo> ReadGifImageInfo(std::span<const std::uint8_t> file) {
    ByteCursor in(file);
    const std::optional<ImageLayout> layout = readLayout(in);
    if (!layout) return std::nullopt;
    return GifImageInfo{layout->screenWidth, layout->screenHeight, layout->transparentIndex,
                        layout->table};
}

}  // namespace platform
