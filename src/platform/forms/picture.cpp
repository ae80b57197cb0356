#include "platform/forms/picture.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

#include "platform/runtime/failure.h"

namespace forms {

namespace {

// The formats the original's picture loader understood that still matter here.
bool isAcceptedFormat(const QByteArray& format) {
    return format == "gif" || format == "jpeg" || format == "jpg" || format == "bmp";
}

}  // namespace

Picture::Picture(QImage image) {
    if (!image.isNull()) image_ = std::make_shared<const QImage>(std::move(image));
}

Picture::Picture(QImage image, QByteArray sourceData) : Picture(std::move(image)) {
    if (image_) source_ = std::make_shared<const QByteArray>(std::move(sourceData));
}

Picture Picture::fromData(const QByteArray& data) {
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    const QByteArray format = QImageReader::imageFormat(&buffer);
    if (!isAcceptedFormat(format)) {
        platform::fail(platform::RuntimeFailure::Kind::ControlFailed, "Invalid picture");
    }
    buffer.seek(0);
    QImageReader reader(&buffer, format);
    reader.setDecideFormatFromContent(true);
    QImage image = reader.read();
    if (image.isNull()) {
        platform::fail(platform::RuntimeFailure::Kind::ControlFailed, "Invalid picture");
    }
    return Picture(image.convertToFormat(QImage::Format_ARGB32_Premultiplied), data);
}

Picture Picture::load(const QString& path) {
    if (path.isEmpty()) return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        platform::fail(platform::RuntimeFailure::Kind::ControlFailed,
                       "File not found: " + path.toStdString());
    }
    return fromData(file.readAll());
}

QSize Picture::size() const {
    return image_ ? image_->size() : QSize(0, 0);
}

const QByteArray& Picture::sourceData() const {
    static const QByteArray kNone;
    return source_ ? *source_ : kNone;
}

const QImage& Picture::image() const {
    static const QImage kNone;
    return image_ ? *image_ : kNone;
}

}  // namespace forms
