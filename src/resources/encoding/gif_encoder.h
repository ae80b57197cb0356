#pragma once

#include <QImage>
#include <cstdint>
#include <vector>

#include "resources/encoding/colour_palette.h"

namespace resources {

// A single-frame GIF89a file: the palette is chosen from the image (toIndexedImage) and fully
// transparent pixels become the transparent colour. A null image gives no bytes.
std::vector<uint8_t> encodeGif(const QImage& image);

// The same for a picture that already has its palette.
std::vector<uint8_t> encodeGif(const IndexedImage& image);

// A baseline JPEG file (the quality is Qt's scale, 0..100); no bytes when Qt cannot write it.
std::vector<uint8_t> encodeJpeg(const QImage& image, int quality = 90);

}  // namespace resources
