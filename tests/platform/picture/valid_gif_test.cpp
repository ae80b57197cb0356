// Well-formed GIFs: the indices land where the image says, as Qt's own reader sees them.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QImage>
#include <algorithm>
#include <bit>
#include <random>
#include <string>

#include "anigif/gif_builder.h"
#include "gif_samples.h"

namespace {

using anigif_test::buildGif;
using anigif_test::FrameSpec;
using anigif_test::GifPlan;
using anigif_test::paletteOf;
using anigif_test::patternFrame;
using gif_test::kUntouched;
using gif_test::TestPlane;

struct ValidCase {
    std::string name;
    GifPlan gif;
    // Qt places images that overflow the screen its own way, and paints indices beyond the table.
    bool qtAgrees = true;
    // The image fills its screen with indices of its table.
    bool whole = true;
};

GifPlan oneFrame(int screenWidth, int screenHeight, FrameSpec frame,
                 std::optional<anigif_test::Colours> global) {
    GifPlan plan;
    plan.screenWidth = screenWidth;
    plan.screenHeight = screenHeight;
    plan.globalTable = std::move(global);
    plan.frames.push_back(std::move(frame));
    return plan;
}

FrameSpec withLocal(FrameSpec f, int entries) {
    f.localTable = paletteOf(entries, 7);
    return f;
}

FrameSpec transparentAt(FrameSpec f, int index) {
    f.transparent = true;
    f.transIndex = index;
    return f;
}

FrameSpec interlaced(FrameSpec f) {
    f.interlaced = true;
    return f;
}

FrameSpec noise(int w, int h, int colours, unsigned seed) {
    FrameSpec f = patternFrame(0, 0, w, h, colours, 0);
    std::mt19937 random(seed);
    for (auto& index : f.indices) index = std::uint8_t(random() % unsigned(colours));
    return f;
}

// Where every index of the image should land on the screen, and which are left alone.
std::vector<std::uint8_t> expectedPlane(const GifPlan& gif) {
    const FrameSpec& f = gif.frames.front();
    // Tables are written out to a power of two.
    const std::size_t colours = f.localTable ? f.localTable->size() : gif.globalTable->size();
    const std::size_t entries = std::bit_ceil(std::max<std::size_t>(colours, 2));
    std::vector<std::uint8_t> plane(std::size_t(gif.screenWidth * gif.screenHeight), kUntouched);
    for (int y = 0; y < f.height; ++y) {
        for (int x = 0; x < f.width; ++x) {
            const int sx = f.left + x, sy = f.top + y;
            const std::uint8_t index = f.indices[std::size_t(y * f.width + x)];
            const bool shown = index < entries && !(f.transparent && index == f.transIndex);
            if (sx < gif.screenWidth && sy < gif.screenHeight && shown) {
                plane[std::size_t(sy * gif.screenWidth + sx)] = index;
            }
        }
    }
    return plane;
}

void PrintTo(const ValidCase& c, std::ostream* os) {
    *os << c.name;
}

class ValidGif : public testing::TestWithParam<ValidCase> {};

TEST_P(ValidGif, IndicesLandWhereTheImageSays) {
    const GifPlan& gif = GetParam().gif;
    TestPlane plane(gif.screenWidth, gif.screenHeight);
    ASSERT_TRUE(platform::DecodeGifIndices(buildGif(gif), plane.view()));
    EXPECT_EQ(plane.pixels(), expectedPlane(gif));
    EXPECT_TRUE(plane.marginsUntouched());
}

TEST_P(ValidGif, ColoursMatchQtsReader) {
    if (!GetParam().qtAgrees) GTEST_SKIP() << "Qt places this image differently";
    const GifPlan& gif = GetParam().gif;
    const std::vector<std::uint8_t> bytes = buildGif(gif);
    const QImage qt =
        QImage::fromData(
            QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())), "GIF")
            .convertToFormat(QImage::Format_ARGB32);
    ASSERT_FALSE(qt.isNull());
    ASSERT_EQ(qt.size(), QSize(gif.screenWidth, gif.screenHeight));
    TestPlane plane(gif.screenWidth, gif.screenHeight);
    ASSERT_TRUE(platform::DecodeGifIndices(bytes, plane.view()));
    const FrameSpec& f = gif.frames.front();
    const anigif_test::Colours& colours = f.localTable ? *f.localTable : *gif.globalTable;
    // Qt paints what lies outside the image with its own background: only the image is compared.
    for (int y = f.top; y < std::min(f.top + f.height, plane.height()); ++y) {
        for (int x = f.left; x < std::min(f.left + f.width, plane.width()); ++x) {
            const QRgb seen = qt.pixel(x, y);
            if (plane.at(x, y) == kUntouched) {
                EXPECT_EQ(qAlpha(seen), 0) << "at " << x << "," << y;
            } else {
                const std::uint32_t colour =
                    plane.at(x, y) < colours.size() ? colours[plane.at(x, y)] : 0;
                EXPECT_EQ(seen & 0xFFFFFFu, colour) << "at " << x << "," << y;
                EXPECT_EQ(qAlpha(seen), 255) << "at " << x << "," << y;
            }
        }
    }
}

