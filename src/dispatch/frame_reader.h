#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>

#include "state/frame.h"

// How the dispatcher reads the fields of a server frame. Every byte goes through the frame's
// checked accessors, so no field can reach outside the 272 bytes; a window that would is a
// run-time failure of the frame, never a stray read.
namespace dispatch {

std::uint8_t ReadByte(const state::Frame& message, std::size_t offset);

// One step of building a signed 32-bit number from its most significant byte down:
// value * 256 + byte. Leaving the signed range is an overflow failure, as in the original
// arithmetic, so a most significant byte of 0x80 or more fails at the last step.
std::int32_t ShiftInByte(std::int32_t value, std::uint8_t byte);

// Signed fields; a high byte of 0x80 or more is an overflow failure.
std::int16_t ReadInt16BE(const state::Frame& message, std::size_t offset);
std::int32_t ReadInt32BE(const state::Frame& message, std::size_t offset);
std::int32_t ReadInt32LE(const state::Frame& message, std::size_t offset);

// An unsigned 64-bit little-endian amount, as a double (exact up to 2^53).
double ReadAmount(const state::Frame& message, std::size_t offset);

// Texts in fixed windows of `width` bytes from `offset`. Each ends at the window's end at the
// latest.
// One character per byte (accounts, codes, addresses); ends before the first zero byte.
QString OneBytePerCharText(const state::Frame& message, std::size_t offset, std::size_t width);
// GBK with single- and double-byte characters (nicknames, messages); ends at a zero byte. A
// lead byte in the window's last position is converted alone.
QString MixedGbkText(const state::Frame& message, std::size_t offset, std::size_t width);
// The same, but a lead byte in the window's last position takes the byte after the window as
// its second, as the server's closing text is read.
QString MixedGbkTextOverrunning(const state::Frame& message, std::size_t offset, std::size_t width);
// Double-byte characters only, read two bytes at a time; ends at a pair whose first byte is
// zero. A pair is converted as it stands, so "A" and a zero byte give "A" and a NUL.
QString DoubleByteText(const state::Frame& message, std::size_t offset, std::size_t width);

}  // namespace dispatch
