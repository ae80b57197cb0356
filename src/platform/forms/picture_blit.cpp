#include "platform/forms/picture_blit.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QRegion>
#include <QTransform>
#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace forms {

namespace {

bool isOpaqueIndexed(const QImage& picture) {
    if (picture.format() != QImage::Format_Indexed8) return false;
    const QList<QRgb> colours = picture.colorTable();
    return std::all_of(colours.begin(), colours.end(),
                       [](QRgb colour) { return qAlpha(colour) == 255; });
}

// The painter's raster, where it paints on a plain 32-bit image; nullptr otherwise.
QImage* plainRaster(QPainter& painter) {
    QPaintEngine* engine = painter.paintEngine();
    if (!engine || engine->type() != QPaintEngine::Raster) return nullptr;
    QPaintDevice* device = engine->paintDevice();
    if (!device || device->devType() != QInternal::Image) return nullptr;
    auto* raster = static_cast<QImage*>(device);
    switch (raster->format()) {
        case QImage::Format_RGB32:
        case QImage::Format_ARGB32:
        case QImage::Format_ARGB32_Premultiplied:
            break;
        default:
            return nullptr;
    }
    if (raster->devicePixelRatio() != 1.0) return nullptr;
    return raster;
}

// Where the picture's top left lands on the raster, when that is a whole pixel and nothing
// but a shift lies between the painter's coordinates and the raster's.
std::optional<QPoint> wholePixelOrigin(const QPainter& painter, QPoint at) {
    const QTransform& transform = painter.deviceTransform();
    if (transform.type() > QTransform::TxTranslate) return std::nullopt;
    const QPointF origin = transform.map(QPointF(at));
    const QPoint whole(int(std::lround(origin.x())), int(std::lround(origin.y())));
    if (QPointF(whole) != origin) return std::nullopt;
    return whole;
}

// The raster pixels the painter may touch, within `area`: its own clip and the window
// system's (the part of the window being repainted).
QRegion paintableIn(QPainter& painter, const QRect& area) {
    QRegion paintable(area);
    if (painter.hasClipping()) paintable &= painter.deviceTransform().map(painter.clipRegion());
    const QRegion system = painter.paintEngine()->systemClip();
    if (!system.isEmpty()) paintable &= system;
    return paintable;
}

// The raster is written through its bits as the paint engine writes them: the engine made the
// image its own when it began, and a non-const scan line would ask it to detach again.
void lookUpColours(const QImage& picture, const std::array<QRgb, 256>& table, QPoint origin,
                   const QRect& part, const QImage& raster) {
    for (int y = part.top(); y <= part.bottom(); ++y) {
        const uchar* from = picture.constScanLine(y - origin.y()) + (part.left() - origin.x());
        auto* to =
            reinterpret_cast<QRgb*>(const_cast<uchar*>(raster.constScanLine(y))) + part.left();
        for (int x = 0; x < part.width(); ++x) to[x] = table[from[x]];
    }
}

}  // namespace

bool drawPicture(QPainter& painter, QPoint at, const QImage& picture) {
    if (isOpaqueIndexed(picture) &&
        painter.compositionMode() == QPainter::CompositionMode_SourceOver &&
        painter.opacity() == 1.0) {
        if (QImage* raster = plainRaster(painter)) {
            if (const std::optional<QPoint> origin = wholePixelOrigin(painter, at)) {
                // Every index has an entry, so none reads beyond the table.
                std::array<QRgb, 256> table;
                table.fill(qRgb(0, 0, 0));
                const QList<QRgb> colours = picture.colorTable();
                std::copy_n(colours.begin(), std::min<qsizetype>(colours.size(), 256),
                            table.begin());
                const QRect area = QRect(*origin, picture.size()) & raster->rect();
                for (const QRect& part : paintableIn(painter, area)) {
                    lookUpColours(picture, table, *origin, part, *raster);
                }
                return true;
            }
        }
    }
    painter.drawImage(at, picture);
    return false;
}

}  // namespace forms
