#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "anigif/uc_ani_gif.h"
#include "gif_builder.h"
#include "platform/forms/form.h"
#include "platform/forms/forms.h"
#include "platform/forms/render.h"
#include "platform/runtime/scheduler.h"

namespace anigif_test {
namespace {

using anigif::ucAniGIF;
using Bytes = std::vector<std::uint8_t>;

class Host : public forms::Form {
  public:
    explicit Host(forms::Forms& forms) : forms::Form(forms) {
        setWidth(200 * 15);
        setHeight(150 * 15);
    }
    ucAniGIF gif{*this, "ucAniGIF1"};
};

// A GIF of `frames` frames of 20 x 10, delays in hundredths, looping `loops` times.
Bytes animation(int frames, std::vector<int> delaysCs = {}, std::optional<int> loops = {}) {
    GifPlan plan;
    plan.screenWidth = 20;
    plan.screenHeight = 10;
    plan.globalTable = paletteOf(8);
    plan.loops = loops;
    for (int k = 0; k < frames; ++k) {
        FrameSpec f = patternFrame(0, 0, 20, 10, 8, k);
        f.withControl = true;
        f.disposal = 1;
        f.delayCs = k < int(delaysCs.size()) ? delaysCs[std::size_t(k)] : 0;
        plan.frames.push_back(f);
    }
    return buildGif(plan);
}

anigif::ArrayArgument array(const Bytes& bytes) {
    return {bytes.data(), 1, {bytes.size()}};
}

class FakeReader : public anigif::AsyncReader {
  public:
    bool AsyncRead(const QString& target, const QString& name, bool, Handlers h) override {
        if (target == "refused") return false;
        lastName = name;
        handlers = std::move(h);
        return true;
    }
    void CancelAsyncRead(const QString& name) override { cancelled.push_back(name); }
    QString lastName;
    std::vector<QString> cancelled;
    Handlers handlers;
};

class ControlTest : public ::testing::Test {
  protected:
    ControlTest() {
        gif.move(0, 0, 20 * 15, 10 * 15);
        gif.LoopsEnded = [this] { ++loopsEnded; };
        gif.reportOver = [this](std::int32_t frame) { reportOvers.push_back(frame); };
        gif.PropertyChanged = [this](const QString& name) { changes.push_back(name); };
    }
    // Frames shown at each paint, with the virtual time of the paint.
    std::vector<std::pair<platform::Millis, int>> record(platform::Millis until) {
        std::vector<std::pair<platform::Millis, int>> shown;
        gif.reportOver.clear();
        const platform::Millis start = scheduler.now();
        int last = gif.state().m_CurrentFrame;
        while (scheduler.now() - start < until) {
            scheduler.advance(1);
            if (gif.state().m_CurrentFrame != last) {
                last = gif.state().m_CurrentFrame;
                shown.emplace_back(scheduler.now() - start, last);
            }
        }
        return shown;
    }

    platform::Scheduler scheduler{platform::Scheduler::Mode::Virtual};
    forms::Forms forms{scheduler};
    Host& host = forms.create<Host>();
    ucAniGIF& gif = host.gif;
    int loopsEnded = 0;
    std::vector<std::int32_t> reportOvers;
    std::vector<QString> changes;
};

using Shown = std::vector<std::pair<platform::Millis, int>>;

TEST_F(ControlTest, DelaysWithTheMinimumAndEndlessLoops) {
    // Deferred decoding (the default): 20 ms, then frame 1 stays its own delay.
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(array(animation(3, {10, 0, 3}))));
    EXPECT_EQ(gif.Action(), 1);
    EXPECT_EQ(gif.FrameCount(), 3);
    EXPECT_EQ(gif.LoopsRemaining(), 0);
    // 20 ms decoding, 100 ms frame 1, 50 ms (minimum) frame 2, 50 ms frame 3 (30 < 50).
    EXPECT_EQ(record(400), (Shown{{120, 2}, {170, 3}, {220, 1}, {320, 2}, {370, 3}}));
    gif.letMinFrameDelay(200);
    gif.letAction(4);
    EXPECT_EQ(record(700), (Shown{{200, 2}, {400, 3}, {600, 1}}));
    EXPECT_EQ(loopsEnded, 0);
}

TEST_F(ControlTest, LoopsEndAfterTheLastLoopAndEmptyTheControl) {
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(array(animation(3, {}, 2))));
    EXPECT_EQ(gif.loops(), 2);
    EXPECT_EQ(record(20 + 150), (Shown{{70, 2}, {120, 3}, {170, 1}}));
    EXPECT_EQ(gif.LoopsRemaining(), 1);
    EXPECT_EQ(record(150), (Shown{{50, 2}, {100, 3}, {150, 0}}));
    EXPECT_EQ(loopsEnded, 1);
    EXPECT_EQ(gif.FrameCount(), 0);
    EXPECT_EQ(gif.LoopsRemaining(), -1);
    gif.letAction(1);
    EXPECT_EQ(gif.Action(), 0);
}

