#pragma once

#include <QString>
#include <array>
#include <cstdint>

#include "state/byte_ring.h"
#include "state/channels.h"
#include "state/seat_record.h"

namespace state {

// The client's shared variables, one object per client so that a test builds a fresh one.
// Members keep the names every part of the client uses for them.
struct SharedState {
    // Frames between the socket and the rest of the client. `g_aSendRing.read` is the send
    // ring's read index, and so on.
    ByteRing g_aSendRing;
    ByteRing g_aRecvRing;
    // Frames refused because the send ring already held every frame it can keep unsent.
    std::int32_t g_nSendRefused = 0;

    // True while received bytes go to the receive ring; false during the SOCKS5 hand-shake,
    // when they go to the proxy buffer.
    bool g_bDirectData = true;
    static constexpr std::int32_t ProxyBufSize = 1024;
    std::array<std::uint8_t, ProxyBufSize> g_aProxyBuf{};
    std::int32_t g_nProxyWritePos = 0;
    std::int32_t g_nProxyReadPos = 0;
    std::int16_t g_nProxyStep = 0;

    // The chat text the next chat frame carries.
    QString g_sChatText;

    // The table tick's channels (`check`, `g_aCheckTicks`).
    Channels channels;

    // The four seats, by relative seat.
    std::array<SeatRecord, 4> custom;
};

}  // namespace state
