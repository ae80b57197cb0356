#pragma once

#include "state/frame.h"

namespace client {
class Client;
}

// The handler of each server frame type. ProcessServerMessage selects one by the frame's type
// byte and runs it under its failure guard; each takes the frame and ends the call.
namespace dispatch {

void HandleDeal(client::Client& c, state::Frame& message);
void HandleDeclarePrompt(client::Client& c, state::Frame& message);
void HandleDeclared(client::Client& c, state::Frame& message);
void HandleMarkedAces(client::Client& c, state::Frame& message);
void HandleBaoShuai(client::Client& c, state::Frame& message);
void HandleTurn(client::Client& c, state::Frame& message);
void HandleHandResult(client::Client& c, state::Frame& message);
void HandleHandStart(client::Client& c, state::Frame& message);
void HandleLoginReply(client::Client& c, state::Frame& message);
void HandlePlayerInfo(client::Client& c, state::Frame& message);
void HandlePlayerLeft(client::Client& c, state::Frame& message);
void HandleTableClosed(client::Client& c, state::Frame& message);
void HandlePlayerReady(client::Client& c, state::Frame& message);
void HandleReconnectReply(client::Client& c, state::Frame& message);
void HandleGoldChange(client::Client& c, state::Frame& message);
void HandlePlayerGoldChange(client::Client& c, state::Frame& message);

}  // namespace dispatch
