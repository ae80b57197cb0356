#pragma once

#include <QImage>
#include <QRect>
#include <array>
#include <cstdint>

namespace anigif {

// Block transfers with the raster operations the control draws with, on QImages standing in for
// device-independent bitmaps: 8-bit strips (drawn through a colour table of their own), 32-bit
// surfaces (RGB32; black is 0) and 8-bit grey masks (0 black, 255 white).
enum class Rop { SrcCopy, SrcAnd, SrcPaint };

using ColorTable = std::array<std::uint32_t, 256>;  // 0x00RRGGBB per entry

// The source of a transfer: an image and, for an 8-bit strip, the colour table it is seen with.
struct BlitSource {
    const QImage& image;
    const ColorTable* colors = nullptr;  // required for Format_Indexed8
};

// Copies `src` (rectangle `from`) onto `dest` (rectangle `to`) with `rop`. Without stretching
// `to`'s size is taken from `from`'s origin; with stretching the whole of `from` is scaled to
// `to` with area averaging (the halftone mode). Pixels outside either image are left alone.
void Blit(QImage& dest, const QRect& to, const BlitSource& src, const QRect& from, Rop rop,
          bool stretch);

// The see-through transfer of a composed picture: `mask` (grey, white = see-through) ANDed onto
// `dest`, then `pixels` ORed over it, as two Blits would; both sources share one size. Done in
// one sweep when nothing is stretched.
void BlitMasked(QImage& dest, const QRect& to, const QImage& mask, const QImage& pixels,
                const QRect& from, bool stretch);

// Flips a rectangle of an image in place (left-right, top-bottom or both).
void FlipInPlace(QImage& image, const QRect& area, bool leftRight, bool topBottom);

// Fills a rectangle (clipped to the image) with a raw pixel value.
void FillRect(QImage& image, const QRect& area, std::uint32_t value);

// Puts `src` at `at` in `dest` unchanged, clipped; both of one format.
void PutImage(QImage& dest, QPoint at, const QImage& src);

}  // namespace anigif
