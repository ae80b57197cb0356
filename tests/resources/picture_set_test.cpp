// The program's own picture set: every number the program asks for is there, at its size, in
// the format the picture loader expects, and decodes.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <set>

#include "resources/design_names.h"
#include "resources/picture_ids.h"
#include "resources/resource_store.h"

namespace resources {
namespace {

struct Decoded {
    QImage image;
    QByteArray format;
};

Decoded decode(std::span<const uint8_t> bytes) {
    QByteArray data(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);  // the format comes from the data
    Decoded result;
    result.format = reader.format();
    result.image = reader.read();
    return result;
}

Decoded decodePicture(int id) {
    const auto bytes = findResource("GIF", id);
    return bytes ? decode(*bytes) : Decoded{};
}

// Picture numbers by what they show, with the sizes the program places them at.
struct SizeRange {
    int first;
    int last;
    int width;
    int height;
};

const SizeRange kSizes[] = {
    {3, 15, 92, 122},     {19, 31, 92, 122},    {35, 47, 92, 122},    {51, 63, 92, 122},
    {16, 17, 92, 122},    {18, 18, 78, 103},    {301, 354, 72, 95},   {150, 151, 48, 30},
    {152, 169, 55, 31},   {283, 300, 43, 24},   {170, 177, 65, 30},   {178, 186, 60, 40},
    {187, 192, 62, 25},   {430, 447, 66, 38},   {450, 479, 91, 116},  {480, 481, 80, 40},
    {850, 864, 16, 14},   {870, 870, 175, 138}, {871, 871, 276, 215}, {872, 872, 434, 341},
    {873, 873, 137, 108}, {874, 874, 216, 168}, {875, 875, 339, 266}, {506, 509, 57, 13},
    {280, 282, 70, 29},   {360, 362, 70, 29},   {600, 601, 60, 29},
};

std::set<int> idsOfTables(float scale) {
    const PictureIds t = InitImageIds(scale);
    std::set<int> ids;
    const auto collect = [&ids](const auto& table) {
        for (const QString& entry : table)
            if (!entry.isEmpty()) ids.insert(entry.toInt());
    };
    collect(t.g_aIdCards);
    collect(t.g_aIdPile1), collect(t.g_aIdPile1Small), collect(t.g_aIdPile2);
    collect(t.g_aIdPile2Small), collect(t.g_aIdPile3), collect(t.g_aIdPile3Small);
    collect(t.g_aIdCallBadge), collect(t.g_aIdAnNiu), collect(t.g_aIdDialog);
    collect(t.g_aIdOperation), collect(t.g_aIdJiaofen), collect(t.g_aIdAvatar);
    collect(t.g_aIdReadyBadge), collect(t.g_aIdPlaceBadge), collect(t.g_aIdPaneButtons);
    collect(t.g_aIdVideoBack);
    return ids;
}

// Numbers the program uses directly, not through the tables.
const int kDirectIds[] = {14,  30,  46,  62,  18,  201, 202, 203, 204, 477, 478,
                          479, 480, 481, 506, 507, 508, 509, 600, 601, 863, 864};

TEST(PictureSet, HoldsEveryNumberTheProgramAsksFor) {
    std::set<int> wanted = idsOfTables(1.0f);
    wanted.merge(idsOfTables(0.78125f));
    wanted.insert(std::begin(kDirectIds), std::end(kDirectIds));
    for (int id : wanted) {
        const Decoded picture = decodePicture(id);
        EXPECT_FALSE(picture.image.isNull()) << "picture " << id;
    }
    EXPECT_TRUE(wanted.count(975)) << "the right seat's one-card small pile is asked for";
}

TEST(PictureSet, PicturesHaveTheirStatedSizes) {
    for (const SizeRange& range : kSizes)
        for (int id = range.first; id <= range.last; ++id) {
            const Decoded picture = decodePicture(id);
            EXPECT_EQ(picture.image.size(), QSize(range.width, range.height)) << "picture " << id;
        }
}

TEST(PictureSet, VideoBackgroundsAreJpegAndAllOthersGif) {
    for (int id : resourceIds("GIF")) {
        const Decoded picture = decodePicture(id);
        EXPECT_EQ(picture.format, id >= 870 && id <= 875 ? QByteArray("jpeg") : QByteArray("gif"))
            << "picture " << id;
        const auto bytes = findResource("GIF", id);
        if (picture.format == "gif") {
            EXPECT_EQ(std::string(bytes->begin(), bytes->begin() + 6), "GIF89a") << id;
        }
    }
}

TEST(PictureSet, AvatarsShareOneSize) {
    const QSize size = decodePicture(240).image.size();
    EXPECT_FALSE(size.isEmpty());
    for (int id = 241; id <= 259; ++id) EXPECT_EQ(decodePicture(id).image.size(), size) << id;
}

TEST(PictureSet, PilesGrowWithTheCardsHeldAndFitTheirPlace) {
    for (int base : {900, 915, 930, 945, 960, 975}) {
        QSize previous;
        for (int held = 1; held <= 13; ++held) {
            const QSize size = decodePicture(base + held - 1).image.size();
            EXPECT_LE(size.width(), 200) << base + held - 1;
            EXPECT_LE(size.height(), 200) << base + held - 1;
            if (held > 1) {
                EXPECT_GT(size.width() * size.height(), previous.width() * previous.height());
            }
            previous = size;
        }
    }
}

double meanLightness(const QImage& image) {
    double sum = 0;
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) == 0) continue;
            sum += qGray(pixel);
            ++count;
        }
    return count ? sum / count : 0;
}

