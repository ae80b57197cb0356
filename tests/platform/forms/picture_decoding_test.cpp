// GIFs are decoded by the program's own reader where it sees the whole picture, and by Qt's
// otherwise; either way a picture shows the pixels Qt's reader gives, and only a large opaque one
// is kept as colour indices.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QImage>
#include <functional>
#include <random>
#include <string>

#include "anigif/gif_builder.h"
#include "platform/forms/picture.h"

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

class GifPictures : public testing::TestWithParam<DecodingCase> {};

TEST_P(GifPictures, ShowQtsPixelsAndKeepIndicesOnlyWhenLargeAndOpaque) {
    const QByteArray data = GetParam().file();
    const QImage qt = QImage::fromData(data, "GIF");
    ASSERT_FALSE(qt.isNull());
    const forms::Picture picture = forms::Picture::fromData(data);
    const QImage& image = picture.image();
    EXPECT_EQ(image.format(), GetParam().kept);
    ASSERT_EQ(image.size(), qt.size());
    EXPECT_EQ(image.convertToFormat(QImage::Format_ARGB32_Premultiplied),
              qt.convertToFormat(QImage::Format_ARGB32_Premultiplied));
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

}  // namespace
