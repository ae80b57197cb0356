#include "chat/huifu.h"

#include "chat/chat_frame.h"
#include "chat/chat_line.h"
#include "chat/chat_window_look.h"
#include "chat/quick_phrase_file.h"
#include "chat/table_hooks.h"
#include "chat/talk.h"
#include "client/client.h"
#include "client/main_form.h"
#include "connection/dialog_look.h"

namespace chat {

namespace {

// Design size in pixels; the two lists lie one over the other.
constexpr float HuifuWidth = 300;
constexpr float HuifuHeight = 180;

// Sends the selected entry of list k (1 or 2) as a quick phrase.
void SendQuickPhrase(client::Client& c, huifu& window, int k) {
    auto& s = c.s;
    forms::ListBox& list = k == 2 ? window.List2 : window.List1;
    state::Frame frame = NewChatFrame(s);
    if (k == 2) frame[chat_bytes::ListMarker] = chat_bytes::List2Marker;
    if (list.listCount() == 0) return;
    // A double click below the last entry selects nothing: there is no phrase to send.
    if (list.listIndex() < 0) return;
    frame[chat_bytes::PhraseList] = std::uint8_t(k);
    frame[chat_bytes::PhraseNo] = std::uint8_t(list.listIndex() + 1);
    const QString phrase = list.list(list.listIndex());
    auto& chatLine = c.MainForm->Chat;
    const bool whisper = !s.g_sWhisperPrefix.isEmpty() &&
                         chatLine.text().contains(s.g_sWhisperPrefix, Qt::CaseSensitive);
    const ComposedChat chat = ComposeChat(s, whisper, phrase);
    chatLine.setText({});
    s.g_sWhisperPrefix.clear();
    QueueChat(c, frame, chat);
    window.hide();
}

// Shows list k (1 or 2) and hides the other.
void ShowList(huifu& window, int k) {
    window.List1.setVisible(k == 1);
    window.List2.setVisible(k == 2);
}

// The quick-phrase buttons: open the window on list k, switch it to list k, or close it.
void QuickPhraseButton(client::Client& c, int k) {
    HideChatHistory(c);
    auto& window = *c.huifu;
    if (!window.visible()) {
        window.setVisible(true);
        window.setTopmost(true);
        const auto& table = *c.MainForm;
        const auto& Pic1 = table.Pic1;
        if (c.s.g_fScaleX == 1.0f) {
            window.setTop(table.top() + Pic1.top() + 0.66f * Pic1.height());
            window.setLeft(table.left() + Pic1.left() + 0.3f * Pic1.width());
        } else {
            window.setTop(table.top() + Pic1.top() + 0.6f * table.height());
            window.setLeft(table.left() + Pic1.left() + 0.27f * table.width());
        }
        ShowList(window, k);
        window.show();
        return;
    }
    const bool showing = k == 1 ? window.List1.visible() : window.List2.visible();
    if (showing) {
        window.hide();
    } else {
        ShowList(window, k);
    }
}

}  // namespace

huifu::huifu(forms::Forms& forms, client::Client& client) : Form(forms), c(client) {
    DressChatWindow(*this, QStringLiteral("快捷短语"), HuifuWidth, HuifuHeight, Label1);
    PlaceChatList(*this, List1);
    PlaceChatList(*this, List2);
    List2.setToolTipText(QStringLiteral("双击后发送你想说的话"));
    List1.onDblClick.bind(this, &huifu::List1_DblClick);
    List2.onDblClick.bind(this, &huifu::List2_DblClick);
    Label1.onClick.bind(this, &huifu::Label1_Click);
}

void huifu::Form_Load() {
    connection::MakeDialogLayered(*this);
    const QuickPhrases phrases = ReadQuickPhraseFile(c.App_Path() + QStringLiteral("\\chat.txt"));
    for (const QString& phrase : phrases.list1) List1.addItem(phrase);
    for (const QString& phrase : phrases.list2) List2.addItem(phrase);
    List1.setVisible(true);
    List1.zOrder(0);
    List2.setVisible(true);
    List2.zOrder(0);
}

void huifu::List1_DblClick() {
    SendQuickPhrase(c, *this, 1);
}

void huifu::List2_DblClick() {
    SendQuickPhrase(c, *this, 2);
}

void huifu::Label1_Click() {
    hide();
}

void HideQuickPhrases(client::Client& c) {
    // A window that is not loaded is not showing; hiding it must not load it.
    if (auto* window = c.huifu.ifLoaded()) window->hide();
}

void UnloadQuickPhrasesIfShowing(client::Client& c) {
    if (auto* window = c.huifu.ifLoaded(); window && window->visible()) window->unload();
}

}  // namespace chat

namespace client {
using namespace chat;

void MainForm::imgword1_Click() {
    QuickPhraseButton(c, 1);
}

void MainForm::imgword2_Click() {
    QuickPhraseButton(c, 2);
}

}  // namespace client
