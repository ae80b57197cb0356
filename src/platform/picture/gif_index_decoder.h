#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace platform {

// An 8-bit plane the decoder writes colour indices into: `width` x `height` pixels, rows
// `stride` bytes apart. The plane is the caller's; the decoder never writes outside it.
struct IndexPlane {
    std::uint8_t* pixels = nullptr;
    std::ptrdiff_t stride = 0;
    int width = 0;
    int height = 0;
};

// Decodes the first image of a GIF file into `plane` as colour indices, without colours: the
// image lands at its place on the logical screen, clipped to the screen and to the plane.
//
// Pixels are left as they are where no code reaches them (data cut short or broken off at a
// fault), where the index lies outside the image's colour table (or there is no table) and where
// the index is the graphic control's transparent one; the plane should start cleared. As a
// progressive decoder does, each row of an interlaced image without transparency is copied down
// over the rows its later passes fill, so a cut-short image shows blocks rather than gaps.
//
// False, with nothing written, when the file holds no image or its header, image descriptor or
// code size is unusable; a fault inside the image data (a code naming nothing defined yet, a
// first code that is not a colour index) keeps the pixels decoded before it.
bool DecodeGifIndices(std::span<const std::uint8_t> file, const IndexPlane& plane);

enum class GifDecoding {
    Refused,  // as DecodeGifIndices' false
    Partial,  // some pixels decoded, but not every one of the screen
    Whole,    // the image fills the screen and the plane, and the data gave every pixel
};

// As DecodeGifIndices, telling whether the plane now holds the whole picture: every pixel had an
// index of the colour table from the data, none was left by a cut, a fault or an index outside
// the table. Transparent pixels count as decoded: they keep what the plane held.
GifDecoding DecodeWholeGifIndices(std::span<const std::uint8_t> file, const IndexPlane& plane);

// What the blocks before the first image say of its colours.
struct GifImageInfo {
    int screenWidth = 0;
    int screenHeight = 0;
    int transparentIndex = -1;                  // -1: none
    std::span<const std::uint8_t> colourTable;  // RGB triples; empty: the image has none
};

// Nullopt where DecodeGifIndices would refuse the file.
std::optional<GifImageInfo> ReadGifImageInfo(std::span<const std::uint8_t> file);

}  // namespace platform
