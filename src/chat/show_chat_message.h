#pragma once

#include "state/frame.h"

namespace connection {
class Client;
}

namespace chat {

// Shows a received chat frame: its line or quick phrase in the chat history, the system lines,
// the speaker's bubble and voice.
void ShowChatMessage(connection::Client& c, state::Frame& message);

}  // namespace chat
