#include "server/server_frames.h"

#include <algorithm>
#include <span>
#include <stdexcept>

#include "platform/text/gbk.h"

namespace tableserver::wire {
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

void putCards(state::Frame& f, std::size_t offset, std::span<const std::int32_t> cards) {
    if (cards.size() > 13) throw std::invalid_argument("more than 13 cards in a frame");
    for (std::size_t i = 0; i < cards.size(); ++i) {
        putLittleEndian(f, offset + 4 * i, std::uint32_t(cards[i]), 4);
    }
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

std::int32_t CardWord(std::uint8_t suit, std::uint8_t rank, std::uint8_t id) {
    return std::int32_t(std::uint32_t(suit) | std::uint32_t(rank) << 8 | std::uint32_t(id) << 24);
}

state::Frame BuildHandStart(const HandStartFrame& h) {
    state::Frame f = BuildServerFrame(
        {.type = 16, .seat = h.removedSeats, .subCode = h.startPhase, .token = h.token});
    f[11] = h.seatChange;
    f[13] = h.shuffle;
    putLittleEndian(f, 16, std::uint32_t(h.wealth), 4);
    return f;
}

state::Frame BuildDeal(const DealFrame& d) {
    state::Frame f = BuildServerFrame({.type = 1,
                                       .seat = d.seat,
                                       .subCode = d.dealPhase,
                                       .token = d.token,
                                       .threadIndex = d.threadIndex});
    f[11] = std::uint8_t(d.cards.size());
    putCards(f, 16, d.cards);
    f[68] = d.mayDeclare;
    putCards(f, 72, d.offers);
    if (d.dealPhase == 3) f[72] = d.calledSuit;
    putCards(f, 84, d.group);
    return f;
}

state::Frame BuildDeclarePrompt(const DeclarePromptFrame& p) {
    state::Frame f = BuildServerFrame({.type = 2, .seat = p.seat, .token = p.token});
    putBigEndian(f, 8, p.allowed, 2);
    return f;
}

state::Frame BuildDeclared(const DeclaredFrame& d) {
    state::Frame f = BuildServerFrame({.type = 3, .seat = d.seat, .token = d.token});
    putBigEndian(f, 8, d.action, 2);
    putBigEndian(f, 14, d.multiplier, 2);
    putCards(f, 16, d.cards);
    return f;
}

state::Frame BuildMarkedAces(const MarkedAcesFrame& m) {
    state::Frame f = BuildServerFrame({.type = 4, .token = m.token});
    f[11] = m.colourMask;
    f[16] = m.holder1;
    f[17] = m.suit1;
    f[18] = m.holder2;
    f[19] = m.suit2;
    return f;
}

state::Frame BuildBaoShuai(const BaoShuaiFrame& b) {
    state::Frame f = BuildServerFrame({.type = 5, .subCode = b.badge, .token = b.token});
    f[11] = b.badgeCount;
    f[16] = b.seat1;
    f[17] = b.seat2;
    return f;
}

state::Frame BuildTurn(const TurnFrame& t) {
    state::Frame f =
        BuildServerFrame({.type = 6, .seat = t.seat, .subCode = t.turnKind, .token = t.token});
    f[11] = t.nextSeat;
    f[17] = std::uint8_t(t.cards.size());
    f[18] = t.pattern;
    putCards(f, 20, t.cards);
    putLittleEndian(f, 72, std::uint16_t(t.multiplier), 2);
    f[179] = t.seconds;
    return f;
}

state::Frame BuildHandResult(const HandResultFrame& r) {
    state::Frame f =
        BuildServerFrame({.type = 9, .seat = r.seat, .subCode = r.currency, .token = r.token});
    putBigEndian(f, 8, std::uint32_t(r.baseGold), 4);
    f[16] = std::uint8_t(r.cardsHeld.size());
    putCards(f, 20, r.cardsHeld);
    f[72] = r.place;
    f[73] = r.totalSign;
    putLittleEndian(f, 74, r.totalAmount, 8);
    f[82] = r.finalSign;
    putLittleEndian(f, 83, r.finalAmount, 8);
    f[91] = r.level;
    f[92] = r.mengXuan;
    f[93] = r.mengChuai;
    for (std::size_t i = 0; i < r.bonusX2.size(); ++i) f[94 + i] = r.bonusX2[i];
    f[100] = r.subtotalSign;
    putLittleEndian(f, 101, r.subtotalAmount, 8);
    f[109] = r.capped;
    putText(f, 226, 20, r.note);
    return f;
}

state::Frame BuildPlayerLeft(const PlayerLeftFrame& p) {
    state::Frame f = BuildServerFrame({.type = 21, .token = p.token});
    f[8] = p.antiCheat;
    f[11] = p.readySeconds;
    putText(f, 16, 16, p.account);
    return f;
}

state::Frame BuildPlayerReady(const PlayerReadyFrame& p) {
    state::Frame f = BuildServerFrame({.type = 23, .subCode = p.readyState, .token = p.token});
    putText(f, 16, 16, p.account);
    return f;
}

state::Frame BuildTableClosed(const TableClosedFrame& t) {
    state::Frame f = BuildServerFrame({.type = 22, .token = t.token});
    putText(f, 16, 200, t.text);
    return f;
}

state::Frame BuildGoldChange(const GoldChangeFrame& g) {
    state::Frame f =
        BuildServerFrame({.type = std::uint8_t(g.account.empty() ? 91 : 92), .token = g.token});
    f[16] = g.loss ? 1 : 0;
    putLittleEndian(f, 17, g.amount, 8);
    putText(f, 25, 17, g.account);
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

std::uint8_t FrameSubCode(const state::Frame& frame) {
    return frame[kSubCode];
}

std::string FrameText(const state::Frame& frame, std::size_t offset, std::size_t width) {
    std::string text;
    for (std::size_t i = offset; i < offset + width && i < frame.size() && frame[i] != 0; ++i) {
        text.push_back(char(frame[i]));
    }
    return text;
}

std::string LoginAccount(const state::Frame& frame) {
    return FrameText(frame, 16, 16);
}

std::uint16_t DeclareAction(const state::Frame& frame) {
    return std::uint16_t(frame[8] << 8 | frame[9]);
}

std::array<std::int32_t, 4> DeclareCards(const state::Frame& frame) {
    std::array<std::int32_t, 4> cards{};
    for (std::size_t i = 0; i < cards.size(); ++i) {
        std::uint32_t word = 0;
        for (int b = 3; b >= 0; --b) word = word << 8 | frame[16 + 4 * i + b];
        cards[i] = std::int32_t(word);
    }
    return cards;
}

PlayFields ReadPlay(const state::Frame& frame) {
    PlayFields play{.playKind = frame[15], .cardCount = frame[17], .pattern = frame[18]};
    const std::size_t count = std::min<std::size_t>(frame[17], 13);
    for (std::size_t i = 0; i < count; ++i) play.cardIds.push_back(frame[20 + i]);
    return play;
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

}  // namespace tableserver::wire
