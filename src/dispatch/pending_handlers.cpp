// Handlers whose frames the table does not act on yet: each comes with its own part of the
// dispatcher. Until then its frames are taken and dropped (they do not reach the props
// plug-in, which never receives the types the table handles itself).
#include "dispatch/handlers.h"

namespace dispatch {

void HandleDeal(connection::Client&, state::Frame&) {}
void HandleDeclarePrompt(connection::Client&, state::Frame&) {}
void HandleDeclared(connection::Client&, state::Frame&) {}
void HandleMarkedAces(connection::Client&, state::Frame&) {}
void HandleBaoShuai(connection::Client&, state::Frame&) {}
void HandleTurn(connection::Client&, state::Frame&) {}
void HandleHandResult(connection::Client&, state::Frame&) {}
void HandleHandStart(connection::Client&, state::Frame&) {}
void HandlePlayerInfo(connection::Client&, state::Frame&) {}
void HandlePlayerLeft(connection::Client&, state::Frame&) {}
void HandleTableClosed(connection::Client&, state::Frame&) {}
void HandlePlayerReady(connection::Client&, state::Frame&) {}
void HandleGoldChange(connection::Client&, state::Frame&) {}
void HandlePlayerGoldChange(connection::Client&, state::Frame&) {}

}  // namespace dispatch
