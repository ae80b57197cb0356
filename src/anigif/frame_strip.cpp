#include "anigif/frame_strip.h"

#include <QByteArray>
#include <algorithm>

#include "anigif/frame_drawing.h"
#include "platform/picture/gif_index_decoder.h"

namespace anigif {
namespace {

constexpr std::int32_t kRampTableEnd = 781;  // positions 14..781 hold the index ramp

// Entry i of the index ramp is the colour red 0, green 0, blue i.
std::uint8_t rampByte(std::int32_t offset) {
    return offset % 3 == 2 ? std::uint8_t(offset / 3) : 0;
}

ColorTable indexRamp() {
    ColorTable table{};
    for (std::uint32_t i = 0; i < 256; ++i) table[i] = i;
    return table;
}

struct Survey {
    std::int64_t totalWidth = 0;
    std::int32_t stripHeight = 0;
    bool anyTransparent = false;
    std::int32_t maxLength = 0;
    bool allRestore = true;
    bool maskNeeded = false;
};

Survey survey(const AniGifState& s) {
    Survey v;
    for (std::int32_t k = 1; k <= s.gif.frameCount(); ++k) {
        const GifFrameInfo& f = s.gif.frame(k);
        v.totalWidth += f.width;
        v.stripHeight = std::max(v.stripHeight, f.height);
        v.anyTransparent = v.anyTransparent || f.transparent == 1;
        v.maxLength = std::max(v.maxLength, s.gif.spans[std::size_t(k - 1)].length);
        if (f.disposal <= 1) v.allRestore = false;
        if (f.disposal == 2) v.maskNeeded = true;
        if (f.disposal == 3) {
            v.allRestore = false;
            v.maskNeeded = true;
        }
    }
    return v;
}

// Re-wraps frame k as a one-image GIF in m_FrameGif and returns its length.
std::int32_t wrapFrame(AniGifState& s, std::int32_t k) {
    std::vector<std::uint8_t>& out = s.m_FrameGif;
    auto at = [&out](std::int64_t position) -> std::uint8_t& {
        return out[std::size_t(position - 1)];
    };
    const GifFrameInfo& f = s.gif.frame(k);
    const GifImageSpan& span = s.gif.spans[std::size_t(k - 1)];
    const std::int64_t held = std::int64_t(s.m_GifBytes.size());
    std::int32_t pos = kRampTableEnd + 1;
    if (f.dataStart != span.start) {
        // The graphic control extension, its transparency cleared: transparent pixels keep
        // their index and are masked when drawn.
        for (std::int32_t i = 0; i < 8; ++i) {
            const std::int64_t from = std::int64_t(f.dataStart) + i;
            at(pos + i) = from <= held ? s.m_GifBytes[std::size_t(from - 1)] : 0;
        }
        at(pos + 3) &= 0xFE;
        pos += 8;
    }
    // A last image cut short is copied only as far as the file goes; the rest reads as
    // terminators.
    const std::int64_t available = std::max<std::int64_t>(0, held - span.start + 1);
    const std::int32_t copied = std::int32_t(std::min<std::int64_t>(span.length, available));
    std::copy_n(s.m_GifBytes.begin() + (span.start - 1), copied, out.begin() + (pos - 1));
    std::fill_n(out.begin() + (pos - 1 + copied), span.length - copied, std::uint8_t(0));
    for (std::int32_t i = 1; i <= 4; ++i) at(pos + i) = 0;
    for (std::int32_t i = 0; i < 4; ++i) at(7 + i) = at(pos + 5 + i);
    if (f.paletteIndex != 0) {
        const std::int32_t entries = 1 << ((at(pos + 9) & 7) + 1);
        for (std::int32_t i = 0; i < 3 * entries; ++i) at(pos + 10 + i) = rampByte(i);
    }
    pos += span.length;
    at(pos) = 0x3B;
    return pos;
}

// Decodes a one-image GIF straight into the strip at stripX: every pixel is its index, the ramp
// being the identity. Pixels the picture leaves (see-through or never reached) stay as they are.
void decodeIntoStrip(FrameStrip& strip, std::span<const std::uint8_t> frameGif, std::int32_t stripX,
                     const GifFrameInfo& f) {
    QImage& image = strip.image;
    const int width = std::min(f.width, image.width() - stripX);
    const int height = std::min(f.height, image.height());
    if (width < 1 || height < 1) return;
    const platform::IndexPlane plane{image.scanLine(0) + stripX, image.bytesPerLine(), width,
                                     height};
    platform::DecodeGifIndices(frameGif, plane);
}

void decodeFrames(AniGifState& s, std::int32_t first, std::int32_t last) {
    s.m_Strip.m_StripPalette = -1;
    for (std::int32_t k = first; k <= last; ++k) {
        const std::int32_t length = wrapFrame(s, k);
        GifFrameInfo& f = s.gif.frame(k);
        f.dataStart = k == 1 ? 0 : s.gif.frame(k - 1).dataStart + s.gif.frame(k - 1).width;
        decodeIntoStrip(s.m_Strip, std::span(s.m_FrameGif.data(), std::size_t(length)), f.dataStart,
                        f);
    }
}

bool createStrip(AniGifState& s, const Survey& v) {
    if (v.totalWidth < 1 || v.stripHeight < 1 || v.totalWidth > 0x7FFFFFFF ||
        v.totalWidth * v.stripHeight > kMaxSurfacePixels) {
        return false;
    }
    QImage image(int(v.totalWidth), v.stripHeight, QImage::Format_Indexed8);
    if (image.isNull()) return false;
    image.fill(0);
    s.m_Strip.colors = indexRamp();
    // The image's own table stays the ramp (drawing uses the strip's table above).
    image.setColorTable(QList<QRgb>(s.m_Strip.colors.begin(), s.m_Strip.colors.end()));
    s.m_Strip.image = std::move(image);
    return true;
}

}  // namespace

QImage PictureFromBytes(std::span<const std::uint8_t> fileBytes) {
    if (fileBytes.empty()) return {};
    return QImage::fromData(fileBytes.data(), int(fileBytes.size()), "GIF");
}

bool BuildFrameStrip(AniGifState& s, bool& firstPass, const StripHost& host) {
    const std::int32_t n = s.gif.frameCount();
    std::int32_t first = 1, last = 1;
    if (firstPass) {
        Survey v = survey(s);
        const GifFrameInfo& f1 = s.gif.frame(1);
        if (!host.userMode || n == 1) {
            v.totalWidth = f1.width;
            v.stripHeight = f1.height;
            v.maskNeeded = false;
        } else if (v.allRestore) {
            v.maskNeeded = false;
        } else {
            if (!v.maskNeeded) {
                v.maskNeeded =
                    f1.transparent == 1 || (v.anyTransparent && (f1.height != s.gif.screen.height ||
                                                                 f1.width != s.gif.screen.width));
            }
            CreateCanvasDIB(s, v.maskNeeded);
        }
        if (!createStrip(s, v)) return false;
        s.m_MaskTable.fill(0);
        s.m_FrameGif.assign(std::size_t(v.maxLength) + 790, 0);
        std::copy_n(s.m_GifBytes.begin(), 13, s.m_FrameGif.begin());
        for (std::int32_t i = 0; i < 768; ++i) s.m_FrameGif[std::size_t(13 + i)] = rampByte(i);
        s.m_FrameGif[10] |= 0x87;
    } else {
        if (n != 1) s.m_Strip.colors = indexRamp();
        first = 2;
        last = n;
    }
    decodeFrames(s, first, last);

    bool startNow = false;
    if (firstPass) {
        s.m_CurrentFrame = 1;
        std::int32_t w = host.scaleWidth, h = host.scaleHeight;
        CalcStretch(s, w, h, s.gif.screen.scaleX, s.gif.screen.scaleY);
        if (host.userMode && host.delayFlags != 0) {
            if (n == 1) {
                firstPass = false;
            } else {
                ApplyMirror(s, 0, true, false);
                s.m_MirrorStyle |= kMirrorFirstOnlyBit;
                s.deferredDecodePending = true;
                if (host.startStopTimer) host.startStopTimer(2);
            }
        } else if (host.userMode) {
            bool second = false;
            return BuildFrameStrip(s, second, host);
        } else {
            firstPass = false;
        }
    } else {
        s.deferredDecodePending = false;
    }
    if (!firstPass) {
        s.m_FrameGif.clear();
        s.gif.spans.clear();
        ApplyMirror(s, 0, !host.userMode, false);
        if (host.userMode) {
            s.m_GifBytes.clear();
            startNow = (host.delayFlags & 2) == 0;
        }
    }
    if (startNow && host.startStopTimer) host.startStopTimer(1);
    return true;
}

}  // namespace anigif
