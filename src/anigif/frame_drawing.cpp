#include "anigif/frame_drawing.h"

#include <algorithm>

#include "anigif/frame_strip.h"
#include "platform/runtime/conversions.h"

namespace anigif {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFFu;
constexpr std::uint32_t kBlackPixel = 0xFF000000u;

std::int32_t scaled(float scale, std::int32_t length) {
    return std::int32_t(platform::roundHalfEven(double(scale) * length));
}

const GifPalette& paletteOf(const AniGifState& s, const GifFrameInfo& f) {
    static const GifPalette kNone{};
    const auto index = std::size_t(f.paletteIndex);
    return index < s.gif.palettes.size() ? s.gif.palettes[index] : kNone;
}

std::int32_t colourCount(const GifPalette& palette) {
    return std::int32_t(std::min<std::uint32_t>(palette[256], 256));
}

// SetDIBColorTable on the strip: the first `count` entries.
void setStripColors(AniGifState& s, const std::uint32_t* colors, std::int32_t count) {
    std::copy_n(colors, count, s.m_Strip.colors.begin());
}

// The strip's colour table for a mask of frame f: its see-through index white, all else black.
void loadMaskColors(AniGifState& s, const GifFrameInfo& f, bool transparent) {
    const std::int32_t c = colourCount(paletteOf(s, f));
    if (transparent) s.m_MaskTable[f.transIndex] = kWhite;
    setStripColors(s, s.m_MaskTable.data(), c);
    if (transparent) s.m_MaskTable[f.transIndex] = 0;
}

QRect slotOf(const GifFrameInfo& f) {
    return QRect(f.dataStart, 0, f.width, f.height);
}

}  // namespace

void CreateCanvasDIB(AniGifState& s, bool withMask) {
    const std::int64_t pixels = std::int64_t(s.gif.screen.width) * s.gif.screen.height;
    if (pixels < 1 || pixels > kMaxSurfacePixels) return;  // unnoticed: drawn without a canvas
    s.m_Canvas.pixels = QImage(s.gif.screen.width, s.gif.screen.height, QImage::Format_RGB32);
    s.m_Canvas.pixels.fill(kBlackPixel);
    if (withMask) {
        s.m_Canvas.mask =
            QImage(s.gif.screen.width, s.gif.screen.height, QImage::Format_Grayscale8);
        s.m_Canvas.mask.fill(0);
    }
}

void DrawFrame(AniGifState& s, std::int32_t frame, QImage& dest, bool stretch, const QRect& rect) {
    if (rect.width() < 1 || rect.height() < 1) return;
    if (frame < 0) {
        const QRect whole(0, 0, s.gif.screen.width, s.gif.screen.height);
        if (s.m_Canvas.mask.isNull()) {
            Blit(dest, rect, BlitSource{s.m_Canvas.pixels}, whole, Rop::SrcCopy, stretch);
            return;
        }
        BlitMasked(dest, rect, s.m_Canvas.mask, s.m_Canvas.pixels, whole, stretch);
        return;
    }
    const GifFrameInfo& f = s.gif.frame(frame);
    const GifPalette& palette = paletteOf(s, f);
    const std::int32_t c = colourCount(palette);
    const bool transparent = f.transparent == 1;
    const BlitSource strip{s.m_Strip.image, &s.m_Strip.colors};
    Rop colourPass = Rop::SrcCopy;
    if (transparent) {
        loadMaskColors(s, f, true);
        Blit(dest, rect, strip, slotOf(f), Rop::SrcAnd, stretch);
        colourPass = Rop::SrcPaint;
    }
    if (transparent || f.paletteIndex != s.m_Strip.m_StripPalette) {
        setStripColors(s, palette.data(), c);
        if (transparent && f.transIndex < c) s.m_Strip.colors[f.transIndex] = 0;
        s.m_Strip.m_StripPalette = transparent ? -1 : f.paletteIndex;
    }
    Blit(dest, rect, strip, slotOf(f), colourPass, stretch);
}

bool PaintCurrentFrame(AniGifState& s, std::int32_t frame, QImage& dest) {
    if (frame == 0) return false;
    const GifScreen& screen = s.gif.screen;
    const bool stretch = screen.scaleX != 1.0f || screen.scaleY != 1.0f;
    const GifFrameInfo& f = s.gif.frame(frame);
    if (!s.m_Canvas.exists()) {
        DrawFrame(s, frame, dest, stretch,
                  QRect(scaled(screen.scaleX, f.left), scaled(screen.scaleY, f.top),
                        scaled(screen.scaleX, f.width), scaled(screen.scaleY, f.height)));
        return true;
    }
    QImage savedMask, savedPixels;
    ComposeFrame(s, frame, false, savedMask, savedPixels);
    DrawFrame(s, frame, s.m_Canvas.pixels, false, QRect(f.left, f.top, f.width, f.height));
    DrawFrame(
        s, -frame, dest, stretch,
        QRect(0, 0, scaled(screen.scaleX, screen.width), scaled(screen.scaleY, screen.height)));
    if (f.disposal == 2 || f.disposal == 3) ComposeFrame(s, frame, true, savedMask, savedPixels);
    return true;
}

