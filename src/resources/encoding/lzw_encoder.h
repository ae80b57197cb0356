#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace resources {

// The variable-width LZW code stream of a GIF image block, packed least significant bit first
// (without the sub-block framing): a clear code first, codes growing from minCodeSize + 1 to 12
// bits, a fresh table (clear code) whenever 4096 codes are taken, the end code last. Every index
// must be below 1 << minCodeSize; minCodeSize is 2..8.
std::vector<uint8_t> lzwEncode(std::span<const uint8_t> indices, int minCodeSize);

}  // namespace resources
