#pragma once

#include <cstddef>
#include <cstdint>

namespace dispatch {

// Message types (byte 3) of the frames the game server sends.
enum ServerMessageType : std::uint8_t {
    MsgDeal = 1,
    MsgDeclarePrompt = 2,
    MsgDeclared = 3,
    MsgMarkedAces = 4,
    MsgBaoShuai = 5,
    MsgTurn = 6,
    MsgHandResult = 9,
    MsgHandStart = 16,
    MsgLoginReply = 18,
    MsgChat = 19,
    MsgPlayerInfo = 20,
    MsgPlayerLeft = 21,
    MsgTableClosed = 22,
    MsgPlayerReady = 23,
    MsgReconnectReply = 29,
    MsgPropData = 44,
    MsgPropAction = 45,
    MsgPropScore = 46,
    MsgGoldChange = 91,
    MsgPlayerGoldChange = 92,
};

// Header bytes of every server frame.
inline constexpr std::size_t TokenByte = 260;  // 260 and 261: the server token

}  // namespace dispatch
