#include "resources/encoding/bmp_encoder.h"

namespace resources {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;

void put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(uint8_t(value));
    out.push_back(uint8_t(value >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

}  // namespace

std::vector<uint8_t> encodeBmp(const IndexedImage& image) {
    if (image.width <= 0 || image.height <= 0 || image.transparentIndex || image.palette.empty() ||
        image.palette.size() > 256 ||
        image.indices.size() != std::size_t(image.width) * std::size_t(image.height)) {
        return {};
    }
    const std::size_t stride = (std::size_t(image.width) + 3) / 4 * 4;
    const std::size_t pixelsAt = kFileHeaderSize + kInfoHeaderSize + 4 * image.palette.size();
    const std::size_t fileSize = pixelsAt + stride * std::size_t(image.height);
    std::vector<uint8_t> out;
    out.reserve(fileSize);
    out.push_back('B');
    out.push_back('M');
    put32(out, uint32_t(fileSize));
    put32(out, 0);
    put32(out, uint32_t(pixelsAt));
    put32(out, kInfoHeaderSize);
    put32(out, uint32_t(image.width));
    put32(out, uint32_t(-image.height));  // negative: the first row is the top one
    put16(out, 1);                        // planes
    put16(out, 8);                        // bits a pixel
    put32(out, 0);                        // uncompressed
    put32(out, uint32_t(stride * std::size_t(image.height)));
    put32(out, 2835);  // 72 dots an inch, as metres
    put32(out, 2835);
    put32(out, uint32_t(image.palette.size()));
    put32(out, 0);
    for (const QRgb colour : image.palette) {
        out.push_back(uint8_t(qBlue(colour)));
        out.push_back(uint8_t(qGreen(colour)));
        out.push_back(uint8_t(qRed(colour)));
        out.push_back(0);
    }
    for (int y = 0; y < image.height; ++y) {
        const auto row = image.indices.begin() + std::ptrdiff_t(y) * image.width;
        out.insert(out.end(), row, row + image.width);
        out.insert(out.end(), stride - std::size_t(image.width), 0);
    }
    return out;
}

}  // namespace resources
