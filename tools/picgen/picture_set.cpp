#include "picture_set.h"

#include <string>

#include "resources/encoding/bmp_encoder.h"
#include "resources/encoding/gif_encoder.h"

namespace picgen {
namespace {

// GIF knows only see-through or opaque: half-covered edge pixels go one way or the other.
QImage withHardAlpha(const QImage& image) {
    QImage result = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < result.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x)
            row[x] = qAlpha(row[x]) < 128 ? 0u : (row[x] | 0xff000000u);
    }
    return result;
}

}  // namespace

void PictureSet::addGif(int id, const QImage& image) {
    pack_.add("GIF", std::to_string(id), resources::encodeGif(withHardAlpha(image)));
}

void PictureSet::addJpeg(int id, const QImage& image) {
    pack_.add("GIF", std::to_string(id), resources::encodeJpeg(image));
}

// Large opaque designs (the table's play area, the score boards) are stored as uncompressed
// indexed bitmaps: the loader copies their rows where a GIF's took milliseconds to decompress
// at every start. The pixels are the GIF's: the same palette and indices.
void PictureSet::addDesign(std::string_view name, const QImage& image) {
    const resources::IndexedImage indexed = resources::toIndexedImage(withHardAlpha(image));
    constexpr int kStoredPlainFromPixels = 256 * 256;
    if (!indexed.transparentIndex && indexed.width * indexed.height >= kStoredPlainFromPixels) {
        pack_.add("DESIGN", name, resources::encodeBmp(indexed));
        return;
    }
    pack_.add("DESIGN", name, resources::encodeGif(indexed));
}

}  // namespace picgen