void ComposeFrame(AniGifState& s, std::int32_t frame, bool afterDraw, QImage& savedMask,
                  QImage& savedPixels) {
    const GifFrameInfo& f = s.gif.frame(frame);
    const QRect area(f.left, f.top, f.width, f.height);
    Canvas& canvas = s.m_Canvas;
    const bool withMask = !canvas.mask.isNull();
    if (!afterDraw) {
        if (frame == 1) {
            canvas.pixels.fill(kBlackPixel);
            if (withMask) canvas.mask.fill(0xFF);
        }
        if (f.disposal == 3) {
            savedPixels = canvas.pixels.copy(area);
            if (withMask) savedMask = canvas.mask.copy(area);
        }
        if (withMask) {
            const bool transparent = f.transparent == 1;
            loadMaskColors(s, f, transparent);
            Blit(canvas.mask, area, BlitSource{s.m_Strip.image, &s.m_Strip.colors}, slotOf(f),
                 transparent ? Rop::SrcAnd : Rop::SrcCopy, false);
            s.m_Strip.m_StripPalette = -1;
        }
        return;
    }
    if (f.disposal == 2) {
        FillRect(canvas.pixels, area, kBlackPixel);
        if (withMask) FillRect(canvas.mask, area, 0xFF);
    } else if (f.disposal == 3) {
        if (!savedPixels.isNull()) PutImage(canvas.pixels, area.topLeft(), savedPixels);
        if (withMask && !savedMask.isNull()) PutImage(canvas.mask, area.topLeft(), savedMask);
    }
}

void ApplyMirror(AniGifState& s, std::int32_t fromStyle, bool firstOnly, bool alsoCanvas) {
    std::int32_t first = 1;
    if (s.m_MirrorStyle & kMirrorFirstOnlyBit) {
        s.m_MirrorStyle &= ~kMirrorFirstOnlyBit;
        first = 2;
    }
    const std::int32_t flip = (fromStyle ^ s.m_MirrorStyle) & 3;
    if (flip == 0) return;
    const bool leftRight = flip & 1, topBottom = flip & 2;
    const std::int32_t last = firstOnly ? 1 : s.gif.frameCount();
    GifScreen& screen = s.gif.screen;
    for (std::int32_t k = first; k <= last; ++k) {
        GifFrameInfo& f = s.gif.frame(k);
        FlipInPlace(s.m_Strip.image, slotOf(f), leftRight, topBottom);
        if (leftRight) f.left = screen.width - (f.left + f.width);
        if (topBottom) f.top = screen.height - (f.top + f.height);
    }
    if (alsoCanvas && s.m_Canvas.exists()) {
        const QRect whole(0, 0, screen.width, screen.height);
        FlipInPlace(s.m_Canvas.pixels, whole, leftRight, topBottom);
        if (!s.m_Canvas.mask.isNull()) FlipInPlace(s.m_Canvas.mask, whole, leftRight, topBottom);
    }
}

void CalcStretch(AniGifState& s, std::int32_t& w, std::int32_t& h, float& scaleX, float& scaleY) {
    if (s.m_CurrentFrame == 0) return;
    const GifScreen& screen = s.gif.screen;
    switch (s.m_StretchMode) {
        case 0:
            scaleX = scaleY = 1.0f;
            w = std::min(w, screen.width);
            h = std::min(h, screen.height);
            return;
        case 4:
            w = screen.width;
            h = screen.height;
            scaleX = scaleY = 1.0f;
            return;
        case 1:
        case 2:
        case 3:
            break;
        default:
            return;
    }
    if (screen.width < 1 || screen.height < 1) return;
    scaleX = float(double(w) / screen.width);
    scaleY = float(double(h) / screen.height);
    if (s.m_StretchMode == 2) return;
    if (s.m_StretchMode == 3 && scaleX > 1.0f && scaleY > 1.0f) {
        scaleX = scaleY = 1.0f;
    } else if (scaleX <= scaleY) {
        scaleY = scaleX;
    } else {
        scaleX = scaleY;
    }
    w = scaled(scaleX, screen.width);
    h = scaled(scaleY, screen.height);
}

}  // namespace anigif
