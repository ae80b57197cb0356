#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "platform/runtime/failure.h"

namespace state {

// Every frame in both directions is exactly this long; there is no length, magic or checksum.
inline constexpr std::size_t FrameSize = 272;

// A frame is always whole: a short frame cannot be built, so stale bytes can never go out.
using Frame = std::array<std::uint8_t, FrameSize>;

// Header bytes shared by every frame type.
inline constexpr std::size_t FrameTypeByte = 3;
inline constexpr std::size_t FrameSeatByte = 6;
inline constexpr std::size_t FrameSubCodeByte = 15;

// Checked access to the fields of a frame: every read and write is bounds-checked, and a field
// that does not fit inside the 272 bytes is a run-time failure rather than a stray read.
class FrameFields {
public:
    static void check(std::size_t offset, std::size_t width) {
        if (offset > FrameSize || width > FrameSize - offset) {
            platform::fail(platform::RuntimeFailure::Kind::IndexOutOfRange,
                           "Subscript out of range");
        }
    }

    static std::uint8_t u8(const Frame& f, std::size_t offset) {
        check(offset, 1);
        return f[offset];
    }
    static std::uint16_t u16be(const Frame& f, std::size_t offset) {
        check(offset, 2);
        return static_cast<std::uint16_t>(f[offset] << 8 | f[offset + 1]);
    }
    static std::uint32_t u32be(const Frame& f, std::size_t offset) {
        check(offset, 4);
        return std::uint32_t{f[offset]} << 24 | std::uint32_t{f[offset + 1]} << 16 |
               std::uint32_t{f[offset + 2]} << 8 | f[offset + 3];
    }
    static std::uint32_t u32le(const Frame& f, std::size_t offset) {
        check(offset, 4);
        return std::uint32_t{f[offset + 3]} << 24 | std::uint32_t{f[offset + 2]} << 16 |
               std::uint32_t{f[offset + 1]} << 8 | f[offset];
    }
    static void setU8(Frame& f, std::size_t offset, std::uint8_t value) {
        check(offset, 1);
        f[offset] = value;
    }
    static void setU16be(Frame& f, std::size_t offset, std::uint16_t value) {
        check(offset, 2);
        f[offset] = static_cast<std::uint8_t>(value >> 8);
        f[offset + 1] = static_cast<std::uint8_t>(value);
    }
    static void setU32le(Frame& f, std::size_t offset, std::uint32_t value) {
        check(offset, 4);
        for (std::size_t i = 0; i < 4; ++i) f[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
    static void setU32be(Frame& f, std::size_t offset, std::uint32_t value) {
        check(offset, 4);
        for (std::size_t i = 0; i < 4; ++i) {
            f[offset + i] = static_cast<std::uint8_t>(value >> (8 * (3 - i)));
        }
    }
};

}  // namespace state
