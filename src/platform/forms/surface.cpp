#include "platform/forms/surface.h"

#include <QPainter>

#include "platform/forms/picture_blit.h"

namespace forms {

namespace {

// Strokes beyond this many are flattened into one raster.
constexpr std::size_t kMaxStrokes = 64;

}  // namespace

void Surface::setPicture(Picture picture) {
    picture_ = std::move(picture);
    clear();
}

void Surface::paint(const Picture& source, const QRectF& target, std::optional<QRectF> sourceRect,
                    QSize clientSize) {
    if (source.isEmpty()) return;
    const QSize needed = clientSize.expandedTo(picture_.size()).expandedTo(QSize(1, 1));
    // A drawing grows to the client area it is made in, and never shrinks until it is wiped.
    canvas_ = canvas_.expandedTo(needed);
    strokes_.push_back({source, target, sourceRect.value_or(QRectF(QPointF(0, 0), source.size()))});
    composed_ = QImage();
    if (strokes_.size() > kMaxStrokes) flatten();
}

void Surface::clear() {
    canvas_ = QSize();
    flattened_ = QImage();
    strokes_.clear();
    composed_ = QImage();
}

void Surface::drawOn(QPainter& painter) const {
    if (!hasDrawing()) {
        if (!picture_.isEmpty()) drawPicture(painter, QPoint(0, 0), picture_.image());
        return;
    }
    painter.save();
    painter.setClipRect(QRect(QPoint(0, 0), canvas_), Qt::IntersectClip);
    if (!flattened_.isNull()) {
        painter.drawImage(QPointF(0, 0), flattened_);
    } else if (!picture_.isEmpty()) {
        drawPicture(painter, QPoint(0, 0), picture_.image());
    }
    // A stretched stroke repeats pixels, as the window system's stretching copy does; smoothing
    // cost a millisecond on the table's frame, whose edges stretch a strip four times.
    for (const Stroke& stroke : strokes_) {
        painter.drawImage(stroke.target, stroke.source.image(), stroke.sourceRect);
    }
    painter.restore();
}

bool Surface::covers(QSize area) const {
    if (picture_.isEmpty()) return false;
    const QSize size = picture_.size();
    return size.width() >= area.width() && size.height() >= area.height() &&
           !picture_.image().hasAlphaChannel();
}

void Surface::flatten() {
    QImage raster(canvas_, QImage::Format_ARGB32_Premultiplied);
    raster.fill(Qt::transparent);
    QPainter painter(&raster);
    drawOn(painter);
    painter.end();
    strokes_.clear();
    flattened_ = std::move(raster);
}

const QImage& Surface::image() const {
    if (!hasDrawing()) return picture_.image();
    if (composed_.isNull()) {
        composed_ = QImage(canvas_, QImage::Format_ARGB32_Premultiplied);
        composed_.fill(Qt::transparent);
        QPainter painter(&composed_);
        drawOn(painter);
    }
    return composed_;
}

std::optional<QRgb> Surface::pixel(QPoint at) const {
    const QSize shown = hasDrawing() ? canvas_ : picture_.size();
    if (!QRect(QPoint(0, 0), shown).contains(at)) return std::nullopt;
    if (!hasDrawing()) return picture_.image().pixel(at);
    // One pixel composed, rather than the whole surface.
    QImage dot(1, 1, QImage::Format_ARGB32_Premultiplied);
    dot.fill(Qt::transparent);
    QPainter painter(&dot);
    painter.translate(-at.x(), -at.y());
    drawOn(painter);
    painter.end();
    return dot.pixel(0, 0);
}

}  // namespace forms
