#pragma once

#include <cstdint>
#include <span>

#include "state/frame.h"
#include "state/shared_state.h"

namespace connection {

// The chat text of a chat frame starts here and takes at most this many characters.
inline constexpr std::size_t ChatTextByte = 16;
inline constexpr int ChatTextMaxChars = 100;
// Bytes 236..239 of a chat frame: the props plug-in marks its own frames with 272 or 260.
inline constexpr std::size_t PropMarkerByte = 236;

// Frames a full send ring can keep unsent: one slot stays free so that equal indices still
// mean an empty ring.
inline constexpr std::int32_t SendRingMaxUnsentFrames = state::ByteRing::FrameCapacity - 1;

// Appends a frame to the send ring and arms the send channel. A chat frame gets the pending
// chat text encoded into it first (the caller's frame holds the encoded bytes afterwards) and
// is dropped when there is no text. A frame that would overwrite unsent frames is refused and
// counted in g_nSendRefused; the send channel is armed all the same.
void QueueOutgoingMessage(state::SharedState& s, state::Frame& msg);

// Empties both rings (the bytes themselves are left as they are).
void ResetRingBuffers(state::SharedState& s);

// The keep-alive frame: type 24 and the own seat flag.
state::Frame BuildKeepAlive(const state::SharedState& s);

// Appends received bytes to the receive ring, one by one with the full test after each byte,
// and arms the receive channel. Returns false when the ring became full; the caller then
// restores the hall and ends the program.
[[nodiscard]] bool AppendToRecvRing(state::SharedState& s, std::span<const std::uint8_t> bytes);

// The same for the proxy buffer during the SOCKS5 hand-shake.
[[nodiscard]] bool AppendToProxyBuf(state::SharedState& s, std::span<const std::uint8_t> bytes);

// Takes the next whole frame out of a ring into `out`; false when fewer than 272 bytes wait.
bool TakeFrame(state::ByteRing& ring, state::Frame& out);

}  // namespace connection
