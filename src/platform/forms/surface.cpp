#include "platform/forms/surface.h"

#include <QPainter>

namespace forms {

void Surface::setPicture(Picture picture) {
    picture_ = std::move(picture);
    drawing_ = QImage();
}

void Surface::paint(const Picture& source, const QRectF& target, std::optional<QRectF> sourceRect,
                    QSize clientSize) {
    if (source.isEmpty()) return;
    const QSize needed = clientSize.expandedTo(picture_.size()).expandedTo(QSize(1, 1));
    if (drawing_.isNull() || drawing_.width() < needed.width() ||
        drawing_.height() < needed.height()) {
        QImage grown(needed, QImage::Format_ARGB32_Premultiplied);
        grown.fill(Qt::transparent);
        QPainter painter(&grown);
        painter.drawImage(QPoint(0, 0), hasDrawing() ? drawing_ : picture_.image());
        painter.end();
        drawing_ = std::move(grown);
    }
    QPainter painter(&drawing_);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(target, source.image(), sourceRect.value_or(QRectF(source.image().rect())));
}

void Surface::clear() {
    drawing_ = QImage();
}

std::optional<QRgb> Surface::pixel(QPoint at) const {
    const QImage& shown = image();
    if (shown.isNull() || !shown.rect().contains(at)) return std::nullopt;
    return shown.pixel(at);
}

}  // namespace forms
