#pragma once

namespace client {
class Client;
}

namespace chat {

// Empties the chat history list (`Talk`'s `Text1`).
void ClearChatHistory(client::Client& c);
// Hides the chat history window (`Talk`), loading it first when it is not loaded; the table
// reset between hands does this.
void HideChatHistory(client::Client& c);
// Hides the quick-phrase window (`huifu`); the drag of the table window does this.
void HideQuickPhrases(client::Client& c);
// Unloads the quick-phrase window (`huifu`) when it is showing.
void UnloadQuickPhrasesIfShowing(client::Client& c);

}  // namespace chat
