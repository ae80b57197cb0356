// Handlers whose frames the table does not act on yet: each comes with its own part of the
// dispatcher. Until then its frames are taken and dropped (they do not reach the props
// plug-in, which never receives the types the table handles itself).
#include "dispatch/handlers.h"

namespace dispatch {

void HandleDeal(client::Client&, state::Frame&) {}
void HandleDeclarePrompt(client::Client&, state::Frame&) {}
void HandleDeclared(client::Client&, state::Frame&) {}
void HandleMarkedAces(client::Client&, state::Frame&) {}
void HandleBaoShuai(client::Client&, state::Frame&) {}
void HandleTurn(client::Client&, state::Frame&) {}
void HandleHandStart(client::Client&, state::Frame&) {}
void HandlePlayerInfo(client::Client&, state::Frame&) {}
void HandlePlayerLeft(client::Client&, state::Frame&) {}
void HandleTableClosed(client::Client&, state::Frame&) {}
void HandlePlayerReady(client::Client&, state::Frame&) {}
void HandleGoldChange(client::Client&, state::Frame&) {}
void HandlePlayerGoldChange(client::Client&, state::Frame&) {}

}  // namespace dispatch