// Loops set below those already played end the run at the next wrap, not never.
TEST_F(ControlTest, LoopsSetBelowThosePlayedEndAtTheNextWrap) {
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(array(animation(2, {}, 3))));
    record(20 + 100 + 100 + 10);  // two loops played
    EXPECT_EQ(gif.LoopsRemaining(), 1);
    gif.letLoops(1);
    EXPECT_EQ(gif.LoopsRemaining(), -1 + 0 + 0);
    record(200);
    EXPECT_EQ(loopsEnded, 1);
    // A new load counts its loops afresh.
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(array(animation(2, {}, 3))));
    EXPECT_EQ(gif.LoopsRemaining(), 3);
}

TEST_F(ControlTest, OneFrameNeverStartsATimer) {
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(array(animation(1))));
    EXPECT_EQ(gif.Action(), 0);
    gif.letAction(1);
    EXPECT_EQ(gif.Action(), 0);
    EXPECT_EQ(gif.state().m_CurrentFrame, 1);
}

// A stop inside the 20 ms before the later frames are decoded: the decoding runs at the next
// start, and the animation shows real frames.
TEST_F(ControlTest, StopAndStartInsideTheDeferredWindow) {
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(array(animation(3))));
    EXPECT_TRUE(gif.state().deferredDecodePending);
    scheduler.advance(10);
    gif.letAction(2);
    scheduler.advance(100);
    EXPECT_EQ(gif.Action(), 2);
    EXPECT_TRUE(gif.state().deferredDecodePending);
    gif.letAction(1);
    EXPECT_FALSE(gif.state().deferredDecodePending);
    EXPECT_EQ(record(60), (Shown{{50, 2}}));
    // Frame 2 was decoded: the strip's slot is not blank.
    const QImage& strip = gif.state().m_Strip.image;
    const int x2 = gif.state().gif.frame(2).dataStart;
    bool anyNonZero = false;
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x) anyNonZero |= strip.constScanLine(y)[x2 + x] != 0;
    EXPECT_TRUE(anyNonZero);
}

TEST_F(ControlTest, DelayAnimationTwoDecodesButDoesNotStart) {
    gif.letDelayAnimation(2);
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(array(animation(3))));
    scheduler.advance(30);
    EXPECT_FALSE(gif.state().deferredDecodePending);
    EXPECT_EQ(gif.Action(), 0);
    EXPECT_EQ(gif.state().m_CurrentFrame, 1);
}

// A mirror change inside the window flips frame 1 only; the decoding gives the later frames the
// new style, and a new GIF starts with no stale bit.
TEST_F(ControlTest, MirrorInsideTheDeferredWindowMatchesAnImmediateDecode) {
    const Bytes bytes = animation(3);
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(array(bytes)));
    gif.letMirrored(1);
    scheduler.advance(30);
    const QImage deferredStrip = gif.state().m_Strip.image.copy();
    EXPECT_EQ(gif.Mirrored(), 1);

    Host& other = forms.create<Host>();
    other.gif.move(0, 0, 20 * 15, 10 * 15);
    other.gif.letDelayAnimation(0);
    other.gif.letMirrored(1);
    ASSERT_TRUE(other.gif.LoadAnimatedGIF_Array(array(bytes)));
    EXPECT_EQ(deferredStrip, other.gif.state().m_Strip.image);

    // Loading anew while the bit is set leaves no bit behind.
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(array(bytes)));
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(array(bytes)));
    scheduler.advance(30);
    EXPECT_EQ(gif.state().m_Strip.image, other.gif.state().m_Strip.image);
}

