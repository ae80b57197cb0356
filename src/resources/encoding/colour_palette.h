#pragma once

#include <QImage>
#include <QRgb>
#include <cstdint>
#include <optional>
#include <vector>

namespace resources {

// A picture as palette indices, ready for a GIF image block.
struct IndexedImage {
    int width = 0;
    int height = 0;
    std::vector<QRgb> palette;     // opaque colours, at most 256 entries (transparency included)
    std::vector<uint8_t> indices;  // width * height, row by row
    std::optional<uint8_t> transparentIndex;
};

// Chooses at most 256 palette entries for the image: its own colours when it has that few,
// otherwise a median cut of its colour histogram. Pixels with alpha 0 share one transparent
// entry; every other pixel counts as opaque in its own colour.
IndexedImage toIndexedImage(const QImage& image);

}  // namespace resources
