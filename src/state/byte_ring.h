#pragma once

#include <array>
#include <cstdint>

#include "state/frame.h"

namespace state {

// One of the two rings between the socket and the rest of the client: 128 frames of bytes with
// a read and a write index. Frames are written and taken whole from index 0 on and the size is
// a whole number of frames, so a frame never wraps past the end. Equal indices mean empty.
struct ByteRing {
    static constexpr std::int32_t Size = 34816;
    static constexpr std::int32_t FrameCapacity = Size / static_cast<std::int32_t>(FrameSize);

    std::array<std::uint8_t, Size> data{};
    std::int32_t read = 0;
    std::int32_t write = 0;

    std::int32_t unread() const { return (write + Size - read) % Size; }
    bool holdsFrame() const { return unread() >= static_cast<std::int32_t>(FrameSize); }
    static std::int32_t next(std::int32_t index) { return (index + 1) % Size; }
};

}  // namespace state
