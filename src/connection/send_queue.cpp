#include "connection/send_queue.h"

#include <algorithm>
#include <string>

#include "platform/text/gbk.h"
#include "state/message_types.h"

namespace connection {

using state::ByteRing;
using state::Frame;
using state::FrameFields;
using state::FrameSize;

namespace {

// Returns false when the chat frame must not be queued.
bool EncodeChatText(state::SharedState& s, Frame& msg) {
    const std::uint32_t propMarker = FrameFields::u32be(msg, PropMarkerByte);
    if (propMarker == 272 || propMarker == 260) return true;  // the plug-in's own frame
    if (s.g_sChatText.isEmpty()) return false;
    if (s.g_sChatText.size() > ChatTextMaxChars) s.g_sChatText.truncate(ChatTextMaxChars);
    // At most 100 characters of at most two bytes each: bytes 16..215.
    const std::string bytes = platform::encodeGbk(s.g_sChatText);
    const std::size_t length = std::min(bytes.size(), std::size_t{2 * ChatTextMaxChars});
    std::copy_n(bytes.begin(), length, msg.begin() + ChatTextByte);
    std::fill(msg.begin() + ChatTextByte + length, msg.end(), 0);
    s.g_sChatText.clear();
    return true;
}

bool AppendByte(ByteRing& ring, std::uint8_t byte) {
    ring.data[ring.write] = byte;
    ring.write = ByteRing::next(ring.write);
    return ring.write != ring.read;
}

}  // namespace

void QueueOutgoingMessage(state::SharedState& s, Frame& msg) {
    if (msg[state::FrameTypeByte] == state::MsgChat && !EncodeChatText(s, msg)) return;
    ByteRing& ring = s.g_aSendRing;
    if (ring.unread() >= SendRingMaxUnsentFrames * static_cast<std::int32_t>(FrameSize)) {
        ++s.g_nSendRefused;
    } else {
        for (std::uint8_t byte : msg) {
            ring.data[ring.write] = byte;
            ring.write = ByteRing::next(ring.write);
        }
    }
    // Armed even for a refused frame: a full ring whose pump was stopped must drain again.
    s.channels.arm(state::ChannelSend);
}

void ResetRingBuffers(state::SharedState& s) {
    s.g_aRecvRing.read = 0;
    s.g_aRecvRing.write = 0;
    s.g_aSendRing.read = 0;
    s.g_aSendRing.write = 0;
}

Frame BuildKeepAlive(const state::SharedState& s) {
    Frame frame{};
    frame[state::FrameTypeByte] = state::MsgKeepAlive;
    frame[state::FrameSeatByte] = s.custom[0].seat;
    return frame;
}

bool AppendToRecvRing(state::SharedState& s, std::span<const std::uint8_t> bytes) {
    for (std::uint8_t byte : bytes) {
        if (!AppendByte(s.g_aRecvRing, byte)) return false;
    }
    s.channels.arm(state::ChannelReceive);
    return true;
}

bool AppendToProxyBuf(state::SharedState& s, std::span<const std::uint8_t> bytes) {
    for (std::uint8_t byte : bytes) {
        s.g_aProxyBuf[s.g_nProxyWritePos] = byte;
        s.g_nProxyWritePos = (s.g_nProxyWritePos + 1) % state::SharedState::ProxyBufSize;
        if (s.g_nProxyWritePos == s.g_nProxyReadPos) return false;
    }
    return true;
}

bool TakeFrame(ByteRing& ring, Frame& out) {
    if (!ring.holdsFrame()) return false;
    std::copy_n(ring.data.begin() + ring.read, FrameSize, out.begin());
    ring.read = (ring.read + static_cast<std::int32_t>(FrameSize)) % ByteRing::Size;
    return true;
}

}  // namespace connection
