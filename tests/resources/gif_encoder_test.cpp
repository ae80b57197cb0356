#include "resources/encoding/gif_encoder.h"

#include <gtest/gtest.h>

#include <QImage>
#include <functional>
#include <random>

namespace resources {
namespace {

QImage decodeGif(const std::vector<uint8_t>& bytes) {
    return QImage::fromData(QByteArrayView(bytes.data(), qsizetype(bytes.size())), "GIF")
        .convertToFormat(QImage::Format_ARGB32);
}

QImage filled(int width, int height, const std::function<QRgb(int, int)>& colourAt) {
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.setPixel(x, y, colourAt(x, y));
    return image;
}

QRgb noise(int x, int y, int colours) {
    std::minstd_rand random(uint32_t(x * 7919 + y * 104729 + 1));
    const int c = int(random() % uint32_t(colours));
    return qRgb((c * 37) % 256, (c * 91) % 256, (c * 53 + c / 7) % 256);
}

struct RoundTrip {
    const char* name;
    QImage image;
    int tolerance;  // per channel; 0 = exact
};

void PrintTo(const RoundTrip& c, std::ostream* os) {
    *os << c.name;
}

class GifRoundTrip : public testing::TestWithParam<RoundTrip> {};

TEST_P(GifRoundTrip, DecodesToTheSamePixels) {
    const QImage& original = GetParam().image;
    const QImage decoded = decodeGif(encodeGif(original));
    ASSERT_EQ(decoded.size(), original.size());
    int worst = 0;
    for (int y = 0; y < original.height(); ++y)
        for (int x = 0; x < original.width(); ++x) {
            const QRgb want = original.pixel(x, y), got = decoded.pixel(x, y);
            if (qAlpha(want) == 0) {
                ASSERT_EQ(qAlpha(got), 0) << x << "," << y;
                continue;
            }
            ASSERT_EQ(qAlpha(got), 255) << x << "," << y;
            worst = std::max({worst, std::abs(qRed(want) - qRed(got)),
                              std::abs(qGreen(want) - qGreen(got)),
                              std::abs(qBlue(want) - qBlue(got))});
        }
    EXPECT_LE(worst, GetParam().tolerance);
}

const QRgb kClear = qRgba(0, 0, 0, 0);

INSTANTIATE_TEST_SUITE_P(
    Images, GifRoundTrip,
    testing::Values(
        RoundTrip{"one pixel", filled(1, 1, [](int, int) { return qRgb(12, 34, 56); }), 0},
        RoundTrip{"one colour", filled(40, 30, [](int, int) { return qRgb(0, 128, 0); }), 0},
        RoundTrip{"one transparent pixel", filled(1, 1, [](int, int) { return kClear; }), 0},
        RoundTrip{
            "two colours, odd size",
            filled(13, 7,
                   [](int x, int y) { return (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0); }),
            0},
        RoundTrip{"tall and thin",
                  filled(1, 300, [](int, int y) { return qRgb(y % 3 * 100, 0, 0); }), 0},
        RoundTrip{"transparent border",
                  filled(31, 17,
                         [](int x, int y) {
                             return x == 0 || y == 0 || x == 30 || y == 16
                                        ? kClear
                                        : qRgb(x * 8, y % 4 * 60, 99);
                         }),
                  0},
        RoundTrip{"exactly 256 colours",
                  filled(64, 64, [](int x, int y) { return qRgb((y * 64 + x) % 256, 7, 200); }), 0},
        RoundTrip{"255 colours and transparency",
                  filled(50, 50, [](int x, int y) { return x < 5 ? kClear : noise(x, y, 255); }),
                  0},
        // Noise of many colours fills the 4096-entry string table many times over.
        RoundTrip{"noise fills the code table",
                  filled(317, 211, [](int x, int y) { return noise(x, y, 200); }), 0},
        RoundTrip{"long runs of one index", filled(2000, 3, [](int, int) { return qRgb(1, 2, 3); }),
                  0},
        RoundTrip{
            "smooth gradient of many colours",
            filled(300, 200,
                   [](int x, int y) { return qRgb(x * 255 / 299, y * 255 / 199, (x + y) % 256); }),
            40},
        RoundTrip{
            "gradient with transparency",
            filled(120, 90,
                   [](int x, int y) { return y < 10 ? kClear : qRgb(x * 2, y * 2, 255 - x); }),
            40}));

TEST(GifEncoder, ManyColoursKeepTheMeanColour) {
    const QImage original =
        filled(256, 256, [](int x, int y) { return qRgb(x, y, (x * y) % 256); });
    const QImage decoded = decodeGif(encodeGif(original));
    double error = 0;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            const QRgb a = original.pixel(x, y), b = decoded.pixel(x, y);
            error += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                     std::abs(qBlue(a) - qBlue(b));
        }
    EXPECT_LT(error / (256.0 * 256.0 * 3.0), 12.0);
}

TEST(GifEncoder, WritesASingleFrameGif89aWithTheTransparentIndex) {
    const QImage image = filled(3, 2, [](int x, int) { return x == 0 ? kClear : qRgb(9, 9, 9); });
    const std::vector<uint8_t> bytes = encodeGif(image);
    ASSERT_GE(bytes.size(), 13u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 6), "GIF89a");
    EXPECT_EQ(bytes[6] | bytes[7] << 8, 3);
    EXPECT_EQ(bytes[8] | bytes[9] << 8, 2);
    EXPECT_EQ(bytes.back(), 0x3b);
    int imageBlocks = 0;
    bool graphicControl = false;
    for (size_t i = 13 + 3 * 2; i + 1 < bytes.size(); ++i) {
        if (bytes[i] == 0x21 && bytes[i + 1] == 0xf9) graphicControl = true;
        if (bytes[i] == 0x2c) ++imageBlocks;
    }
    EXPECT_TRUE(graphicControl);
    EXPECT_GE(imageBlocks, 1);
}

TEST(GifEncoder, NullImageGivesNoBytes) {
    EXPECT_TRUE(encodeGif(QImage()).empty());
}

TEST(JpegEncoder, WritesAJpegQtReadsBack) {
    const QImage image = filled(20, 10, [](int x, int) { return qRgb(x * 10, 100, 50); });
    const std::vector<uint8_t> bytes = encodeJpeg(image);
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(bytes[0], 0xff);
    EXPECT_EQ(bytes[1], 0xd8);
    const QImage decoded = QImage::fromData(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    EXPECT_EQ(decoded.size(), image.size());
}

}  // namespace
}  // namespace resources
