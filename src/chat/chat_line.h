#pragma once

#include <QString>
#include <cstdint>

#include "client/client_fwd.h"
#include "state/frame.h"
#include "state/shared_state.h"

namespace chat {

// The whisper prefix put at the head of the chat line for an addressee.
QString WhisperPrefix(const QString& nickname);

// The line without the first occurrence of the prefix, taken out where it stands: what the
// player typed before and after it stays whole.
QString WithoutPrefix(const QString& line, const QString& prefix);

// What a chat frame says and to whom: its text and byte 11 (the addressee's SeatFlag, 0 for
// everybody).
struct ComposedChat {
    QString text;
    std::uint8_t target = 0;
};
// `said` as a whisper to the prefix's addressee (the text alone; with a whisper seat of 0 the
// own nickname and the prefix's "对 ... 说 ：" go in front and it goes to everybody), or as
// an ordinary line: own nickname + "说道： " + said.
ComposedChat ComposeChat(const state::SharedState& s, bool whisper, const QString& said);

// A fresh chat frame from the local player: type 19 and the own SeatFlag.
state::Frame NewChatFrame(const state::SharedState& s);
// Puts the composed text up for the queue and queues the frame with its addressee; the queue
// sends nothing for an empty text.
void QueueChat(client::Client& c, state::Frame& frame, const ComposedChat& chat);

// Composes the chat line's text and sends it (Enter and the send button): nothing for an empty
// line, a line of blanks or the bare prefix; otherwise the whisper ends and the chat line is
// emptied.
void ComposeAndSend(client::Client& c, const QString& line);

}  // namespace chat
