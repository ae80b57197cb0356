#pragma once

#include <cstdint>
#include <vector>

#include "anigif/ani_gif_state.h"

namespace anigif {

// The frame `frame` of the strip, as it stands (mirrored, or blank before its deferred
// decoding), written as a complete one-frame GIF89a file: its palette as a 256-entry global
// table, a graphic control extension when it is transparent, and its pixels compressed by the
// control's own LZW encoder (5003-slot hash with double hashing, 9 to 12 bit codes, a clear code
// where code 4096 would be assigned, sub-blocks of 254 data bytes).
std::vector<std::uint8_t> FrameToGifFile(const AniGifState& s, std::int32_t frame);

}  // namespace anigif
