#include "chat/show_chat_message.h"

namespace chat {

// Incoming chat is shown once the chat subsystem is in place; until then a chat frame is
// taken and nothing is shown.
void ShowChatMessage(client::Client& c, state::Frame& message) {
    (void)c;
    (void)message;
}

}  // namespace chat
