#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>

#include "resources/resource_store.h"

namespace support {

// The picture a "GIF" resource holds, decoded independently of the code under test; a null
// image when the resource is missing.
inline QImage decodedResource(int id) {
    const auto bytes = resources::findResource("GIF", id);
    if (!bytes) return {};
    QByteArray data(reinterpret_cast<const char*>(bytes->data()), qsizetype(bytes->size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    return QImageReader(&buffer).read().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

}  // namespace support