TEST(PictureSet, HoverPicturesAreVisiblyLighter) {
    std::vector<std::pair<int, int>> pairs{{178, 179}, {181, 182}, {187, 188}, {189, 190},
                                           {191, 192}, {170, 171}, {172, 173}, {506, 508},
                                           {507, 509}, {600, 601}};
    for (int normal = 150; normal < 170; normal += 2) pairs.emplace_back(normal, normal + 1);
    for (int normal = 283; normal < 300; normal += 2) pairs.emplace_back(normal, normal + 1);
    for (int normal = 430; normal < 448; normal += 2) pairs.emplace_back(normal, normal + 1);
    for (int normal = 850; normal <= 853; ++normal) pairs.emplace_back(normal, normal + 4);
    pairs.emplace_back(858, 859);
    pairs.emplace_back(863, 864);
    for (const auto& [normal, hover] : pairs)
        EXPECT_GT(meanLightness(decodePicture(hover).image),
                  meanLightness(decodePicture(normal).image) + 12)
            << normal << " / " << hover;
}

TEST(PictureSet, DesignPicturesDecodeAtTheirSizes) {
    for (const design::DesignPicture& picture : design::kAll) {
        const auto bytes = findDesignPicture(picture.name);
        ASSERT_TRUE(bytes) << picture.name;
        const Decoded decoded = decode(*bytes);
        EXPECT_EQ(decoded.image.size(), QSize(picture.width, picture.height)) << picture.name;
        // Plain bitmaps only where a picture is large and opaque: the loader copies those.
        const bool plain = picture.width * picture.height >= 256 * 256 &&
                           !decoded.image.hasAlphaChannel();
        EXPECT_EQ(decoded.format, plain ? "bmp" : "gif") << picture.name;
    }
    EXPECT_EQ(decode(*findDesignPicture(design::kTable.name)).format, "bmp");
}

TEST(PictureSet, SpeakBoxesAreSeeThroughWhereTheirCornerColourIs) {
    for (const auto& box : {design::kSpeakBox0, design::kSpeakBox1, design::kSpeakBox2,
                            design::kSpeakBox3, design::kSpeakBox4}) {
        const QImage image = decode(*findDesignPicture(box.name)).image;
        const QRgb key = image.pixel(0, 0);
        int keyed = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) keyed += image.pixel(x, y) == key;
        const int all = image.width() * image.height();
        EXPECT_GT(keyed, all / 20) << box.name;
        EXPECT_LT(keyed, all / 2) << box.name;
        EXPECT_NE(image.pixel(image.width() / 2, image.height() / 2), key) << box.name;
    }
}

}  // namespace
}  // namespace resources
