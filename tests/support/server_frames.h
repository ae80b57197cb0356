#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "state/frame.h"

// Frames of the game server built from named fields, and the fields of the client's frames read
// back by name, so that no test spells out byte offsets. The layouts are written down here
// independently of the client's code. Text fields take the bytes as they go on the wire (use
// gbk() for display text); a text longer than its window is a mistake in the test and throws
// std::invalid_argument.
namespace support {

using Token = std::array<std::uint8_t, 2>;

// GBK bytes of a text, as the server sends display text.
std::string gbk(const QString& text);

// The header every server frame shares; the start of every builder below.
struct ServerHeader {
    std::uint8_t type = 0;
    std::uint8_t seat = 0;         // byte 6, a SeatFlag
    std::uint8_t subCode = 0;      // byte 15
    Token token{};                 // bytes 260..261
    std::int32_t threadIndex = 0;  // bytes 268..271, little-endian
};
state::Frame BuildServerFrame(const ServerHeader& header);

// Type 18.
struct LoginReply {
    std::uint8_t loginResult = 1;  // 1 accepted, 2 start failed, other: not verified
    std::uint8_t autoLimit = 0;
    std::uint8_t turnSeconds = 10;
    std::string adUrl;  // up to 100 bytes; exactly 100 leaves no terminating zero
    Token token{};
};
state::Frame BuildLoginReply(const LoginReply& fields);

// Type 29.
struct ReconnectReply {
    std::uint8_t reconnectResult = 1;
    Token token{};  // a reconnect answer's token is never kept by the client
};
state::Frame BuildReconnectReply(const ReconnectReply& fields);

// Type 19, as far as its routing goes.
struct ChatFrame {
    std::uint8_t seat = 0;
    std::string text;              // GBK bytes from byte 16
    std::uint32_t propMarker = 0;  // bytes 236..239, big-endian: 272 or 260 mark the plug-in's
    Token token{};
};
state::Frame BuildChat(const ChatFrame& fields);

// Type 20: a seated player's profile.
struct PlayerInfoFrame {
    std::uint8_t seat = 0;  // the receiver's own SeatFlag
    std::string nickname;   // 32 bytes, mixed GBK
    std::string face;       // 16 bytes, one byte per character
    std::uint8_t sex = 0;
    std::string location;  // 8 bytes, double-byte characters
    std::uint64_t points = 0;
    std::uint64_t credit = 0;
    std::uint64_t gold = 0;
    std::array<std::uint64_t, 4> spareAmounts{};  // 104..111, then 128..151
    std::string levelTitle;                       // 16 bytes, double-byte characters
    // The counters as raw 32-bit patterns, so that out-of-range values can be sent.
    std::uint32_t logins = 0;
    std::uint32_t drops = 0;
    std::uint32_t wins = 0;
    std::uint32_t losses = 0;
    std::string account;  // 16 bytes, one byte per character
    std::string tag;      // 24 bytes, double-byte characters
    std::uint8_t ready = 0;
    std::string voiceCode;        // 8 bytes
    std::string voiceId;          // 8 bytes
    std::uint8_t playerSeat = 0;  // byte 226, the described player's SeatFlag
    // Bytes 227..233 (byte 226 is playerSeat): the rest of the last spare amount.
    std::array<std::uint8_t, 7> lastSpareTail{};
    std::int32_t wealth = 0;
    std::uint8_t noProps = 0;
    Token token{};
};
state::Frame BuildPlayerInfo(const PlayerInfoFrame& fields);

// A card on the wire: suit mask, rank, the server's byte, card id (little-endian CardValue).
struct WireCard {
    std::uint8_t suit = 0;
    std::uint8_t rank = 0;
    std::uint8_t spare = 0;
    std::uint8_t id = 0;
};

// Type 1: one batch of the deal, as far as the client's hand reads it.
struct DealFrame {
    std::uint8_t batch = 1;  // byte 15: 1 first, 2 middle, 3 last
    std::vector<WireCard> cards;
    // Byte 11; by default the number of cards given.
    std::optional<std::uint8_t> cardCount{};
    Token token{};
};
state::Frame BuildDeal(const DealFrame& fields);

// Type 6: a turn, as far as the shown play goes.
struct TurnFrame {
    std::uint8_t seat = 0;      // byte 6: who played
    std::uint8_t turnKind = 0;  // byte 15: 1, 9, 10: the table was cleared before this play
    std::uint8_t pattern = 0;   // byte 18
    std::vector<WireCard> cards;
    std::optional<std::uint8_t> cardCount{};  // byte 17; by default the number of cards given
    Token token{};
};
state::Frame BuildTurn(const TurnFrame& fields);

// Type 7 from the client: a play or a pass.
struct PlayCardsFields {
    std::uint8_t playKind = 0;  // 1 pass, 2 play
    std::uint8_t cardCount = 0;
    std::uint8_t pattern = 0;
    std::vector<std::uint8_t> cardIds;  // bytes 20 .. 20 + cardCount - 1
    // Any byte outside the fields above (and type and seat) that is not 0.
    bool otherBytesZero = true;
    bool operator==(const PlayCardsFields&) const = default;
};
PlayCardsFields ReadPlayCards(const state::Frame& frame);

// Fields of frames the client sends.
std::uint8_t FrameType(const state::Frame& frame);
std::uint8_t FrameSeat(const state::Frame& frame);
Token FrameToken(const state::Frame& frame);               // bytes 260..261
std::int32_t FrameThreadIndex(const state::Frame& frame);  // bytes 268..271, little-endian

}  // namespace support
