#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace anigif {

// The GIF's overall size (the smallest rectangle from the origin holding every image), its loop
// count (0 endless) and the drawing ratios.
struct GifScreen {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t loops = 0;
    float scaleX = 0;
    float scaleY = 0;
};

struct GifFrameInfo {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t delay = 0;  // milliseconds
    std::int32_t paletteIndex = 0;
    // Position (1-based) of the image's first byte while reading; its left edge in the strip
    // once decoded.
    std::int32_t dataStart = 0;
    std::uint8_t transIndex = 0;
    std::uint8_t transparent = 0;
    std::uint8_t disposal = 0;
};

// Where an image's bytes lie: from its separator through its data's block terminator.
struct GifImageSpan {
    std::int32_t length = 0;
    std::int32_t start = 0;  // 1-based
};

// One colour table: entries 0..255 as red * 65536 + green * 256 + blue (a bitmap colour table's
// layout), entry 256 the colour count.
using GifPalette = std::array<std::uint32_t, 257>;

// What the structure scan records. Frames and spans are held 0-based: frame k is frames[k - 1].
struct GifStructure {
    std::vector<GifFrameInfo> frames;
    std::vector<GifImageSpan> spans;
    std::vector<GifPalette> palettes;  // column 0 the global table, k the k-th local one
    std::int32_t paletteCount = 0;
    GifScreen screen;

    GifFrameInfo& frame(std::int32_t k) { return frames[std::size_t(k - 1)]; }
    const GifFrameInfo& frame(std::int32_t k) const { return frames[std::size_t(k - 1)]; }
    std::int32_t frameCount() const { return std::int32_t(frames.size()); }
};

// Walks a whole GIF file and records every image, every colour table and the loop count; the
// image data is not decoded. Returns the number of images recorded (0: not a usable GIF). A file
// cut short keeps the images before the cut.
std::int32_t ScanGifStructure(std::span<const std::uint8_t> gifBytes, GifStructure& out);

// Byte length of one bitmap row, padded to a multiple of 4.
std::int32_t ScanlineBytes(std::uint8_t bitsPerPixel, std::int32_t width);

}  // namespace anigif
