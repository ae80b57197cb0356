#include <gtest/gtest.h>

#include <random>

#include "anigif/frame_encoder.h"
#include "anigif/frame_strip.h"
#include "gif_builder.h"
#include "load_helpers.h"

namespace anigif_test {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A strip of one frame holding the given indices, with a palette of `colours` entries.
anigif::AniGifState stripOf(int w, int h, const std::vector<std::uint8_t>& indices, int colours,
                            bool transparent = false, int transIndex = 0) {
    GifPlan plan;
    plan.screenWidth = w;
    plan.screenHeight = h;
    plan.globalTable = paletteOf(colours);
    FrameSpec f;
    f.width = w;
    f.height = h;
    f.indices = indices;
    f.transparent = transparent;
    f.transIndex = transIndex;
    plan.frames = {f};
    anigif::AniGifState s;
    EXPECT_TRUE(loadState(s, buildGif(plan)));
    return s;
}

// The data sub-blocks after the image descriptor, joined.
Bytes codeStream(const Bytes& file, std::size_t dataStart) {
    Bytes codes;
    std::size_t at = dataStart;
    while (file[at] != 0) {
        codes.insert(codes.end(), file.begin() + at + 1, file.begin() + at + 1 + file[at]);
        at += file[at] + 1;
    }
    return codes;
}

TEST(FrameEncoder, OnePixelIsClearPixelEndInNineBits) {
    const anigif::AniGifState s = stripOf(1, 1, {5}, 8);
    const Bytes file = anigif::FrameToGifFile(s, 1);
    ASSERT_EQ(file.size(), 781u + 11 + 5 + 2);
    EXPECT_EQ(Bytes(file.begin(), file.begin() + 6), Bytes({'G', 'I', 'F', '8', '9', 'a'}));
    EXPECT_EQ(file[10], 0x87);
    EXPECT_EQ(file[781], 0x2C);
    EXPECT_EQ(file[791], 8);
    // 256 | 5 << 9 | 257 << 18 in 27 bits, one sub-block of 4 bytes.
    const std::uint32_t bits = 256u | (5u << 9) | (257u << 18);
    EXPECT_EQ(Bytes(file.begin() + 792, file.end()),
              Bytes({4, std::uint8_t(bits), std::uint8_t(bits >> 8), std::uint8_t(bits >> 16),
                     std::uint8_t(bits >> 24), 0x00, 0x3B}));
}

TEST(FrameEncoder, TransparentFrameCarriesTheExtensionAndPaletteIsPadded) {
    const anigif::AniGifState s = stripOf(4, 4, std::vector<std::uint8_t>(16, 1), 16, true, 3);
    const Bytes file = anigif::FrameToGifFile(s, 1);
    EXPECT_EQ(Bytes(file.begin() + 781, file.begin() + 789),
              Bytes({0x21, 0xF9, 0x04, 0x01, 0x00, 0x00, 3, 0x00}));
    EXPECT_EQ(file[13 + 3 * 15 + 2], std::uint8_t(paletteOf(16)[15]));
    for (int i = 13 + 3 * 16; i < 781; ++i) ASSERT_EQ(file[std::size_t(i)], 0) << i;
}

// 4096 pixels of one index: each string one pixel longer, about 90 codes.
TEST(FrameEncoder, OneIndexRunGrowsStrings) {
    const anigif::AniGifState s = stripOf(64, 64, std::vector<std::uint8_t>(4096, 2), 4);
    const Bytes file = anigif::FrameToGifFile(s, 1);
    const Bytes codes = codeStream(file, 792);
    // 91 string codes (1 + 2 + ... + 90 = 4095 pixels, then the last one) + clear + end.
    EXPECT_EQ(codes.size(), (93u * 9 + 7) / 8);
}

struct RoundTrip {
    const char* name;
    int w, h, colours;
    bool noise;
};

class EncoderRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

// Qt reads back exactly the strip's indices: code widths grow and the dictionary is cleared
// where code 4096 would be assigned; sub-blocks carry 254 bytes.
TEST_P(EncoderRoundTrip, QtDecodesTheStripsPixels) {
    const RoundTrip c = GetParam();
    std::mt19937 random(3);
    std::vector<std::uint8_t> indices(std::size_t(c.w * c.h));
    for (std::size_t i = 0; i < indices.size(); ++i) {
        indices[i] = std::uint8_t(c.noise ? random() % c.colours : (i / 7 + i % 5) % c.colours);
    }
    const anigif::AniGifState s = stripOf(c.w, c.h, indices, c.colours);
    const Bytes file = anigif::FrameToGifFile(s, 1);
    for (std::size_t at = 792; file[at] != 0; at += file[at] + 1) {
        if (file[at + file[at] + 1] != 0) ASSERT_EQ(file[at], 254);
    }
    const QImage decoded = anigif::PictureFromBytes(file).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(decoded.size(), QSize(c.w, c.h));
    const anigif::GifPalette& palette = s.gif.palettes[0];
    for (int y = 0; y < c.h; ++y) {
        for (int x = 0; x < c.w; ++x) {
            ASSERT_EQ(decoded.pixel(x, y) & 0xFFFFFF,
                      palette[s.m_Strip.image.constScanLine(y)[x]])
                << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Frames, EncoderRoundTrip,
                         ::testing::Values(RoundTrip{"Pattern", 37, 23, 16, false},
                                           RoundTrip{"NoiseFillsTheDictionary", 200, 150, 256, true},
                                           RoundTrip{"TwoColourNoise", 300, 200, 2, true},
                                           RoundTrip{"WideCodesPattern", 320, 240, 64, false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace anigif_test
