#include <gtest/gtest.h>

#include "anigif/frame_drawing.h"
#include "gif_builder.h"
#include "load_helpers.h"

namespace anigif_test {
namespace {

constexpr QRgb kBackground = 0xFF336699u;

struct AnimationCase {
    const char* name;
    GifPlan plan;
    // Frames that all restore to background are drawn alone on the control's own surface; Qt
    // paints the GIF's background colour around them, so only the frame's rectangle compares.
    bool onlyInsideFrame = false;
};

FrameSpec withControl(FrameSpec f, int disposal, bool transparent = false, int transIndex = 0) {
    f.withControl = true;
    f.disposal = disposal;
    f.transparent = transparent;
    f.transIndex = transIndex;
    return f;
}

GifPlan base(int w, int h, int colours = 8) {
    GifPlan plan;
    plan.screenWidth = w;
    plan.screenHeight = h;
    plan.globalTable = paletteOf(colours);
    return plan;
}

std::vector<AnimationCase> animationCases() {
    std::vector<AnimationCase> cases;
    GifPlan one = base(13, 9);
    one.frames = {patternFrame(0, 0, 13, 9, 8, 0)};
    cases.push_back({"OneFrame", one});

    GifPlan keep = base(20, 16);
    keep.frames = {withControl(patternFrame(0, 0, 20, 16, 8, 0), 1),
                   withControl(patternFrame(3, 4, 7, 5, 8, 1), 1),
                   withControl(patternFrame(10, 2, 9, 11, 8, 2), 0)};
    cases.push_back({"KeepDisposalsBuildOnEachOther", keep});

    GifPlan transparent = base(20, 16);
    transparent.frames = {withControl(patternFrame(0, 0, 20, 16, 8, 0), 1, true, 3),
                          withControl(patternFrame(2, 2, 10, 10, 8, 4), 1, true, 5),
                          withControl(patternFrame(5, 1, 12, 6, 8, 6), 1, true, 0)};
    cases.push_back({"TransparentFramesOverEachOther", transparent});

    GifPlan restore = base(24, 18);
    restore.frames = {withControl(patternFrame(0, 0, 24, 18, 8, 0), 1),
                      withControl(patternFrame(4, 3, 9, 7, 8, 1), 3),
                      withControl(patternFrame(10, 8, 11, 9, 8, 2), 1)};
    cases.push_back({"RestoreToPrevious", restore});

    GifPlan background = base(24, 18);
    background.frames = {withControl(patternFrame(2, 2, 10, 10, 8, 0), 2),
                         withControl(patternFrame(12, 6, 9, 9, 8, 1), 2),
                         withControl(patternFrame(0, 0, 6, 18, 8, 2), 2)};
    cases.push_back({"EveryFrameRestoresToBackground", background, true});

    GifPlan local = base(16, 12);
    local.frames = {withControl(patternFrame(0, 0, 16, 12, 8, 0), 1),
                    withControl(patternFrame(1, 1, 12, 10, 4, 1), 1),
                    withControl(patternFrame(4, 2, 8, 8, 16, 2), 1)};
    local.frames[1].localTable = paletteOf(4, 7);
    local.frames[2].localTable = paletteOf(16, 9);
    cases.push_back({"LocalAndGlobalTables", local});

    GifPlan interlaced = base(17, 23);
    interlaced.frames = {withControl(patternFrame(0, 0, 17, 23, 8, 0), 1),
                         withControl(patternFrame(3, 1, 11, 19, 8, 5), 1)};
    interlaced.frames[0].interlaced = interlaced.frames[1].interlaced = true;
    cases.push_back({"Interlaced", interlaced});

    GifPlan version87 = keep;
    version87.signature = "GIF87a";
    cases.push_back({"Version87aWithExtensions", version87});
    return cases;
}

class AnimationTable : public ::testing::TestWithParam<AnimationCase> {};

// Every frame, drawn and composed by the control, shows what Qt's own animated reader shows.
TEST_P(AnimationTable, EveryFrameMatchesQtsDecoding) {
    const std::vector<std::uint8_t> bytes = buildGif(GetParam().plan);
    anigif::AniGifState s;
    ASSERT_TRUE(loadState(s, bytes));
    const std::vector<QImage> reference = qtFrames(bytes);
    ASSERT_EQ(int(reference.size()), s.gif.frameCount());
    for (int loop = 0; loop < 2; ++loop) {
        for (int k = 1; k <= s.gif.frameCount(); ++k) {
            QImage dc(s.gif.screen.width, s.gif.screen.height, QImage::Format_RGB32);
            dc.fill(kBackground);
            ASSERT_TRUE(anigif::PaintCurrentFrame(s, k, dc));
            // The control's size holds every image; Qt keeps the header's logical screen.
            const QImage expected =
                over(reference[std::size_t(k - 1)], kBackground).copy(dc.rect());
            const anigif::GifFrameInfo& f = s.gif.frame(k);
            const QRect compared =
                GetParam().onlyInsideFrame ? QRect(f.left, f.top, f.width, f.height) : dc.rect();
            EXPECT_EQ(differingPixels(dc.copy(compared), expected.copy(compared)), 0)
                << "loop " << loop << " frame " << k;
            if (GetParam().onlyInsideFrame) {
                EXPECT_EQ(dc.pixel(compared.right() + 1 < dc.width() ? compared.right() + 1 : 0,
                                   compared.bottom() + 1 < dc.height() ? compared.bottom() + 1 : 0),
                          kBackground);
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Gifs, AnimationTable, ::testing::ValuesIn(animationCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FrameDrawing, TransIndexBeyondPaletteDrawsOpaque) {
    GifPlan plan = base(6, 6, 4);
    plan.frames = {withControl(patternFrame(0, 0, 6, 6, 4, 0), 1, true, 9)};
    anigif::AniGifState s;
    ASSERT_TRUE(loadState(s, buildGif(plan)));
    QImage dc(6, 6, QImage::Format_RGB32);
    dc.fill(kBackground);
    anigif::PaintCurrentFrame(s, 1, dc);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) EXPECT_NE(dc.pixel(x, y), kBackground);
}

TEST(FrameDrawing, CalcStretchModes) {
    anigif::AniGifState s;
    s.m_CurrentFrame = 1;
    s.gif.screen.width = 200;
    s.gif.screen.height = 100;
    struct Case {
        int mode, w, h;
        float scale;
        int outW, outH;
    };
    for (const Case c : {Case{1, 300, 300, 1.5f, 300, 150}, Case{3, 100, 300, 0.5f, 100, 50},
                         Case{3, 400, 400, 1.0f, 200, 100}, Case{0, 150, 150, 1.0f, 150, 100},
                         Case{4, 10, 10, 1.0f, 200, 100}}) {
        s.m_StretchMode = c.mode;
        int w = c.w, h = c.h;
        float sx = 0, sy = 0;
        anigif::CalcStretch(s, w, h, sx, sy);
        EXPECT_EQ(sx, c.scale) << c.mode;
        EXPECT_EQ(sy, c.scale) << c.mode;
        EXPECT_EQ(w, c.outW) << c.mode;
        EXPECT_EQ(h, c.outH) << c.mode;
    }
    s.m_StretchMode = 2;
    int w = 100, h = 300;
    float sx = 0, sy = 0;
    anigif::CalcStretch(s, w, h, sx, sy);
    EXPECT_EQ(sx, 0.5f);
    EXPECT_EQ(sy, 3.0f);
    EXPECT_EQ(w, 100);
}

TEST(FrameDrawing, MirroringTwiceRestoresFramesAndPositions) {
    GifPlan plan = base(100, 20);
    plan.frames = {withControl(patternFrame(0, 0, 100, 20, 8, 0), 1),
                   withControl(patternFrame(10, 2, 30, 9, 8, 3), 1)};
    anigif::AniGifState s;
    ASSERT_TRUE(loadState(s, buildGif(plan)));
    const QImage before = s.m_Strip.image.copy();
    s.m_MirrorStyle = 1;
    anigif::ApplyMirror(s, 0, false, true);
    EXPECT_EQ(s.gif.frame(2).left, 60);
    EXPECT_NE(s.m_Strip.image, before);
    s.m_MirrorStyle = 0;
    anigif::ApplyMirror(s, 1, false, true);
    EXPECT_EQ(s.gif.frame(2).left, 10);
    EXPECT_EQ(s.m_Strip.image, before);
}

TEST(FrameDrawing, EmptyRectangleDrawsNothing) {
    GifPlan plan = base(6, 6);
    plan.frames = {patternFrame(0, 0, 6, 6, 8, 0)};
    anigif::AniGifState s;
    ASSERT_TRUE(loadState(s, buildGif(plan)));
    QImage dc(6, 6, QImage::Format_RGB32);
    dc.fill(kBackground);
    anigif::DrawFrame(s, 1, dc, false, QRect(0, 0, 0, 6));
    anigif::DrawFrame(s, 1, dc, true, QRect(0, 0, 6, 0));
    EXPECT_EQ(dc.pixel(0, 0), kBackground);
}

// A last image cut short decodes from the bytes held only (the sanitizers watch the copy).
TEST(FrameDrawing, TruncatedLastImageIsClampedToTheBytesHeld) {
    GifPlan plan = base(40, 40);
    plan.frames = {patternFrame(0, 0, 40, 40, 8, 0), patternFrame(0, 0, 40, 40, 8, 1)};
    std::vector<std::uint8_t> bytes = buildGif(plan);
    bytes.resize(bytes.size() - 30);
    anigif::AniGifState s;
    ASSERT_TRUE(loadState(s, bytes));
    EXPECT_EQ(s.gif.frameCount(), 2);
    QImage dc(40, 40, QImage::Format_RGB32);
    EXPECT_TRUE(anigif::PaintCurrentFrame(s, 2, dc));
}

}  // namespace
}  // namespace anigif_test
