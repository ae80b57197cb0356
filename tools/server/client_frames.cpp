#include "server/client_frames.h"

#include <stdexcept>

namespace tableserver::wire {
namespace {

state::Frame Fresh(std::uint8_t type, std::uint8_t seat) {
    state::Frame f{};
    f[3] = type;
    f[6] = seat;
    return f;
}

}  // namespace

state::Frame BuildLogin(const std::string& account, const std::string& password) {
    state::Frame f = Fresh(ClientLogin, 0);
    f[14] = 1;
    if (16 + account.size() > 272 || 32 + password.size() > 272) {
        throw std::invalid_argument("account or password too long for the login frame");
    }
    for (std::size_t i = 0; i < account.size(); ++i) f[16 + i] = std::uint8_t(account[i]);
    for (std::size_t i = 0; i < password.size(); ++i) f[32 + i] = std::uint8_t(password[i]);
    return f;
}

state::Frame BuildReconnect(const std::string& account, const std::string& password, Token token,
                            std::int32_t threadIndex) {
    state::Frame f = BuildLogin(account, password);
    f[3] = ClientReconnect;
    f[260] = token[0];
    f[261] = token[1];
    for (int i = 0; i < 4; ++i) f[268 + i] = std::uint8_t(std::uint32_t(threadIndex) >> (8 * i));
    return f;
}

state::Frame BuildSeatAction(std::uint8_t seat, bool ready) {
    state::Frame f = Fresh(ClientSeatAction, seat);
    f[15] = ready ? 1 : 0;
    return f;
}

state::Frame BuildKeepAlive(std::uint8_t seat) {
    return Fresh(ClientKeepAlive, seat);
}

state::Frame BuildDealDone(std::uint8_t seat) {
    return Fresh(ClientDealDone, seat);
}

state::Frame BuildDeclare(std::uint8_t seat, std::uint16_t action,
                          const std::array<std::int32_t, 4>& cards) {
    state::Frame f = Fresh(ClientDeclare, seat);
    f[8] = std::uint8_t(action >> 8);
    f[9] = std::uint8_t(action);
    for (std::size_t i = 0; i < cards.size(); ++i) {
        for (int b = 0; b < 4; ++b)
            f[16 + 4 * i + b] = std::uint8_t(std::uint32_t(cards[i]) >> (8 * b));
    }
    return f;
}

state::Frame BuildPass(std::uint8_t seat) {
    state::Frame f = Fresh(ClientPlayCards, seat);
    f[15] = 1;
    return f;
}

state::Frame BuildPlay(std::uint8_t seat, std::uint8_t pattern,
                       const std::vector<std::uint8_t>& cardIds) {
    if (cardIds.size() > 13) throw std::invalid_argument("more than 13 cards in a play");
    state::Frame f = Fresh(ClientPlayCards, seat);
    f[15] = 2;
    f[17] = std::uint8_t(cardIds.size());
    f[18] = pattern;
    for (std::size_t i = 0; i < cardIds.size(); ++i) f[20 + i] = cardIds[i];
    return f;
}

}  // namespace tableserver::wire
