// Fuzz target: the input is a GIF file held by the control; it is scanned, its frames decoded
// into the strip (the canvas and mask made as the frames need) and every frame drawn twice over,
// stretched and mirrored on the second pass. A GIF whose frames together hold more than
// kMostPixels is left out: a few bytes may declare an image of thousands of pixels a side, which
// takes the drawing through the same code, only for seconds under the sanitizers and stalls the
// search; the drawing's speed on large pictures is the benchmarks' to watch.
#include <QGuiApplication>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "anigif/frame_drawing.h"
#include "anigif/frame_encoder.h"
#include "anigif/frame_strip.h"

namespace {
constexpr std::int64_t kMostPixels = std::int64_t(1) << 18;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    anigif::AniGifState s;
    s.m_GifBytes.assign(data, data + size);
    if (anigif::ScanGifStructure(s.m_GifBytes, s.gif) == 0) return 0;
    if (std::int64_t(s.gif.screen.width) * s.gif.screen.height * s.gif.frameCount() > kMostPixels)
        return 0;
    bool firstPass = true;
    const anigif::StripHost host{true, 0, 37, 23, {}};
    if (!anigif::BuildFrameStrip(s, firstPass, host)) return 0;
    QImage dc(37, 23, QImage::Format_RGB32);
    for (int pass = 0; pass < 2; ++pass) {
        for (std::int32_t k = 1; k <= s.gif.frameCount(); ++k) {
            anigif::PaintCurrentFrame(s, k, dc);
        }
        s.m_MirrorStyle = 3;
        anigif::ApplyMirror(s, 0, false, true);
        s.gif.screen.scaleX = 0.7f;
    }
    if (s.gif.frameCount() > 0) (void)anigif::FrameToGifFile(s, 1);
    return 0;
}