TEST_F(ControlTest, StretchChangeKeepsAStoppedGifOnShow) {
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(array(animation(1))));
    gif.letStretch(2);
    EXPECT_EQ(gif.state().m_CurrentFrame, 1);
    EXPECT_EQ(gif.FrameCount(), 1);
    EXPECT_THAT(changes, ::testing::Contains(QString("Stretch")));
    // Playing: the animation goes on.
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(array(animation(3))));
    scheduler.advance(30);
    gif.letStretch(0);
    EXPECT_EQ(gif.Action(), 1);
}

TEST_F(ControlTest, FailedLoadsLeaveTheGifOnShow) {
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(array(animation(3))));
    EXPECT_FALSE(gif.LoadAnimatedGIF_File("/no/such/file.gif"));
    EXPECT_FALSE(gif.LoadAnimatedGIF_Array({}));
    EXPECT_FALSE(gif.LoadAnimatedGIF_Array({"x", 1, {1, 1, 1}}));
    EXPECT_EQ(gif.FrameCount(), 3);
    EXPECT_EQ(gif.Action(), 1);
    // Bytes that are not a GIF empty the control.
    const Bytes junk(40, 7);
    EXPECT_FALSE(gif.LoadAnimatedGIF_Array(array(junk)));
    EXPECT_EQ(gif.FrameCount(), 0);
    gif.Refresh();
    EXPECT_EQ(reportOvers.back(), 0);
}

TEST_F(ControlTest, TwoDimensionalArrayOfWideElements) {
    Bytes bytes = animation(2);
    bytes.resize(1600, 0);
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array({bytes.data(), 4, {4, 100}}));
    EXPECT_EQ(gif.FrameCount(), 2);
}

TEST_F(ControlTest, PropertyValidation) {
    gif.letMinFrameDelay(5);
    EXPECT_EQ(gif.MinFrameDelay(), 10);
    gif.letMinFrameDelay(99999);
    EXPECT_EQ(gif.MinFrameDelay(), 32700);
    changes.clear();
    gif.letMinFrameDelay(40000);
    gif.letStretch(5);
    gif.letMirrored(4);
    gif.letDelayAnimation(4);
    gif.letLoops(0);
    EXPECT_TRUE(changes.empty());
    gif.letLoops(3);
    gif.letLoops(-3);
    EXPECT_EQ(gif.loops(), 3);
    gif.letLoops(-3);
    EXPECT_EQ(changes, (std::vector<QString>{"Loops", "Loops", "Loops"}));
    EXPECT_THROW(gif.letLoops(std::numeric_limits<std::int32_t>::min()), platform::RuntimeFailure);
    EXPECT_EQ(gif.UserControl_HitTest(1, 1), 3);
}

TEST_F(ControlTest, ActionZeroEmptiesAndStepWraps) {
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(array(animation(3))));
    gif.letAction(3);
    gif.letAction(3);
    gif.letAction(3);
    EXPECT_EQ(gif.state().m_CurrentFrame, 1);
    EXPECT_EQ(gif.Action(), 2);
    gif.letAction(0);
    EXPECT_EQ(gif.FrameCount(), 0);
    gif.letAction(4);
    EXPECT_EQ(gif.Action(), 0);
}

