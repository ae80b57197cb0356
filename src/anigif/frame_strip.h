#pragma once

#include <QImage>
#include <cstdint>
#include <functional>
#include <span>

#include "anigif/ani_gif_state.h"

namespace anigif {

// What the strip builder needs of the control around it.
struct StripHost {
    bool userMode = true;         // run time (false: design time)
    std::int32_t delayFlags = 1;  // DelayAnimation
    std::int32_t scaleWidth = 0;  // the control's size in whole pixels
    std::int32_t scaleHeight = 0;
    std::function<void(int)> startStopTimer;  // 1 animate, 2 deferred decoding
};

// Decodes the frames of a scanned GIF into the strip. With firstPass true: creates the strip (and
// the canvas the frames need), decodes frame 1 and the rest now or later (the host's timer);
// firstPass becomes false when all decoding is finished. With false: decodes frames 2..n. False
// only when the strip cannot be created.
bool BuildFrameStrip(AniGifState& s, bool& firstPass, const StripHost& host);

// The platform picture decoder: the first `fileLength` bytes as a GIF; a null image when refused.
QImage PictureFromBytes(std::span<const std::uint8_t> fileBytes);

// The largest strip or canvas, in pixels, that a load may ask for.
inline constexpr std::int64_t kMaxSurfacePixels = std::int64_t(64) << 20;

}  // namespace anigif
