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

void putCards(state::Frame& f, std::size_t offset, const std::vector<WireCard>& cards) {
    for (std::size_t i = 0; i < cards.size(); ++i) {
        const WireCard& card = cards[i];
        f.at(offset + 4 * i) = card.suit;
        f.at(offset + 4 * i + 1) = card.rank;
        f.at(offset + 4 * i + 2) = card.spare;
        f.at(offset + 4 * i + 3) = card.id;
    }
}

}  // namespace

state::Frame BuildDeal(const DealFrame& fields) {
    state::Frame f = BuildServerFrame({.type = 1, .subCode = fields.batch, .token = fields.token});
    f[11] = fields.cardCount.value_or(std::uint8_t(fields.cards.size()));
    putCards(f, 16, fields.cards);
    return f;
}

state::Frame BuildTurn(const TurnFrame& fields) {
    state::Frame f = BuildServerFrame(
        {.type = 6, .seat = fields.seat, .subCode = fields.turnKind, .token = fields.token});
    f[17] = fields.cardCount.value_or(std::uint8_t(fields.cards.size()));
    f[18] = fields.pattern;
    putCards(f, 20, fields.cards);
    return f;
}

PlayCardsFields ReadPlayCards(const state::Frame& frame) {
    PlayCardsFields fields{frame[15], frame[17], frame[18], {}, true};
    for (std::size_t k = 0; k < fields.cardCount && 20 + k < frame.size(); ++k) {
        fields.cardIds.push_back(frame[20 + k]);
    }
    for (std::size_t i = 0; i < frame.size(); ++i) {
        const bool field = i == kType || i == kSeat || i == 15 || i == 17 || i == 18 ||
                           (i >= 20 && i < 20 + std::size_t(fields.cardCount));
        if (!field && frame[i] != 0) fields.otherBytesZero = false;
    }
    return fields;
}

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
    state::Frame f = BuildServerFrame({.type = 19, .seat = fields.seat, .token = fields.token});
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

}  // namespace support
