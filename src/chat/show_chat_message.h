#pragma once

#include <QString>

#include "client/client_fwd.h"
#include "state/frame.h"

namespace state {
struct PlayerInfo;
}
namespace sound {
struct SoundState;
}

namespace chat {

// The text of a chat frame: bytes from 16 up to the first zero byte, at most to byte 215; a byte
// of 0x80 or more is the lead byte of a double-byte character and takes the next byte with it,
// whatever that is (a lead byte at 215 takes byte 216). A pair that is no GBK character gives
// U+FFFD.
QString DecodeChatText(const state::Frame& msg);

// The voice file of a quick phrase (list 1 or 2, phrase number phraseNo) spoken by player P:
// the shared "pk" set for voice code "0010"; otherwise the player's own set, in the Oskerra
// folder for list 1 and the common folder for list 2, or the "pk" name when that file is
// missing.
QString QuickPhraseVoiceFile(const sound::SoundState& sound, const state::PlayerInfo& P, int list,
                             int phraseNo);

// Shows a received chat frame: a quick phrase also pops up the speaker's bubble and plays the
// speaker's voice; then the line (whispers with both names, "你" for the local player, banned
// words removed) goes into the chat history and its beginning into the system message area,
// and the chat button flashes when someone else spoke.
void ShowChatMessage(client::Client& c, state::Frame& msg);

}  // namespace chat