TEST_P(ValidGif, IsWholeOnlyWhereItFillsTheScreenWithColoursOfItsTable) {
    const GifPlan& gif = GetParam().gif;
    TestPlane plane(gif.screenWidth, gif.screenHeight);
    EXPECT_EQ(platform::DecodeWholeGifIndices(buildGif(gif), plane.view()),
              GetParam().whole ? platform::GifDecoding::Whole : platform::GifDecoding::Partial);
}

TEST_P(ValidGif, InfoGivesTheScreenTheTableAndTheTransparentIndex) {
    const GifPlan& gif = GetParam().gif;
    const std::vector<std::uint8_t> bytes = buildGif(gif);
    const std::optional<platform::GifImageInfo> info = platform::ReadGifImageInfo(bytes);
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->screenWidth, gif.screenWidth);
    EXPECT_EQ(info->screenHeight, gif.screenHeight);
    const FrameSpec& f = gif.frames.front();
    EXPECT_EQ(info->transparentIndex, f.transparent ? f.transIndex : -1);
    const anigif_test::Colours& colours = f.localTable ? *f.localTable : *gif.globalTable;
    ASSERT_GE(info->colourTable.size(), 3 * colours.size());
    for (std::size_t i = 0; i < colours.size(); ++i) {
        const std::uint32_t rgb = std::uint32_t(info->colourTable[3 * i]) << 16 |
                                  std::uint32_t(info->colourTable[3 * i + 1]) << 8 |
                                  info->colourTable[3 * i + 2];
        EXPECT_EQ(rgb, colours[i]) << "entry " << i;
    }
}

const ValidCase kValidCases[] = {
    {"OneFrameGlobalTable", oneFrame(10, 7, patternFrame(0, 0, 10, 7, 4, 1), paletteOf(4))},
    {"LocalTableWithoutGlobal",
     oneFrame(10, 8, withLocal(patternFrame(2, 1, 5, 4, 8, 2), 8), std::nullopt), true, false},
    {"LocalTableOverridesGlobal",
     oneFrame(9, 9, withLocal(patternFrame(0, 0, 9, 9, 16, 3), 16), paletteOf(2))},
    {"IndexBeyondTableLeftAlone", oneFrame(8, 6, patternFrame(0, 0, 8, 6, 4, 4), paletteOf(2)),
     false, false},
    {"TransparentIndexSkipped",
     oneFrame(12, 5, transparentAt(patternFrame(0, 0, 12, 5, 3, 5), 1), paletteOf(3))},
    {"InterlacedAllPasses",
     oneFrame(9, 19, interlaced(patternFrame(0, 0, 9, 19, 6, 6)), paletteOf(8))},
    {"InterlacedOneRow", oneFrame(5, 1, interlaced(patternFrame(0, 0, 5, 1, 4, 7)), paletteOf(4))},
    {"InterlacedWithTransparency",
     oneFrame(7, 13, transparentAt(interlaced(patternFrame(0, 0, 7, 13, 4, 8)), 2), paletteOf(4))},
    {"ImageOffsetOnScreen", oneFrame(16, 12, patternFrame(5, 3, 6, 7, 4, 9), paletteOf(4)), true,
     false},
    {"ImageClippedByScreen", oneFrame(10, 10, patternFrame(6, 5, 8, 8, 4, 10), paletteOf(4)), false,
     false},
    // Noise keeps strings short, so the codes grow to 12 bits and the table is cleared when full.
    {"CodesGrowToTwelveBits", oneFrame(96, 96, noise(96, 96, 200, 11), paletteOf(256))},
};

INSTANTIATE_TEST_SUITE_P(Decoder, ValidGif, testing::ValuesIn(kValidCases),
                         [](const auto& info) { return info.param.name; });

}  // namespace
