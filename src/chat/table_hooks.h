#pragma once

#include <QString>

#include "client/client_fwd.h"

// What the rest of the table window calls of the chat: the toolbar's send and history buttons,
// the table's keys, clicks and drags that hide the chat windows, the resets, and the writers of
// the chat history.
namespace chat {

// Toolbar button 0: sends the chat line at any rate (no flood gate, spectators too).
void SendChatLine(client::Client& c);
// Toolbar button 1 (and the history label after it hid the quick phrases): hides the history
// window when it shows, else shows it topmost over the table.
void ToggleChatHistory(client::Client& c);
// Alt then C on the table: shows the history window topmost, at 0.66 of the table window's
// height and 0.3 of its width.
void ShowChatHistoryByKeys(client::Client& c);
// Hides the history window (the reset before a hand, a click on the table, the boss key, a
// drag of the table window). A window that was never loaded stays unloaded.
void HideChatHistory(client::Client& c);
// Hides the quick-phrase window, likewise.
void HideQuickPhrases(client::Client& c);

// Leaving the table: empties the chat history; the exit dialog unloads a showing quick-phrase
// window, so that the next use reads the quick-phrase file again.
void ClearChatHistory(client::Client& c);
void UnloadQuickPhrasesIfShowing(client::Client& c);

// A chat line into the history, wrapped at 44 columns, scrolled so that its last line is the
// top visible one.
void AddChatHistoryLine(client::Client& c, const QString& line);
// A short notice into the history as one line, scrolled likewise.
void AddChatHistoryNotice(client::Client& c, const QString& line);

}  // namespace chat
