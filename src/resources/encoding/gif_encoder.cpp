#include "resources/encoding/gif_encoder.h"

#include <QBuffer>
#include <QImageWriter>
#include <algorithm>

#include "resources/encoding/lzw_encoder.h"

namespace resources {
namespace {

constexpr int kSubBlockSize = 255;

void putWord(std::vector<uint8_t>& out, int value) {
    out.push_back(uint8_t(value & 0xff));
    out.push_back(uint8_t((value >> 8) & 0xff));
}

// Bits per palette index: the table holds 2^bits entries, at least two.
int paletteBits(size_t paletteSize) {
    int bits = 1;
    while ((size_t(1) << bits) < paletteSize) ++bits;
    return bits;
}

}  // namespace

std::vector<uint8_t> encodeGif(const IndexedImage& image) {
    std::vector<uint8_t> out;
    if (image.width <= 0 || image.height <= 0 || image.width > 0xffff || image.height > 0xffff ||
        image.palette.empty() || image.palette.size() > 256 ||
        image.indices.size() != size_t(image.width) * size_t(image.height))
        return out;
    const int bits = paletteBits(image.palette.size());

    const char header[] = "GIF89a";
    out.insert(out.end(), header, header + 6);
    putWord(out, image.width);
    putWord(out, image.height);
    out.push_back(uint8_t(0x80 | (7 << 4) | (bits - 1)));  // global table, 8-bit colour source
    out.push_back(0);                                      // background colour index
    out.push_back(0);                                      // square pixels
    for (size_t i = 0; i < (size_t(1) << bits); ++i) {
        const QRgb colour = i < image.palette.size() ? image.palette[i] : qRgb(0, 0, 0);
        out.push_back(uint8_t(qRed(colour)));
        out.push_back(uint8_t(qGreen(colour)));
        out.push_back(uint8_t(qBlue(colour)));
    }
    if (image.transparentIndex) {
        const uint8_t control[] = {0x21, 0xf9, 0x04, 0x01, 0x00, 0x00, *image.transparentIndex, 0};
        out.insert(out.end(), std::begin(control), std::end(control));
    }
    out.push_back(0x2c);
    putWord(out, 0);
    putWord(out, 0);
    putWord(out, image.width);
    putWord(out, image.height);
    out.push_back(0);  // no local table, not interlaced

    const int minCodeSize = std::max(2, bits);
    out.push_back(uint8_t(minCodeSize));
    const std::vector<uint8_t> codes = lzwEncode(image.indices, minCodeSize);
    for (size_t at = 0; at < codes.size(); at += kSubBlockSize) {
        const size_t length = std::min<size_t>(kSubBlockSize, codes.size() - at);
        out.push_back(uint8_t(length));
        out.insert(out.end(), codes.begin() + long(at), codes.begin() + long(at + length));
    }
    out.push_back(0);     // end of the image data
    out.push_back(0x3b);  // trailer
    return out;
}

std::vector<uint8_t> encodeGif(const QImage& image) {
    if (image.isNull()) return {};
    return encodeGif(toIndexedImage(image));
}

std::vector<uint8_t> encodeJpeg(const QImage& image, int quality) {
    if (image.isNull()) return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpg");
    writer.setQuality(quality);
    if (!writer.write(image.convertToFormat(QImage::Format_RGB32))) return {};
    return {bytes.begin(), bytes.end()};
}

}  // namespace resources
