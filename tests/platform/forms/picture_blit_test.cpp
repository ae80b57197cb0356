#include "platform/forms/picture_blit.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QRegion>
#include <QWidget>
#include <functional>
#include <string>

namespace forms_test {
namespace {

// A 40 x 30 indexed picture with a colour per pixel position, so a pixel drawn from the
// wrong place shows; `seeThrough` makes one colour transparent.
QImage indexedPicture(bool seeThrough = false) {
    QImage picture(40, 30, QImage::Format_Indexed8);
    QList<QRgb> colours;
    for (int i = 0; i < 256; ++i) colours.append(qRgb(i, 255 - i, (i * 7) & 0xFF));
    if (seeThrough) colours[5] = qRgba(0, 0, 0, 0);
    picture.setColorTable(colours);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, uint((x * 3 + y * 11) % 256));
    }
    return picture;
}

QImage background(QImage::Format format) {
    QImage raster(64, 48, format);
    raster.fill(QColor(20, 40, 60));
    return raster;
}

struct BlitCase {
    std::string name;
    QImage::Format format = QImage::Format_RGB32;
    std::function<void(QPainter&)> setUp = [](QPainter&) {};
    QPoint at{5, 7};
    bool seeThrough = false;
    bool direct = true;  // written straight into the raster rather than by the toolkit
};

class PictureBlitTest : public ::testing::TestWithParam<BlitCase> {};

// Whichever way it goes, the picture lands exactly where and as the toolkit would draw it.
TEST_P(PictureBlitTest, DrawsWhatTheToolkitDraws) {
    const BlitCase& c = GetParam();
    const QImage picture = indexedPicture(c.seeThrough);
    QImage expected = background(c.format);
    {
        QPainter painter(&expected);
        c.setUp(painter);
        painter.drawImage(c.at, picture);
    }
    QImage drawn = background(c.format);
    bool direct = false;
    {
        QPainter painter(&drawn);
        c.setUp(painter);
        direct = forms::drawPicture(painter, c.at, picture);
    }
    EXPECT_EQ(direct, c.direct);
    EXPECT_EQ(drawn, expected);
}

const BlitCase kBlitCases[] = {
    {.name = "Plain"},
    {.name = "PremultipliedRaster", .format = QImage::Format_ARGB32_Premultiplied},
    {.name = "PartlyOffTheRaster", .at = {-10, 30}},
    {.name = "ShiftedByTheTransform", .setUp = [](QPainter& p) { p.translate(12, -3); }},
    {.name = "ClippedToARect", .setUp = [](QPainter& p) { p.setClipRect(QRect(10, 10, 15, 8)); }},
    {.name = "ClippedToTwoRectsAfterAShift",
     .setUp =
         [](QPainter& p) {
             p.translate(3, 4);
             p.setClipRegion(QRegion(0, 0, 12, 12) + QRegion(20, 18, 30, 10));
         }},
    {.name = "EntirelyClippedAway",
     .setUp = [](QPainter& p) { p.setClipRect(QRect(60, 0, 4, 4)); }},
    {.name = "HalfAPixelAway", .setUp = [](QPainter& p) { p.translate(0.5, 0); }, .direct = false},
    {.name = "Scaled", .setUp = [](QPainter& p) { p.scale(2, 2); }, .direct = false},
    {.name = "HalfOpaque", .setUp = [](QPainter& p) { p.setOpacity(0.5); }, .direct = false},
    {.name = "WithATransparentColour", .seeThrough = true, .direct = false},
    {.name = "OntoA16BitRaster", .format = QImage::Format_RGB16, .direct = false},
};

INSTANTIATE_TEST_SUITE_P(Cases, PictureBlitTest, ::testing::ValuesIn(kBlitCases),
                         [](const auto& info) { return info.param.name; });

// Paints the picture over a plain background, by the toolkit or by drawPicture.
class PictureWidget : public QWidget {
  public:
    explicit PictureWidget(bool direct) : direct_(direct) { resize(64, 48); }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(20, 40, 60));
        if (direct_) {
            forms::drawPicture(painter, QPoint(5, 7), picture_);
        } else {
            painter.drawImage(QPoint(5, 7), picture_);
        }
    }

  private:
    bool direct_;
    QImage picture_ = indexedPicture();
};

// A window repainting part of itself paints nothing outside that part: the pixels beyond
// it keep what the window showed.
TEST(PictureBlitWindowTest, ARepaintStaysInsideTheRepaintedPart) {
    const QRegion part = QRegion(0, 0, 20, 20) + QRegion(30, 25, 10, 10);
    QImage shots[2];
    for (const bool direct : {false, true}) {
        PictureWidget widget(direct);
        QImage& shot = shots[direct];
        shot = QImage(widget.size(), QImage::Format_ARGB32_Premultiplied);
        shot.fill(Qt::white);
        widget.render(&shot, QPoint(), part, QWidget::RenderFlags());
    }
    EXPECT_EQ(shots[1], shots[0]);
    EXPECT_EQ(QColor(shots[1].pixel(25, 10)), QColor(Qt::white)) << "outside the part";
}

}  // namespace
}  // namespace forms_test
