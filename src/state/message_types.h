#pragma once

#include <cstdint>

namespace state {

// Message types (byte 3 of a frame) of the frames the client builds.
enum MessageType : std::uint8_t {
    MsgDeclare = 3,
    MsgPlayCards = 7,
    MsgSeatAction = 16,
    MsgLogin = 18,
    MsgChat = 19,
    MsgKeepAlive = 24,
    MsgReconnect = 28,
    MsgPropAction = 45,
};

}  // namespace state
