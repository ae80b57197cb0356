#include "chat/leave_reset.h"

namespace chat {

// The chat history and quick-phrase windows come with the chat; until then neither exists.
void ClearChatHistory(client::Client&) {}

void HideChatHistory(client::Client&) {}

void HideQuickPhrases(client::Client&) {}

void UnloadQuickPhrasesIfShowing(client::Client&) {}

}  // namespace chat
