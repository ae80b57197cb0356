#pragma once

#include "state/frame.h"

namespace client {
class Client;
}

namespace chat {

// Shows a received chat frame: its line or quick phrase in the chat history, the system lines,
// the speaker's bubble and voice.
void ShowChatMessage(client::Client& c, state::Frame& message);

}  // namespace chat
