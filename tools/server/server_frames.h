#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "state/frame.h"

// Frames of the game server built from named fields, and the fields of the client's frames read
// back by name, so that neither the table server nor a test spells out byte offsets. The layouts
// are written down here independently of the client's code. Text fields take the bytes as they go
// on the wire (use gbk() for display text); a text longer than its window is a mistake of the
// caller and throws std::invalid_argument.
namespace tableserver::wire {

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

// Type 19, in both directions.
struct ChatFrame {
    std::uint8_t seat = 0;
    std::uint8_t phraseList = 0;   // byte 9: 1 or 2 for a quick phrase of that list
    std::uint8_t target = 0;       // byte 11: the whispered-to SeatFlag, 0 for everybody
    std::uint8_t phraseNo = 0;     // byte 15: the quick phrase's number, 1-based
    std::string text;              // GBK bytes from byte 16, at most 200
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

// A card as the wire carries it: suit mask, rank, a byte of the server's, card id.
std::int32_t CardWord(std::uint8_t suit, std::uint8_t rank, std::uint8_t id);

// Type 16.
struct HandStartFrame {
    std::uint8_t startPhase = 0;    // byte 15: 0 a hand starts, 3 and up a removal
    std::uint8_t removedSeats = 0;  // byte 6, with a removal
    std::uint8_t seatChange = 0;    // byte 11 (changeRoomSeats with a removal)
    std::uint8_t shuffle = 0;       // byte 13
    std::int32_t wealth = 0;        // bytes 16..19, little-endian
    Token token{};
};
state::Frame BuildHandStart(const HandStartFrame& fields);

// Type 1: one batch of the receiver's cards.
struct DealFrame {
    std::uint8_t seat = 0;
    std::uint8_t dealPhase = 1;            // byte 15: 1 first, 2 middle, 3 last
    std::vector<std::int32_t> cards;       // from byte 16, at most 13; cardCount is their count
    std::uint8_t mayDeclare = 0;           // byte 68
    std::array<std::int32_t, 3> offers{};  // bytes 72..83, first batch
    std::uint8_t calledSuit = 0;           // byte 72, last batch
    std::array<std::int32_t, 4> group{};   // bytes 84..99, middle batch
    std::int32_t threadIndex = 0;          // bytes 268..271, first batch
    Token token{};
};
state::Frame BuildDeal(const DealFrame& fields);

// Type 2.
struct DeclarePromptFrame {
    std::uint8_t seat = 0;
    std::uint16_t allowed = 0;  // bytes 8..9, big-endian
    Token token{};
};
state::Frame BuildDeclarePrompt(const DeclarePromptFrame& fields);

// Type 3.
struct DeclaredFrame {
    std::uint8_t seat = 0;
    std::uint16_t action = 0;             // bytes 8..9, big-endian
    std::uint16_t multiplier = 1;         // bytes 14..15, big-endian
    std::array<std::int32_t, 4> cards{};  // bytes 16..31
    Token token{};
};
state::Frame BuildDeclared(const DeclaredFrame& fields);

// Type 4.
struct MarkedAcesFrame {
    std::uint8_t colourMask = 0;  // byte 11
    std::uint8_t holder1 = 0;     // byte 16
    std::uint8_t suit1 = 0;       // byte 17
    std::uint8_t holder2 = 0;     // byte 18
    std::uint8_t suit2 = 0;       // byte 19
    Token token{};
};
state::Frame BuildMarkedAces(const MarkedAcesFrame& fields);

// Type 5.
struct BaoShuaiFrame {
    std::uint8_t badgeCount = 1;  // byte 11
    std::uint8_t badge = 1;       // byte 15
    std::uint8_t seat1 = 0;       // byte 16
    std::uint8_t seat2 = 0;       // byte 17
    Token token{};
};
state::Frame BuildBaoShuai(const BaoShuaiFrame& fields);

// Type 6.
struct TurnFrame {
    std::uint8_t seat = 0;            // the actor
    std::uint8_t nextSeat = 0;        // byte 11
    std::uint8_t turnKind = 0;        // byte 15
    std::vector<std::int32_t> cards;  // from byte 20, at most 13; byte 17 is their count
    std::uint8_t pattern = 0;         // byte 18
    std::int16_t multiplier = 0;      // bytes 72..73, little-endian
    std::uint8_t seconds = 0;         // byte 179
    Token token{};
};
state::Frame BuildTurn(const TurnFrame& fields);

// Type 9: one player's result.
struct HandResultFrame {
    std::uint8_t seat = 0;
    std::int32_t baseGold = 0;            // bytes 8..11, big-endian
    std::uint8_t currency = 1;            // byte 15
    std::vector<std::int32_t> cardsHeld;  // byte 16 is their count, cards from byte 20
    std::uint8_t place = 0;               // byte 72
    std::uint8_t totalSign = 0;
    std::uint64_t totalAmount = 0;
    std::uint8_t finalSign = 0;
    std::uint64_t finalAmount = 0;
    std::uint8_t level = 1;
    std::uint8_t mengXuan = 0;
    std::uint8_t mengChuai = 0;
    std::array<std::uint8_t, 6> bonusX2{};
    std::uint8_t subtotalSign = 0;
    std::uint64_t subtotalAmount = 0;
    std::uint8_t capped = 0;
    std::string note;  // 20 bytes, GBK
    Token token{};
};
state::Frame BuildHandResult(const HandResultFrame& fields);

// Type 21.
struct PlayerLeftFrame {
    std::uint8_t antiCheat = 0;     // byte 8
    std::uint8_t readySeconds = 1;  // byte 11
    std::string account;            // 16 bytes
    Token token{};
};
state::Frame BuildPlayerLeft(const PlayerLeftFrame& fields);

// Type 23.
struct PlayerReadyFrame {
    std::uint8_t readyState = 1;  // byte 15
    std::string account;          // 16 bytes
    Token token{};
};
state::Frame BuildPlayerReady(const PlayerReadyFrame& fields);

// Type 22.
struct TableClosedFrame {
    std::string text;  // 200 bytes, GBK
    Token token{};
};
state::Frame BuildTableClosed(const TableClosedFrame& fields);

// Types 91 (the receiver's own gold, no account) and 92 (another player's, by account).
struct GoldChangeFrame {
    bool loss = false;         // byte 16
    std::uint64_t amount = 0;  // bytes 17..24, little-endian
    std::string account;       // bytes 25..41; empty makes a type-91 frame
    Token token{};
};
state::Frame BuildGoldChange(const GoldChangeFrame& fields);

// Fields of frames the client sends.
std::uint8_t FrameType(const state::Frame& frame);
std::uint8_t FrameSeat(const state::Frame& frame);
Token FrameToken(const state::Frame& frame);               // bytes 260..261
std::int32_t FrameThreadIndex(const state::Frame& frame);  // bytes 268..271, little-endian
std::uint8_t FrameSubCode(const state::Frame& frame);      // byte 15
// One byte per character from `offset` up to the first zero byte or `width` bytes.
std::string FrameText(const state::Frame& frame, std::size_t offset, std::size_t width);

// The login and reconnect frames: the account from byte 16; a longer one runs on into the
// password's window, which starts at byte 32.
std::string LoginAccount(const state::Frame& frame);

// Chat frame (type 19) of the client, field by field; the text is decoded from GBK up to its
// first zero byte.
struct SentChat {
    std::uint8_t seat = 0;
    std::uint8_t phraseList = 0;  // byte 9
    std::uint8_t target = 0;      // byte 11
    std::uint8_t listMarker = 0;  // byte 13: 97 in quick phrases of list 2
    std::uint8_t phraseNo = 0;    // byte 15
    QString text;
    std::string textBytes;
    // True when every byte the layout does not name is 0.
    bool otherBytesZero = true;
};
SentChat ReadSentChat(const state::Frame& frame);

// Declaration frame (type 3): the action of bytes 8..9 (big-endian) and the cards of 16..31.
std::uint16_t DeclareAction(const state::Frame& frame);
std::array<std::int32_t, 4> DeclareCards(const state::Frame& frame);

// Play frame (type 7): byte 15 playKind (1 pass, 2 play), 17 count, 18 pattern, ids from 20.
struct PlayFields {
    std::uint8_t playKind = 0;
    std::uint8_t cardCount = 0;  // as sent; the ids are read for at most 13
    std::uint8_t pattern = 0;
    std::vector<std::uint8_t> cardIds;
};
PlayFields ReadPlay(const state::Frame& frame);

}  // namespace tableserver::wire
