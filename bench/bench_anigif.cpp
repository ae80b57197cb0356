// The animated GIF control against Qt's own animated reader on the same 100-frame file, in the
// same run: decoding every frame and drawing it onto a surface the control's size. The control
// decodes each frame once into its strip and draws by palette; Qt composes every frame into a
// full 32-bit image as it reads.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QImageReader>
#include <QPainter>

#include "anigif/frame_drawing.h"
#include "anigif/frame_strip.h"
#include "anigif/gif_builder.h"

namespace {

constexpr int kFrames = 100;
constexpr int kWidth = 160;
constexpr int kHeight = 120;

// A hundred frames: a full opaque first frame, then moving partly transparent sprites of several
// sizes, with keep, restore-to-background and restore-to-previous disposals.
const std::vector<std::uint8_t>& animationFile() {
    static const std::vector<std::uint8_t> file = [] {
        using namespace anigif_test;
        GifPlan plan;
        plan.screenWidth = kWidth;
        plan.screenHeight = kHeight;
        plan.globalTable = paletteOf(64);
        plan.loops = 0;
        for (int k = 0; k < kFrames; ++k) {
            FrameSpec f =
                k == 0 ? patternFrame(0, 0, kWidth, kHeight, 64, 0)
                       : patternFrame((k * 7) % 100, (k * 5) % 70, 40 + k % 20, 30 + k % 15, 64, k);
            f.withControl = true;
            f.delayCs = 4;
            f.disposal = k == 0 ? 1 : 1 + k % 3;
            f.transparent = k != 0;
            f.transIndex = 7;
            plan.frames.push_back(f);
        }
        return buildGif(plan);
    }();
    return file;
}

void ControlDecodesAndDrawsEveryFrame(benchmark::State& state) {
    const std::vector<std::uint8_t>& file = animationFile();
    QImage surface(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        anigif::AniGifState s;
        s.m_GifBytes = file;
        anigif::ScanGifStructure(s.m_GifBytes, s.gif);
        bool firstPass = true;
        const anigif::StripHost host{true, 0, kWidth, kHeight, {}};
        anigif::BuildFrameStrip(s, firstPass, host);
        for (int k = 1; k <= s.gif.frameCount(); ++k) {
            surface.fill(Qt::white);
            anigif::PaintCurrentFrame(s, k, surface);
        }
        benchmark::DoNotOptimize(surface.constBits());
        if (s.gif.frameCount() != kFrames) state.SkipWithError("frames missing");
    }
}
BENCHMARK(ControlDecodesAndDrawsEveryFrame)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void QtAnimatedReaderDecodesAndDrawsEveryFrame(benchmark::State& state) {
    const std::vector<std::uint8_t>& file = animationFile();
    QByteArray data(reinterpret_cast<const char*>(file.data()), qsizetype(file.size()));
    QImage surface(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        QBuffer buffer(&data);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, "gif");
        int frames = 0;
        while (reader.canRead()) {
            const QImage frame = reader.read();
            if (frame.isNull()) break;
            surface.fill(Qt::white);
            QPainter painter(&surface);
            painter.drawImage(0, 0, frame);
            ++frames;
        }
        benchmark::DoNotOptimize(surface.constBits());
        if (frames != kFrames) state.SkipWithError("frames missing");
    }
}
BENCHMARK(QtAnimatedReaderDecodesAndDrawsEveryFrame)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
