#pragma once

#include "state/frame.h"
#include "state/player_info.h"

namespace dispatch {

// Byte windows of the profile in a MsgPlayerInfo frame.
namespace player_info_bytes {
inline constexpr std::size_t Seat = 6;  // the receiver's own SeatFlag
inline constexpr std::size_t Nickname = 16, NicknameWidth = 32;
inline constexpr std::size_t Face = 48, FaceWidth = 16;
inline constexpr std::size_t Sex = 64;
inline constexpr std::size_t Location = 72, LocationWidth = 8;
inline constexpr std::size_t Points = 80;
inline constexpr std::size_t Credit = 88;
inline constexpr std::size_t Gold = 96;
inline constexpr std::size_t FirstSpare = 104;
inline constexpr std::size_t LevelTitle = 112, LevelTitleWidth = 16;
inline constexpr std::size_t OtherSpares = 128;  // three amounts
inline constexpr std::size_t Logins = 152;
inline constexpr std::size_t Drops = 156;
inline constexpr std::size_t Wins = 160;
inline constexpr std::size_t Losses = 164;
inline constexpr std::size_t Account = 168, AccountWidth = 16;
inline constexpr std::size_t Tag = 184, TagWidth = 24;
inline constexpr std::size_t Ready = 208;
inline constexpr std::size_t VoiceCode = 210, VoiceCodeWidth = 8;
inline constexpr std::size_t VoiceId = 218, VoiceIdWidth = 8;
inline constexpr std::size_t PlayerSeat = 226;  // also the first byte of the last spare amount
inline constexpr std::size_t LastSpare = 226;
inline constexpr std::size_t Wealth = 234;
inline constexpr std::size_t NoProps = 255;
}  // namespace player_info_bytes

// Decodes the profile of a MsgPlayerInfo frame into `record`, every field but voiceSlot, in
// the order the fields are written. A counter whose most significant byte is 0x80 or more is
// an overflow failure; the fields decoded before it keep their new values and the later ones
// their old.
void DecodePlayerInfo(state::PlayerInfo& record, const state::Frame& message);

}  // namespace dispatch
