#pragma once

namespace connection {
class Client;
}

namespace chat {

// Empties the chat history list (`Talk`'s `Text1`).
void ClearChatHistory(connection::Client& c);
// Unloads the quick-phrase window (`huifu`) when it is showing.
void UnloadQuickPhrasesIfShowing(connection::Client& c);

}  // namespace chat
