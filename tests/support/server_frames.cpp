#include "support/server_frames.h"

#include <stdexcept>

#include "platform/text/gbk.h"

namespace support {
namespace {

constexpr std::size_t kType = 3;
constexpr std::size_t kSeat = 6;
constexpr std::size_t kSubCode = 15;
constexpr std::size_t kToken = 260;
constexpr std::size_t kThreadIndex = 268;

void putText(state::Frame& f, std::size_t offset, std::size_t width, const std::string& bytes) {
    if (bytes.size() > width) {
        throw std::invalid_argument("text of " + std::to_string(bytes.size()) +
                                    " bytes for a window of " + std::to_string(width));
    }
    for (std::size_t i = 0; i < bytes.size(); ++i) f.at(offset + i) = std::uint8_t(bytes[i]);
}

void putLittleEndian(state::Frame& f, std::size_t offset, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) f.at(offset + i) = std::uint8_t(value >> (8 * i));
}

void putBigEndian(state::Frame& f, std::size_t offset, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) f.at(offset + i) = std::uint8_t(value >> (8 * (bytes - 1 - i)));
}

}  // namespace

std::string gbk(const QString& text) {
    return platform::encodeGbk(text);
}

state::Frame BuildServerFrame(const ServerHeader& header) {
    state::Frame f{};
    f[kType] = header.type;
    f[kSeat] = header.seat;
    f[kSubCode] = header.subCode;
    f[kToken] = header.token[0];
    f[kToken + 1] = header.token[1];
    putLittleEndian(f, kThreadIndex, std::uint32_t(header.threadIndex), 4);
    return f;
}

state::Frame BuildLoginReply(const LoginReply& fields) {
    state::Frame f =
        BuildServerFrame({.type = 18, .subCode = fields.loginResult, .token = fields.token});
    f[9] = fields.autoLimit;
    f[11] = fields.turnSeconds;
    putText(f, 16, 100, fields.adUrl);
    return f;
}

state::Frame BuildReconnectReply(const ReconnectReply& fields) {
    return BuildServerFrame({.type = 29, .subCode = fields.reconnectResult, .token = fields.token});
}

state::Frame BuildChat(const ChatFrame& fields) {
    state::Frame f = BuildServerFrame(
        {.type = 19, .seat = fields.seat, .subCode = fields.phraseNo, .token = fields.token});
    f[9] = fields.phraseList;
    f[11] = fields.target;
    putText(f, 16, 200, fields.text);
    putBigEndian(f, 236, fields.propMarker, 4);
    return f;
}

state::Frame BuildPlayerInfo(const PlayerInfoFrame& p) {
    state::Frame f = BuildServerFrame({.type = 20, .seat = p.seat, .token = p.token});
    putText(f, 16, 32, p.nickname);
    putText(f, 48, 16, p.face);
    f[64] = p.sex;
    putText(f, 72, 8, p.location);
    putLittleEndian(f, 80, p.points, 8);
    putLittleEndian(f, 88, p.credit, 8);
    putLittleEndian(f, 96, p.gold, 8);
    putLittleEndian(f, 104, p.spareAmounts[0], 8);
    putText(f, 112, 16, p.levelTitle);
    for (std::size_t i = 1; i < 4; ++i) putLittleEndian(f, 128 + 8 * (i - 1), p.spareAmounts[i], 8);
    putLittleEndian(f, 152, p.logins, 4);
    putLittleEndian(f, 156, p.drops, 4);
    putLittleEndian(f, 160, p.wins, 4);
    putLittleEndian(f, 164, p.losses, 4);
    putText(f, 168, 16, p.account);
    putText(f, 184, 24, p.tag);
    f[208] = p.ready;
    putText(f, 210, 8, p.voiceCode);
    putText(f, 218, 8, p.voiceId);
    f[226] = p.playerSeat;
    for (std::size_t i = 0; i < p.lastSpareTail.size(); ++i) f[227 + i] = p.lastSpareTail[i];
    putLittleEndian(f, 234, std::uint32_t(p.wealth), 4);
    f[255] = p.noProps;
    return f;
}

std::uint8_t FrameType(const state::Frame& frame) {
    return frame[kType];
}

std::uint8_t FrameSeat(const state::Frame& frame) {
    return frame[kSeat];
}

Token FrameToken(const state::Frame& frame) {
    return {frame[kToken], frame[kToken + 1]};
}

std::int32_t FrameThreadIndex(const state::Frame& frame) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | frame[kThreadIndex + i];
    return std::int32_t(value);
}

SentChat ReadSentChat(const state::Frame& frame) {
    SentChat chat;
    chat.seat = frame[kSeat];
    chat.phraseList = frame[9];
    chat.target = frame[11];
    chat.listMarker = frame[13];
    chat.phraseNo = frame[kSubCode];
    std::size_t end = 16;
    while (end < frame.size() && frame[end] != 0) ++end;
    chat.textBytes.assign(frame.begin() + 16, frame.begin() + std::ptrdiff_t(end));
    chat.text = platform::decodeGbk(chat.textBytes);
    for (std::size_t i = 0; i < frame.size(); ++i) {
        const bool named = i == kType || i == kSeat || i == 9 || i == 11 || i == 13 ||
                           i == kSubCode || (i >= 16 && i < end);
        if (!named && frame[i] != 0) chat.otherBytesZero = false;
    }
    return chat;
}

}  // namespace support
