// The code dictionary at its limits: full without a clear, and its deepest strings.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QImage>

#include "gif_samples.h"

namespace {

using gif_test::CodeWriter;
using gif_test::gifWithCodes;
using gif_test::TestPlane;

constexpr int kMinimumCodeSize = 2;
constexpr int kFirstFreeCode = (1 << kMinimumCodeSize) + 2;
constexpr int kLastCode = 4095;

std::uint8_t rootAt(int i) {
    return std::uint8_t((i * 7 / 3 + i / 5) % 4);
}

TEST(GifDictionary, FullTableWithoutClearKeepsDecodingAtTwelveBits) {
    constexpr int kWidth = 64, kHeight = 70;
    // Every root after the first defines one code: the last defined is the previous and the
    // newest root, and the table then stays full.
    constexpr int kRootsToFill = kLastCode - kFirstFreeCode + 2;
    CodeWriter codes(kMinimumCodeSize);
    codes.clear();
    std::vector<std::uint8_t> expected;
    for (int i = 0; i < kRootsToFill; ++i) {
        codes.put(rootAt(i));
        expected.push_back(rootAt(i));
    }
    ASSERT_EQ(codes.width(), 12);
    codes.put(kLastCode);
    expected.push_back(rootAt(kRootsToFill - 2));
    expected.push_back(rootAt(kRootsToFill - 1));
    for (int i = 0; expected.size() < std::size_t(kWidth * kHeight); ++i) {
        codes.put(rootAt(i));
        expected.push_back(rootAt(i));
    }
    const auto gif = gifWithCodes(kWidth, kHeight, kMinimumCodeSize, codes.end().bytes());

    TestPlane plane(kWidth, kHeight);
    ASSERT_TRUE(platform::DecodeGifIndices(gif, plane.view()));
    EXPECT_EQ(plane.pixels(), expected);

    const QImage qt =
        QImage::fromData(
            QByteArray(reinterpret_cast<const char*>(gif.data()), qsizetype(gif.size())), "GIF")
            .convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(qt.size(), QSize(kWidth, kHeight));
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            ASSERT_EQ(qBlue(qt.pixel(x, y)), plane.at(x, y) * 85) << "at " << x << "," << y;
        }
    }
}

// Each code names the string being defined (the previous one and its first index again), so
// every string is one longer than the last: the longest chains the dictionary can hold.
TEST(GifDictionary, DeepestChainsDecodeInFull) {
    CodeWriter codes(kMinimumCodeSize);
    codes.clear().put(1);
    long pixels = 1;
    for (int code = kFirstFreeCode; code <= kLastCode; ++code) {
        codes.put(code);
        pixels += code - kFirstFreeCode + 2;
    }
    codes.put(kLastCode).put(2);
    pixels += kLastCode - kFirstFreeCode + 2 + 1;
    constexpr int kWidth = 4096;
    const int height = int((pixels + kWidth - 1) / kWidth);
    const auto gif = gifWithCodes(kWidth, height, kMinimumCodeSize, codes.end().bytes());

    // The plane shows the first rows in full and the last row's start and end.
    TestPlane plane(kWidth, height, 1);
    ASSERT_TRUE(platform::DecodeGifIndices(gif, plane.view()));
    const long last = pixels - 1;
    EXPECT_EQ(plane.at(0, 0), 1);
    EXPECT_EQ(plane.at(kWidth - 1, 0), 1);
    EXPECT_EQ(plane.at(int((last - 1) % kWidth), int((last - 1) / kWidth)), 1);
    EXPECT_EQ(plane.at(int(last % kWidth), int(last / kWidth)), 2);
    EXPECT_TRUE(plane.marginsUntouched());
}

}  // namespace
