// Renders every picture of the set onto one sheet, so a person can look the set over:
// $KORVASH_TEST_TMP/pictures_contact_sheet.png.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <memory>

#include "resources/design_names.h"
#include "resources/resource_store.h"
#include "support/temp_folder.h"

namespace resources {
namespace {

QImage decode(std::span<const uint8_t> bytes) {
    return QImage::fromData(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}

class SheetWriter {
  public:
    explicit SheetWriter(int width) : width_(width) {}
    void add(const QString& label, const QImage& image) { items_.push_back({label, image}); }
    QImage render() const {
        // Flow layout: left to right, wrapping, each item with its label beneath.
        int x = kGap, y = kGap, rowHeight = 0;
        std::vector<QPoint> places;
        for (const auto& item : items_) {
            const QSize size = cellSize(item.image);
            if (x + size.width() > width_ && x > kGap) {
                x = kGap;
                y += rowHeight + kGap;
                rowHeight = 0;
            }
            places.emplace_back(x, y);
            x += size.width() + kGap;
            rowHeight = std::max(rowHeight, size.height());
        }
        QImage sheet(width_, y + rowHeight + kGap, QImage::Format_RGB32);
        sheet.fill(QColor(90, 90, 96));
        QPainter p(&sheet);
        p.setFont(QFont(QStringLiteral("WenQuanYi Micro Hei"), 7));
        for (size_t i = 0; i < items_.size(); ++i) {
            const QPoint at = places[i];
            const QImage& image = items_[i].image;
            // A checker shows which pixels are see-through.
            for (int cy = 0; cy < image.height(); cy += 4)
                for (int cx = 0; cx < image.width(); cx += 4)
                    p.fillRect(at.x() + cx, at.y() + cy, std::min(4, image.width() - cx),
                               std::min(4, image.height() - cy),
                               (cx + cy) / 4 % 2 ? QColor(200, 200, 200) : QColor(150, 150, 150));
            p.drawImage(at, image);
            p.setPen(Qt::white);
            p.drawText(QRect(at.x(), at.y() + image.height(), std::max(image.width(), 40), kLabel),
                       Qt::AlignLeft | Qt::AlignVCenter, items_[i].label);
        }
        return sheet;
    }

  private:
    static constexpr int kGap = 6, kLabel = 12;
    static QSize cellSize(const QImage& image) {
        return {std::max(image.width(), 40), image.height() + kLabel};
    }
    struct Item {
        QString label;
        QImage image;
    };
    int width_;
    std::vector<Item> items_;
};

TEST(ContactSheet, RendersEveryPictureOntoOneSheet) {
    int argc = 1;
    char name[] = "test_resources";
    char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const auto app = std::make_unique<QGuiApplication>(argc, argv);

    SheetWriter sheet(1600);
    int pictures = 0;
    for (int id : resourceIds("GIF")) {
        const QImage image = decode(*findResource("GIF", id));
        ASSERT_FALSE(image.isNull()) << id;
        sheet.add(QString::number(id), image);
        ++pictures;
    }
    for (const design::DesignPicture& picture : design::kAll) {
        QImage image = decode(*findDesignPicture(picture.name));
        ASSERT_FALSE(image.isNull()) << picture.name;
        if (image.width() > 600)
            image = image.scaledToWidth(image.width() / 2, Qt::SmoothTransformation);
        sheet.add(QString::fromUtf8(picture.name.data(), qsizetype(picture.name.size())), image);
    }
    const QImage rendered = sheet.render();
    const auto path = testRoot() / "pictures_contact_sheet.png";
    std::filesystem::create_directories(path.parent_path());
    EXPECT_TRUE(rendered.save(QString::fromStdString(path.string())));
    EXPECT_GT(pictures, 300);
}

}  // namespace
}  // namespace resources
