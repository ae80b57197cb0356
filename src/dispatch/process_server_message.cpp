#include "dispatch/process_server_message.h"

#include "chat/show_chat_message.h"
#include "client/client.h"
#include "dispatch/failure_guard.h"
#include "dispatch/frame_reader.h"
#include "dispatch/handlers.h"
#include "dispatch/prop_plugin.h"
#include "dispatch/server_message_types.h"
#include "props/prop_dll.h"

namespace dispatch {
namespace {

// Bytes 236..239 of a chat frame: 272 or 260 marks it as the props plug-in's.
constexpr std::size_t PropMarkerByte = 236;
constexpr std::int32_t PropMarkerA = 272;
constexpr std::int32_t PropMarkerB = 260;

void PassToPropPlugin(client::Client& c, state::Frame& message) {
    if (c.s.g_nPropState > 0) PropPlugin(c).Rec_MSG(message);
}

void RouteChat(client::Client& c, state::Frame& message) {
    const std::int32_t propMarker = ReadInt32BE(message, PropMarkerByte);
    if (propMarker == PropMarkerA || propMarker == PropMarkerB) {
        PassToPropPlugin(c, message);
        return;
    }
    chat::ShowChatMessage(c, message);
}

void SelectHandler(client::Client& c, state::Frame& message, std::uint8_t type) {
    switch (type) {
        case MsgDeal:
            return HandleDeal(c, message);
        case MsgDeclarePrompt:
            return HandleDeclarePrompt(c, message);
        case MsgDeclared:
            return HandleDeclared(c, message);
        case MsgMarkedAces:
            return HandleMarkedAces(c, message);
        case MsgBaoShuai:
            return HandleBaoShuai(c, message);
        case MsgTurn:
            return HandleTurn(c, message);
        case MsgHandResult:
            return HandleHandResult(c, message);
        case MsgHandStart:
            return HandleHandStart(c, message);
        case MsgLoginReply:
            return HandleLoginReply(c, message);
        case MsgChat:
            return RouteChat(c, message);
        case MsgPlayerInfo:
            return HandlePlayerInfo(c, message);
        case MsgPlayerLeft:
            return HandlePlayerLeft(c, message);
        case MsgTableClosed:
            return HandleTableClosed(c, message);
        case MsgPlayerReady:
            return HandlePlayerReady(c, message);
        case MsgReconnectReply:
            return HandleReconnectReply(c, message);
        case MsgPropScore:
            if (c.s.g_nPropState > 0) c.s.g_bPropScorePending = true;
            return PassToPropPlugin(c, message);
        case MsgPropData:
        case MsgPropAction:
            return PassToPropPlugin(c, message);
        case MsgGoldChange:
            return HandleGoldChange(c, message);
        case MsgPlayerGoldChange:
            return HandlePlayerGoldChange(c, message);
        default:
            return PassToPropPlugin(c, message);
    }
}

}  // namespace

void ProcessServerMessage(client::Client& c, state::Frame& message) {
    const std::uint8_t type = ReadByte(message, state::FrameTypeByte);
    if (type != MsgReconnectReply) {
        c.s.g_aServerToken[0] = ReadByte(message, TokenByte);
        c.s.g_aServerToken[1] = ReadByte(message, TokenByte + 1);
    }
    RunUnderFailureGuard(c, [&] { SelectHandler(c, message, type); });
}

}  // namespace dispatch