TEST_F(ControlTest, PictureRoundTripAndPropertyBag) {
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(array(animation(3))));
    const forms::Picture current = gif.AnimatedGIF();
    ASSERT_FALSE(current.isEmpty());
    EXPECT_EQ(current.size(), QSize(20, 10));
    ucAniGIF& other = forms.create<Host>().gif;
    other.letAnimatedGIF(current);
    EXPECT_EQ(other.FrameCount(), 1);

    other.setUserMode(false);
    other.letStretch(3);
    other.letAnimatedGIF(forms::Picture::fromData(
        QByteArray(reinterpret_cast<const char*>(animation(2).data()), 0) + [] {
            const Bytes b = animation(2);
            return QByteArray(reinterpret_cast<const char*>(b.data()), qsizetype(b.size()));
        }()));
    anigif::PropertyBag bag;
    other.WriteProperties(bag);
    EXPECT_TRUE(bag.contains("GIF"));
    EXPECT_TRUE(bag.contains("Stretch"));
    EXPECT_FALSE(bag.contains("Delay"));
    EXPECT_FALSE(bag.contains("Enabled"));
    ucAniGIF& restored = forms.create<Host>().gif;
    restored.ReadProperties(bag);
    EXPECT_EQ(restored.Stretch(), 3);
    EXPECT_EQ(restored.FrameCount(), 2);
}

TEST_F(ControlTest, RemoteLoads) {
    FakeReader reader;
    gif.setAsyncReader(&reader);
    int failures = 0;
    gif.RemoteLoadFailure = [&] { ++failures; };
    std::vector<std::pair<float, float>> sizes;
    bool cancel = false;
    gif.RemoteLoadComplete = [&](float w, float h, bool& c) {
        sizes.emplace_back(w, h);
        c = cancel;
    };
    gif.LoadAnimatedGIF_Remote("refused");
    EXPECT_EQ(failures, 1);
    gif.LoadAnimatedGIF_Remote("http://example.invalid/a.gif");
    EXPECT_EQ(reader.lastName, "remoteGIF");
    reader.handlers.complete("remoteGIF", QByteArray(14, 'G'));
    EXPECT_EQ(failures, 2);
    reader.handlers.progress("remoteGIF", 0);
    EXPECT_EQ(failures, 3);
    EXPECT_EQ(reader.cancelled, std::vector<QString>{"remoteGIF"});

    Bytes first = animation(3);
    std::copy_n("gIF89A", 6, first.begin());
    reader.handlers.complete("remoteGIF", QByteArray(reinterpret_cast<const char*>(first.data()),
                                                     qsizetype(first.size())));
    ASSERT_EQ(sizes.size(), 1u);
    EXPECT_EQ(sizes[0], std::make_pair(20.0f * 15, 10.0f * 15));
    EXPECT_EQ(gif.FrameCount(), 3);
    cancel = true;
    const Bytes second = animation(1);
    reader.handlers.complete("remoteGIF", QByteArray(reinterpret_cast<const char*>(second.data()),
                                                     qsizetype(second.size())));
    EXPECT_EQ(gif.FrameCount(), 3);
}

TEST_F(ControlTest, MouseEventsInContainerUnits) {
    std::vector<std::tuple<int, int, float, float>> downs;
    gif.MouseDown = [&](std::int16_t b, std::int16_t s, float x, float y) {
        downs.emplace_back(b, s, x, y);
    };
    host.show();
    host.mouseDown(QPointF(7, 3), 1, 2);
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(downs[0], std::make_tuple(1, 2, 105.0f, 45.0f));
}

// A look at the control on its window, drawn by the view.
TEST_F(ControlTest, RendersOnItsWindow) {
    GifPlan plan;
    plan.screenWidth = 60;
    plan.screenHeight = 40;
    plan.globalTable = paletteOf(8);
    FrameSpec f = patternFrame(0, 0, 60, 40, 8, 0);
    f.withControl = true;
    f.transparent = true;
    f.transIndex = 2;
    plan.frames = {f};
    const Bytes bytes = buildGif(plan);
    gif.move(15 * 10, 15 * 10, 15 * 120, 15 * 80);
    gif.letStretch(1);
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(array(bytes)));
    EXPECT_EQ(gif.width(), 120 * 15);
    EXPECT_EQ(gif.height(), 80 * 15);
    const QString path = QDir::temp().filePath("anigif_render.png");
    ASSERT_TRUE(forms::saveWindowPng(host, path));
    const QImage shot(path);
    EXPECT_EQ(shot.pixel(10 + 60, 10 + 40), gif.deviceContext().pixel(60, 40));
}

}  // namespace
}  // namespace anigif_test
