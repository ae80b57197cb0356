// GIFs and 8-bit bitmaps are decoded by the program's own readers where they see the whole
// picture, and by Qt's otherwise; either way a picture shows the pixels Qt's reader gives, and
// only a large opaque one is kept as colour indices.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QImage>
#include <functional>
#include <random>
#include <string>

#include "anigif/gif_builder.h"
#include "platform/forms/picture.h"
#include "platform/runtime/failure.h"
#include "resources/encoding/bmp_encoder.h"

namespace {

using anigif_test::buildGif;
using anigif_test::FrameSpec;
using anigif_test::GifPlan;
using anigif_test::paletteOf;

FrameSpec noise(int left, int top, int w, int h, int colours) {
    FrameSpec f = anigif_test::patternFrame(left, top, w, h, colours, 0);
    std::mt19937 random(unsigned(w * h));
    for (auto& index : f.indices) index = std::uint8_t(random() % unsigned(colours));
    return f;
}

GifPlan plan(int screenWidth, int screenHeight, FrameSpec frame) {
    GifPlan gif;
    gif.screenWidth = screenWidth;
    gif.screenHeight = screenHeight;
    gif.globalTable = paletteOf(64);
    gif.frames.push_back(std::move(frame));
    return gif;
}

QByteArray bytesOf(const GifPlan& gif, std::size_t cutTo = SIZE_MAX) {
    std::vector<std::uint8_t> bytes = buildGif(gif);
    if (cutTo < bytes.size()) bytes.resize(cutTo);
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

struct DecodingCase {
    std::string name;
    std::function<QByteArray()> file;
    QImage::Format kept;
};

void PrintTo(const DecodingCase& c, std::ostream* os) {
    *os << c.name;
}

// The picture shows the pixels Qt's reader gives and is kept as `kept`; what Qt cannot read
// is refused.
void ExpectQtsPixels(const QByteArray& data, const char* format, QImage::Format kept) {
    const QImage qt = QImage::fromData(data, format);
    if (qt.isNull()) {
        EXPECT_THROW(forms::Picture::fromData(data), platform::RuntimeFailure);
        return;
    }
    const forms::Picture picture = forms::Picture::fromData(data);
    const QImage& image = picture.image();
    EXPECT_EQ(image.format(), kept);
    ASSERT_EQ(image.size(), qt.size());
    EXPECT_EQ(image.convertToFormat(QImage::Format_ARGB32_Premultiplied),
              qt.convertToFormat(QImage::Format_ARGB32_Premultiplied));
}

class GifPictures : public testing::TestWithParam<DecodingCase> {};

TEST_P(GifPictures, ShowQtsPixelsAndKeepIndicesOnlyWhenLargeAndOpaque) {
    ExpectQtsPixels(GetParam().file(), "GIF", GetParam().kept);
}

FrameSpec transparent(FrameSpec f) {
    f.transparent = true;
    f.transIndex = 3;
    return f;
}

FrameSpec interlaced(FrameSpec f) {
    f.interlaced = true;
    return f;
}

constexpr auto kIndexed = QImage::Format_Indexed8;
constexpr auto kColours = QImage::Format_ARGB32_Premultiplied;

const DecodingCase kCases[] = {
    {"LargeOpaque", [] { return bytesOf(plan(300, 240, noise(0, 0, 300, 240, 64))); }, kIndexed},
    {"LargeOpaqueInterlaced",
     [] { return bytesOf(plan(260, 260, interlaced(noise(0, 0, 260, 260, 64)))); }, kIndexed},
    {"LargeWithTransparency",
     [] { return bytesOf(plan(300, 240, transparent(noise(0, 0, 300, 240, 64)))); }, kColours},
    {"SmallOpaque", [] { return bytesOf(plan(40, 30, noise(0, 0, 40, 30, 64))); }, kColours},
    // Left to Qt's reader: a cut in the data, an image short of its screen.
    {"LargeCutShort", [] { return bytesOf(plan(300, 240, noise(0, 0, 300, 240, 64)), 20000); },
     kColours},
    {"LargeShortOfItsScreen", [] { return bytesOf(plan(300, 240, noise(10, 10, 280, 220, 64))); },
     kColours},
};

INSTANTIATE_TEST_SUITE_P(Decoding, GifPictures, testing::ValuesIn(kCases),
                         [](const auto& info) { return info.param.name; });

// A bitmap of noise in `colours` colours, as the picture generator writes them (top down).
QByteArray bitmap(int w, int h, int colours) {
    resources::IndexedImage image;
    image.width = w;
    image.height = h;
    for (int i = 0; i < colours; ++i) image.palette.push_back(qRgb(i * 3, 255 - i, i * 7 % 256));
    std::mt19937 random(unsigned(w * h));
    for (int i = 0; i < w * h; ++i)
        image.indices.push_back(std::uint8_t(random() % unsigned(colours)));
    const std::vector<std::uint8_t> bytes = resources::encodeBmp(image);
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

void put32(QByteArray& bmp, int at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bmp[at + i] = char(value >> (8 * i));
}

// The same picture with its rows stored bottom up, as most bitmaps are.
QByteArray bottomUp(QByteArray bmp) {
    const int width = QImage::fromData(bmp, "BMP").width();
    const int height = QImage::fromData(bmp, "BMP").height();
    const int stride = (width + 3) / 4 * 4;
    const int pixelsAt = int(std::uint8_t(bmp[10])) | int(std::uint8_t(bmp[11])) << 8;
    const QByteArray rows = bmp.mid(pixelsAt);
    for (int y = 0; y < height; ++y)
        bmp.replace(pixelsAt + y * stride, stride, rows.mid((height - 1 - y) * stride, stride));
    put32(bmp, 22, std::uint32_t(height));
    return bmp;
}

class BitmapPictures : public testing::TestWithParam<DecodingCase> {};

TEST_P(BitmapPictures, ShowQtsPixelsAndKeepIndicesOnlyWhenLarge) {
    ExpectQtsPixels(GetParam().file(), "BMP", GetParam().kept);
}

const DecodingCase kBitmapCases[] = {
    {"LargeTopDown", [] { return bitmap(300, 240, 64); }, kIndexed},
    {"LargeBottomUp", [] { return bottomUp(bitmap(300, 240, 64)); }, kIndexed},
    {"LargeWithPaddedRows", [] { return bitmap(301, 240, 200); }, kIndexed},
    {"Small", [] { return bitmap(40, 30, 16); }, kColours},
    // Left to Qt's reader: an index beyond the colour table, rows cut short.
    {"IndexBeyondItsColours",
     [] {
         QByteArray bmp = bitmap(300, 240, 64);
         put32(bmp, 46, 16);  // the table now names 16 of its 64 colours
         return bmp;
     },
     kColours},
    {"CutShort", [] { return bitmap(300, 240, 64).left(20000); }, kColours},
};

INSTANTIATE_TEST_SUITE_P(Decoding, BitmapPictures, testing::ValuesIn(kBitmapCases),
                         [](const auto& info) { return info.param.name; });

}  // namespace
