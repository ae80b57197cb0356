#include "chat/talk.h"

#include "chat/chat_window_look.h"
#include "chat/table_hooks.h"
#include "client/client.h"
#include "client/main_form.h"
#include "connection/dialog_look.h"
#include "connection/text_helpers.h"

namespace chat {

namespace {

// The history wraps its lines at this many display columns.
constexpr int HistoryColumns = 44;
// Design size in pixels.
constexpr float TalkWidth = 330;
constexpr float TalkHeight = 160;
constexpr int KeyAlt = 18;
constexpr int KeyC = 67;

void ScrollToLastLine(forms::ListBox& list) {
    if (list.listCount() > 0) list.setTopIndex(list.listCount() - 1);
}

// Opens the window over the table window as a topmost window, wherever the caller places it.
void ShowTopmost(Talk& talk) {
    talk.setVisible(true);
    talk.setTopmost(true);
}

}  // namespace

Talk::Talk(forms::Forms& forms, client::Client& client) : Form(forms), c(client) {
    DressChatWindow(*this, QStringLiteral("聊天"), TalkWidth, TalkHeight, Label1);
    PlaceChatList(*this, Text1);
    Label1.onClick.bind(this, &Talk::Label1_Click);
    Text1.onKeyDown.bind(this, &Talk::Text1_KeyDown);
}

void Talk::Form_Load() {
    connection::MakeDialogLayered(*this);
    const auto& table = *c.MainForm;
    setTop(0.66f * table.height());
    setLeft(0.3f * table.width());
}

void Talk::Label1_Click() {
    hide();
}

void Talk::Text1_KeyDown(int& KeyCode, int Shift) {
    (void)Shift;
    auto& keys = c.s.g_aAltCKeys;
    if (KeyCode == KeyAlt) {
        keys[0] = 1;
    } else if (KeyCode == KeyC) {
        keys[1] = 1;
    } else {
        keys = {0, 0};
    }
    if (keys[0] == 1 && keys[1] == 1) {
        keys = {0, 0};
        hide();
    }
}

void AddChatHistoryLine(client::Client& c, const QString& line) {
    auto& history = c.Talk->Text1;
    connection::AddWrappedText(history, line, HistoryColumns);
    ScrollToLastLine(history);
}

void AddChatHistoryNotice(client::Client& c, const QString& line) {
    auto& history = c.Talk->Text1;
    history.addItem(line);
    ScrollToLastLine(history);
}

void ClearChatHistory(client::Client& c) {
    c.Talk->Text1.clear();
}

void HideChatHistory(client::Client& c) {
    // A window that is not loaded is not showing; hiding it must not load it.
    if (auto* talk = c.Talk.ifLoaded()) talk->hide();
}

void ToggleChatHistory(client::Client& c) {
    auto& talk = *c.Talk;
    if (talk.visible()) {
        talk.hide();
        return;
    }
    ShowTopmost(talk);
    const auto& table = *c.MainForm;
    if (c.s.g_fScaleY < 1.0f) {
        talk.setTop(0.6f * table.height());
        talk.setLeft(0.27f * table.width());
    } else {
        talk.setTop(table.top() + 0.66f * table.height());
        talk.setLeft(table.left() + 0.3f * table.width());
    }
}

void ShowChatHistoryByKeys(client::Client& c) {
    auto& talk = *c.Talk;
    ShowTopmost(talk);
    const auto& table = *c.MainForm;
    talk.setTop(0.66f * table.height());
    talk.setLeft(0.3f * table.width());
}

}  // namespace chat

namespace client {
using namespace chat;

void MainForm::Lbchat_Click() {
    HideQuickPhrases(c);
    ToggleChatHistory(c);
}

}  // namespace client
