// Broken and cut-short GIFs: refused with nothing written when the image cannot be placed, and
// the pixels decoded before a fault in the image data kept.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "gif_samples.h"

namespace {

using gif_test::CodeWriter;
using gif_test::gifWithCodes;
using gif_test::kUntouched;
using gif_test::TestPlane;

constexpr int kWidth = 8, kHeight = 4, kPixels = kWidth * kHeight;
constexpr int kMinimumCodeSize = 2;

std::uint8_t rootAt(int i) {
    return std::uint8_t((i * 7 / 3) % 4);
}

// A clear code, then `count` pixels each written as its own root code.
CodeWriter roots(int count) {
    CodeWriter codes(kMinimumCodeSize);
    codes.clear();
    for (int i = 0; i < count; ++i) codes.put(rootAt(i));
    return codes;
}

std::vector<std::uint8_t> gifOf(const CodeWriter& codes) {
    return gifWithCodes(kWidth, kHeight, kMinimumCodeSize, codes.bytes());
}

std::vector<std::uint8_t> wholeImage() {
    CodeWriter codes = roots(kPixels);
    return gifOf(codes.end());
}

// Header (6), screen (7), global table of four (12).
constexpr std::size_t kImageDescriptorAt = 6 + 7 + 12;
constexpr std::size_t kCodeSizeAt = kImageDescriptorAt + 10;

std::vector<std::uint8_t> firstBytes(std::size_t n) {
    std::vector<std::uint8_t> gif = wholeImage();
    gif.resize(n);
    return gif;
}

struct BrokenCase {
    std::string name;
    std::function<std::vector<std::uint8_t>()> file;
    bool accepted;
    int leastDecoded;  // pixels decoded, in order, before the rest is left alone
    int mostDecoded;
};

BrokenCase refused(std::string name, std::function<std::vector<std::uint8_t>()> file) {
    return {std::move(name), std::move(file), false, 0, 0};
}

BrokenCase decodes(std::string name, std::function<std::vector<std::uint8_t>()> file, int least,
                   int most) {
    return {std::move(name), std::move(file), true, least, most};
}

void PrintTo(const BrokenCase& c, std::ostream* os) {
    *os << c.name;
}

class BrokenGif : public testing::TestWithParam<BrokenCase> {};

TEST_P(BrokenGif, KeepsOnlyWhatWasDecodedBeforeTheFault) {
    const BrokenCase& c = GetParam();
    TestPlane plane(kWidth, kHeight);
    EXPECT_EQ(platform::DecodeGifIndices(c.file(), plane.view()), c.accepted);
    const std::vector<std::uint8_t> pixels = plane.pixels();
    int decoded = 0;
    while (decoded < kPixels && pixels[std::size_t(decoded)] == rootAt(decoded)) ++decoded;
    EXPECT_GE(decoded, c.leastDecoded);
    EXPECT_LE(decoded, c.mostDecoded);
    for (int i = decoded; i < kPixels; ++i) {
        EXPECT_EQ(pixels[std::size_t(i)], kUntouched) << "pixel " << i;
    }
    EXPECT_TRUE(plane.marginsUntouched());
}

// A picture missing any pixel is never reported whole, so its user can fall back on another
// reader rather than show the gaps.
TEST_P(BrokenGif, IsWholeOnlyWhenEveryPixelWasDecoded) {
    const BrokenCase& c = GetParam();
    TestPlane plane(kWidth, kHeight);
    const platform::GifDecoding outcome = platform::DecodeWholeGifIndices(c.file(), plane.view());
    if (!c.accepted) {
        EXPECT_EQ(outcome, platform::GifDecoding::Refused);
    } else if (c.mostDecoded < kPixels) {
        EXPECT_EQ(outcome, platform::GifDecoding::Partial);
    } else {
        EXPECT_EQ(outcome, platform::GifDecoding::Whole);
    }
}

const BrokenCase kBrokenCases[] = {
    refused("EmptyFile", [] { return std::vector<std::uint8_t>{}; }),
    refused("SignatureOnly", [] { return firstBytes(6); }),
    refused("ScreenDescriptorCut", [] { return firstBytes(10); }),
    refused("GlobalTableCut", [] { return firstBytes(13 + 5); }),
    refused("TrailerWithoutImage",
            [] {
                auto gif = firstBytes(kImageDescriptorAt);
                gif.push_back(';');
                return gif;
            }),
    refused("ExtensionsWithoutImage",
            [] {
                auto gif = firstBytes(kImageDescriptorAt);
                gif.insert(gif.end(), {0x21, 0xF9, 4, 1, 0, 0, 2, 0, 0x21, 0xFE, 2, 'h', 'i', 0});
                return gif;
            }),
    refused("UnknownBlock",
            [] {
                auto gif = wholeImage();
                gif[kImageDescriptorAt] = 0x42;
                return gif;
            }),
    refused("ImageDescriptorCut", [] { return firstBytes(kImageDescriptorAt + 5); }),
    refused("CodeSizeMissing", [] { return firstBytes(kCodeSizeAt); }),
    refused("CodeSizeAboveTwelveBits",
            [] {
                auto gif = wholeImage();
                gif[kCodeSizeAt] = 13;
                return gif;
            }),
    refused("LocalTableCut",
            [] {
                auto gif = firstBytes(kCodeSizeAt);
                gif.back() = 0x82;  // a local table of eight colours, and only two of them
                gif.insert(gif.end(), {1, 2, 3, 4, 5, 6});
                return gif;
            }),
    decodes(
        "ImageDataMissing", [] { return firstBytes(kCodeSizeAt + 1); }, 0, 0),
    decodes(
        "DataCutShort",
        [] {
            auto gif = wholeImage();
            gif.resize(kCodeSizeAt + 2 + 6);  // the code size, one block length, six bytes
            return gif;
        },
        1, kPixels - 1),
    decodes(
        "EndCodeEarly",
        [] {
            CodeWriter codes = roots(10);
            return gifOf(codes.end());
        },
        10, 10),
    // After eight roots the next code to be defined is 13; 14 names nothing.
    decodes(
        "UndefinedCode",
        [] {
            CodeWriter codes = roots(8);
            return gifOf(codes.put(14).put(0).end());
        },
        8, 8),
    decodes(
        "FirstCodeNotARoot",
        [] {
            CodeWriter codes(kMinimumCodeSize);
            return gifOf(codes.clear().put(6).put(0).end());
        },
        0, 0),
    decodes(
        "CodeAfterClearNotARoot",
        [] {
            CodeWriter codes = roots(5);
            return gifOf(codes.clear().put(6).put(0).end());
        },
        5, 5),
    decodes(
        "NoEndCode", [] { return gifOf(roots(kPixels)); }, kPixels, kPixels),
    decodes(
        "MoreDataThanPixels",
        [] {
            CodeWriter codes = roots(kPixels);
            for (int i = 0; i < 40; ++i) codes.put(3);
            return gifOf(codes.end());
        },
        kPixels, kPixels),
    decodes(
        "ClearCodesOnly",
        [] {
            CodeWriter codes(kMinimumCodeSize);
            return gifOf(codes.clear().clear().end());
        },
        0, 0),
    decodes(
        "NoColourTable",
        [] {
            auto gif = wholeImage();
            gif[10] &= 0x7F;  // no global table, and the image brings none: nothing to draw
            gif.erase(gif.begin() + 13, gif.begin() + 13 + 12);
            return gif;
        },
        0, 0),
};

INSTANTIATE_TEST_SUITE_P(Decoder, BrokenGif, testing::ValuesIn(kBrokenCases),
                         [](const auto& info) { return info.param.name; });

}  // namespace
