#pragma once

#include <array>
#include <cstdint>

namespace state {

// The table tick's channels: a flag in `check` and a counter in `g_aCheckTicks` each. A part
// starts channel k by setting its flag and clearing its counter.
enum Channel : int {
    ChannelSend = 0,
    ChannelReceive = 1,
    ChannelLogin = 2,
    ChannelChatFlash = 3,
    ChannelUnused4 = 4,
    ChannelDisconnect = 5,
    ChannelTurnClock = 6,
    ChannelReadyClock = 7,
    ChannelStopwatch = 8,
    ChannelBubble = 9,
};
inline constexpr int ChannelCount = 10;

struct Channels {
    std::array<bool, ChannelCount> check{};
    std::array<std::int16_t, ChannelCount> g_aCheckTicks{};

    void arm(Channel k) {
        check[k] = true;
        g_aCheckTicks[k] = 0;
    }
    void disarm(Channel k) {
        check[k] = false;
        g_aCheckTicks[k] = 0;
    }
};

}  // namespace state
