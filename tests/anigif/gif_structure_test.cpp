#include "anigif/gif_structure.h"

#include <gtest/gtest.h>

#include "gif_builder.h"

namespace anigif_test {
namespace {

using anigif::GifStructure;
using anigif::ScanGifStructure;
using Bytes = std::vector<std::uint8_t>;

GifPlan twoColourSpec(int frames) {
    GifPlan plan;
    plan.screenWidth = 8;
    plan.screenHeight = 8;
    plan.globalTable = paletteOf(4);
    for (int k = 0; k < frames; ++k) plan.frames.push_back(patternFrame(0, 0, 4, 4, 4, k));
    return plan;
}

struct ScanCase {
    const char* name;
    Bytes bytes;
    int frames;  // images recorded
};

std::vector<ScanCase> scanCases() {
    std::vector<ScanCase> cases;
    Bytes three = buildGif(twoColourSpec(3));
    cases.push_back({"ThreeImages", three, 3});
    Bytes lower = three;
    std::copy_n("gIf89A", 6, lower.begin());
    cases.push_back({"SignatureInAnyCase", lower, 3});
    Bytes v88 = three;
    v88[4] = '8';
    cases.push_back({"OtherVersionLoadsNothing", v88, 0});
    cases.push_back({"ShorterThanSixBytes", Bytes(three.begin(), three.begin() + 5), 0});
    cases.push_back({"EndsInsideGlobalTable", Bytes(three.begin(), three.begin() + 20), 0});
    // Cut inside the third image descriptor: two frames.
    const Bytes two = buildGif(twoColourSpec(2));
    cases.push_back({"CutInsideThirdDescriptor",
                     Bytes(three.begin(), three.begin() + (two.size() - 1) + 5), 2});
    Bytes zeros = two;
    zeros.insert(zeros.end() - 1, {0, 0, 0});
    cases.push_back({"ZeroBytesBetweenBlocksSkipped", zeros, 2});
    Bytes stray = two;
    stray.insert(stray.begin() + 13 + 12, 7);  // before the first image, after the table
    cases.push_back({"StrayByteEndsFile", stray, 0});
    GifPlan noGlobal = twoColourSpec(2);
    noGlobal.globalTable.reset();
    noGlobal.frames[0].localTable = paletteOf(4);
    cases.push_back({"ImageWithoutAnyTableFailsWholeLoad", buildGif(noGlobal), 0});
    return cases;
}

class ScanTable : public ::testing::TestWithParam<ScanCase> {};

TEST_P(ScanTable, RecordsTheImagesItCan) {
    GifStructure gif;
    EXPECT_EQ(ScanGifStructure(GetParam().bytes, gif), GetParam().frames);
    EXPECT_EQ(gif.frameCount(), GetParam().frames);
}

INSTANTIATE_TEST_SUITE_P(Files, ScanTable, ::testing::ValuesIn(scanCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GifStructure, ControlExtensionFieldsAndDepartures) {
    GifPlan plan = twoColourSpec(4);
    plan.frames[0].disposal = 3;  // restore-to-previous on the first image becomes 0
    plan.frames[1].disposal = 3;
    plan.frames[1].delayCs = 7;
    plan.frames[1].transparent = true;
    plan.frames[1].transIndex = 2;
    plan.frames[2].disposal = 5;  // 4..7 become 0
    const Bytes bytes = buildGif(plan);
    GifStructure gif;
    ASSERT_EQ(ScanGifStructure(bytes, gif), 4);
    EXPECT_EQ(gif.frame(1).disposal, 0);
    EXPECT_EQ(gif.frame(2).disposal, 3);
    EXPECT_EQ(gif.frame(2).delay, 70);
    EXPECT_EQ(gif.frame(2).transparent, 1);
    EXPECT_EQ(gif.frame(2).transIndex, 2);
    EXPECT_EQ(gif.frame(3).disposal, 0);
    // Without an extension: no delay, opaque, and the image starts at its separator.
    EXPECT_EQ(gif.frame(4).delay, 0);
    EXPECT_EQ(gif.frame(4).transparent, 0);
    EXPECT_EQ(gif.frame(4).dataStart, gif.spans[3].start);
    EXPECT_EQ(bytes[std::size_t(gif.spans[3].start - 1)], 0x2C);
    // With one, dataStart points at its introducer.
    EXPECT_EQ(bytes[std::size_t(gif.frame(2).dataStart - 1)], 0x21);
}

TEST(GifStructure, ExtensionThenCommentThenImage) {
    Bytes bytes = buildGif(twoColourSpec(1));
    const std::size_t image = 13 + 12;
    const Bytes extension = {0x21, 0xF9, 4, 0x09, 3, 0, 1, 0};
    const Bytes comment = {0x21, 0xFE, 2, 'h', 'i', 0};
    bytes.insert(bytes.begin() + image, comment.begin(), comment.end());
    bytes.insert(bytes.begin() + image, extension.begin(), extension.end());
    GifStructure gif;
    ASSERT_EQ(ScanGifStructure(bytes, gif), 1);
    EXPECT_EQ(gif.frame(1).dataStart, int(image) + 1);
    EXPECT_EQ(gif.frame(1).disposal, 2);
    EXPECT_EQ(gif.frame(1).transparent, 1);
    EXPECT_EQ(gif.frame(1).delay, 30);
}

TEST(GifStructure, LoopCountFromNetscapeExtensionInAnyCase) {
    GifPlan plan = twoColourSpec(1);
    GifStructure gif;
    ScanGifStructure(buildGif(plan), gif);
    EXPECT_EQ(gif.screen.loops, 0);
    plan.loops = 5;
    Bytes bytes = buildGif(plan);
    ScanGifStructure(bytes, gif);
    EXPECT_EQ(gif.screen.loops, 5);
    std::copy_n("netscape2.0", 11, bytes.begin() + 13 + 12 + 3);
    ScanGifStructure(bytes, gif);
    EXPECT_EQ(gif.screen.loops, 5);
}

TEST(GifStructure, SizeHoldsEveryImageWhateverTheHeaderSays) {
    GifPlan plan = twoColourSpec(0);
    plan.screenWidth = 500;
    plan.frames = {patternFrame(10, 10, 20, 30, 4, 0), patternFrame(0, 0, 5, 5, 4, 1)};
    GifStructure gif;
    ScanGifStructure(buildGif(plan), gif);
    EXPECT_EQ(gif.screen.width, 30);
    EXPECT_EQ(gif.screen.height, 40);
}

TEST(GifStructure, LocalTablesGetTheirOwnColumns) {
    GifPlan plan = twoColourSpec(2);
    plan.frames[0].localTable = paletteOf(4, 3);
    plan.frames[1].localTable = paletteOf(16, 5);
    GifStructure gif;
    ScanGifStructure(buildGif(plan), gif);
    EXPECT_EQ(gif.paletteCount, 2);
    EXPECT_EQ(gif.frame(1).paletteIndex, 1);
    EXPECT_EQ(gif.frame(2).paletteIndex, 2);
    EXPECT_EQ(gif.palettes[1][256], 4u);
    EXPECT_EQ(gif.palettes[1][2], paletteOf(4, 3)[2]);
    EXPECT_EQ(gif.palettes[1][4], 0u);
    EXPECT_EQ(gif.palettes[2][256], 16u);
}

TEST(GifStructure, ScanlineBytes) {
    EXPECT_EQ(anigif::ScanlineBytes(8, 13), 16);
    EXPECT_EQ(anigif::ScanlineBytes(24, 10), 32);
    EXPECT_EQ(anigif::ScanlineBytes(1, 33), 8);
}

}  // namespace
}  // namespace anigif_test
