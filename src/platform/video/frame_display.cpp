#include "platform/video/frame_display.h"

#include <QBuffer>
#include <QImageReader>
#include <algorithm>

#include "platform/forms/color.h"
#include "platform/forms/picture.h"

namespace platform {

QImage DecodeFrame(const QByteArray& frame) {
    if (frame.isEmpty()) return {};
    QBuffer buffer;
    buffer.setData(frame);
    buffer.open(QIODevice::ReadOnly);
    // Only JPEG: a peer's bytes never reach another decoder.
    QImageReader reader(&buffer, "jpeg");
    reader.setAutoDetectImageFormat(false);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty() || size.width() > kMaxFrameSize.width() ||
        size.height() > kMaxFrameSize.height()) {
        return {};
    }
    QImage picture;
    if (!reader.read(&picture)) return {};
    return picture;
}

QImage ScaleFrame(const QImage& picture, QSize pane) {
    if (picture.isNull() || pane.isEmpty()) return {};
    if (picture.size() == pane) return picture;
    return picture.scaled(pane, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

FrameDisplay::FrameDisplay(forms::Container& container, const QString& name)
    : box_(container, name) {
    box_.setBackColor(forms::kBlack);
    box_.onMouseMove = [this](int button, int shift, float x, float y) {
        if (PaneMouseMove) PaneMouseMove(std::int16_t(button), std::int16_t(shift), x, y);
    };
    extenderChanged();
}

void FrameDisplay::extenderChanged() {
    box_.move(Left, Top, std::max(0.0f, Width.get()), std::max(0.0f, Height.get()));
    box_.setVisible(Visible);
}

void FrameDisplay::ZOrder(std::int16_t position) {
    box_.zOrder(position);
}

void FrameDisplay::ShowFrame(const QByteArray& frame) {
    const QImage picture = DecodeFrame(frame);
    if (picture.isNull()) return;
    const QSize pane = box_.rectInContainer().size().toSize();
    const QImage scaled = ScaleFrame(picture, pane);
    if (scaled.isNull()) return;
    box_.setPicture(forms::Picture(scaled));
    ++framesShown_;
}

}  // namespace platform
