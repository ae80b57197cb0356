#pragma once

#include <QImage>
#include <array>
#include <cstdint>
#include <vector>

#include "anigif/gif_structure.h"
#include "anigif/raster.h"

namespace anigif {

// The frame strip: every frame side by side as indices into its own palette (frame k at columns
// stripX(k) .. stripX(k) + width(k) - 1, top rows), seen through one colour table.
struct FrameStrip {
    QImage image;  // Format_Indexed8; null when there is none
    ColorTable colors{};
    std::int32_t m_StripPalette = -1;  // the palette the colour table holds unchanged, -1 none
};

// The composition canvas of the logical screen (black = see-through) and its mask (255 white =
// see-through, 0 opaque); both null when the GIF needs none, the mask null without one.
struct Canvas {
    QImage pixels;  // Format_RGB32
    QImage mask;    // Format_Grayscale8
    bool exists() const { return !pixels.isNull(); }
};

// Everything a loaded GIF holds between the reader, the strip builder and drawing.
struct AniGifState {
    std::vector<std::uint8_t> m_GifBytes;  // the whole file (position p at [p - 1]); empty: erased
    GifStructure gif;
    FrameStrip m_Strip;
    Canvas m_Canvas;
    ColorTable m_MaskTable{};              // all black
    std::vector<std::uint8_t> m_FrameGif;  // the one-image GIF under construction
    bool deferredDecodePending = false;    // frames 2..n still await their decoding

    std::int32_t m_CurrentFrame = 0;  // 1-based; 0: empty
    std::int32_t m_StretchMode = 1;
    std::int32_t m_MirrorStyle = 0;  // 0..3; 0x20: frame 1 mirrored before the rest exist
};

inline constexpr std::int32_t kMirrorFirstOnlyBit = 0x20;

}  // namespace anigif
