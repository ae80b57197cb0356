#pragma once

#include "state/frame.h"

namespace connection {
class Client;
}

// The handler of each server frame type. ProcessServerMessage selects one by the frame's type
// byte and runs it under its failure guard; each takes the frame and ends the call.
namespace dispatch {

void HandleDeal(connection::Client& c, state::Frame& message);
void HandleDeclarePrompt(connection::Client& c, state::Frame& message);
void HandleDeclared(connection::Client& c, state::Frame& message);
void HandleMarkedAces(connection::Client& c, state::Frame& message);
void HandleBaoShuai(connection::Client& c, state::Frame& message);
void HandleTurn(connection::Client& c, state::Frame& message);
void HandleHandResult(connection::Client& c, state::Frame& message);
void HandleHandStart(connection::Client& c, state::Frame& message);
void HandleLoginReply(connection::Client& c, state::Frame& message);
void HandlePlayerInfo(connection::Client& c, state::Frame& message);
void HandlePlayerLeft(connection::Client& c, state::Frame& message);
void HandleTableClosed(connection::Client& c, state::Frame& message);
void HandlePlayerReady(connection::Client& c, state::Frame& message);
void HandleReconnectReply(connection::Client& c, state::Frame& message);
void HandleGoldChange(connection::Client& c, state::Frame& message);
void HandlePlayerGoldChange(connection::Client& c, state::Frame& message);

}  // namespace dispatch
