#include "chat/chat_line.h"

#include "chat/chat_frame.h"
#include "chat/table_hooks.h"
#include "chat/talk.h"
#include "client/client.h"
#include "client/main_form.h"
#include "connection/send_queue.h"
#include "connection/text_helpers.h"
#include "platform/runtime/failure.h"
#include "state/message_types.h"

namespace chat {

namespace {

// The history is emptied when a character is typed while it holds more lines than this.
constexpr int HistoryLimit = 100;
constexpr int KeyEnter = 13;
constexpr int KeyBackspace = 8;

}  // namespace

QString WhisperPrefix(const QString& nickname) {
    return QStringLiteral("你对") + nickname + QStringLiteral("说 ：");
}

QString WithoutPrefix(const QString& line, const QString& prefix) {
    const qsizetype at = line.indexOf(prefix, 0, Qt::CaseSensitive);
    if (at < 0) return line;
    return line.left(at) + line.mid(at + prefix.size());
}

ComposedChat ComposeChat(const state::SharedState& s, bool whisper, const QString& said) {
    const QString& own = s.g_aPlayerInfo[0].nickname;
    if (!whisper) return {own + QStringLiteral("说道： ") + said, 0};
    if (s.g_nWhisperSeat == 0) return {own + s.g_sWhisperPrefix.mid(1) + said, 0};
    return {said, std::uint8_t(s.g_nWhisperSeat)};
}

state::Frame NewChatFrame(const state::SharedState& s) {
    state::Frame frame{};
    frame[state::FrameTypeByte] = state::MsgChat;
    frame[chat_bytes::Seat] = s.custom[0].seat;
    return frame;
}

void QueueChat(client::Client& c, state::Frame& frame, const ComposedChat& chat) {
    frame[chat_bytes::Target] = chat.target;
    c.s.g_sChatText = chat.text;
    connection::QueueOutgoingMessage(c.s, frame);
}

void ComposeAndSend(client::Client& c, const QString& line) {
    auto& s = c.s;
    if (line.isEmpty() || connection::TrimBlanks(line) == s.g_sWhisperPrefix) return;
    const bool whisper =
        !s.g_sWhisperPrefix.isEmpty() && line.contains(s.g_sWhisperPrefix, Qt::CaseSensitive);
    // A whisper's body is the line with the prefix taken out wherever it stands.
    const ComposedChat chat =
        ComposeChat(s, whisper, whisper ? WithoutPrefix(line, s.g_sWhisperPrefix) : line);
    s.g_sWhisperPrefix.clear();
    c.MainForm->Chat.setText({});
    state::Frame frame = NewChatFrame(s);
    QueueChat(c, frame, chat);
}

void SendChatLine(client::Client& c) {
    auto& chatLine = c.MainForm->Chat;
    const QString line = chatLine.text();
    chatLine.setText({});
    ComposeAndSend(c, line);
}

}  // namespace chat

namespace client {
using namespace chat;

void MainForm::Chat_KeyPress(int& KeyAscii) {
    auto& s = c.s;
    auto& history = c.Talk->Text1;
    if (history.listCount() > HistoryLimit) history.clear();
    if (KeyAscii == KeyEnter && !s.g_bSpectator) {
        if (s.g_bChatAllowed) {
            s.g_bChatAllowed = false;
            TimerChat.setEnabled(true);
            ComposeAndSend(c, Chat.text());
        } else if (!Chat.text().isEmpty()) {
            AddChatHistoryNotice(c, QStringLiteral("（发送消息太快！）"));
            Chat.setText({});
        }
    }
    if (KeyAscii == KeyBackspace && !s.g_sWhisperPrefix.isEmpty()) {
        m_sChatBeforeKey = Chat.text();
        if (Chat.selStart() <= s.g_sWhisperPrefix.size()) m_bDropWhisperPrefix = true;
    }
}

void MainForm::Chat_Change() {
    if (!m_bDropWhisperPrefix) return;
    auto& s = c.s;
    m_bDropWhisperPrefix = false;
    // The whole prefix goes; the rest is the line as it stood before the Backspace.
    Chat.setText(m_sChatBeforeKey.mid(s.g_sWhisperPrefix.size()));
    s.g_sWhisperPrefix.clear();
    s.g_sChatSaved.clear();
    s.g_nWhisperSeat = 0;
    Chat.setSelStart(int(Chat.text().size()));
}

void MainForm::Chat_GotFocus() {
    c.s.g_bChatFocus = true;
}

void MainForm::Chat_LostFocus() {
    c.s.g_bChatFocus = false;
}

void MainForm::TimerChat_Timer() {
    TimerChat.setEnabled(false);
    c.s.g_bChatAllowed = true;
}

void MainForm::Tou_Click(int Index) {
    auto& s = c.s;
    if (!s.g_bLoggedIn || Index == 0) return;
    if (Index < 0 || Index > 3) {
        platform::fail(platform::RuntimeFailure::Kind::IndexOutOfRange, "Subscript out of range");
    }
    const QString& nickname = s.g_aPlayerInfo[Index].nickname;
    if (nickname.isEmpty()) return;
    const QString prefix = WhisperPrefix(nickname);
    s.g_sChatSaved = Chat.text();
    s.g_nWhisperSeat = s.custom[Index].seat;
    // A previous whisper's prefix is taken out where it stands, keeping what was typed.
    if (!Chat.text().isEmpty() && s.g_sChatSaved.contains(s.g_sWhisperPrefix, Qt::CaseSensitive)) {
        s.g_sChatSaved = WithoutPrefix(s.g_sChatSaved, s.g_sWhisperPrefix);
    }
    s.g_sWhisperPrefix = prefix;
    Chat.setText(s.g_sWhisperPrefix + s.g_sChatSaved);
    Chat.setSelStart(int(Chat.text().size()));
    Chat.setFocus();
}

}  // namespace client
