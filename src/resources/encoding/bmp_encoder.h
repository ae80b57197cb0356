#pragma once

#include <cstdint>
#include <vector>

#include "resources/encoding/colour_palette.h"

namespace resources {

// An uncompressed 8-bit Windows bitmap of an opaque indexed picture, rows stored top down:
// the program's large pictures, read with a copy instead of a decompression. A picture with a
// transparent entry, or none at all, gives no bytes.
std::vector<uint8_t> encodeBmp(const IndexedImage& image);

}  // namespace resources
