#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "server/server_frames.h"

// The frames a table client sends, built from named fields: what the server's scripted test
// clients speak. Every byte not named is 0, as the client leaves it.
namespace tableserver::wire {

enum ClientType : std::uint8_t {
    ClientDeclare = 3,
    ClientDealDone = 4,
    ClientPlayCards = 7,
    ClientSeatAction = 16,
    ClientLogin = 18,
    ClientChat = 19,
    ClientKeepAlive = 24,
    ClientReconnect = 28,
};

state::Frame BuildLogin(const std::string& account, const std::string& password);
// The login frame turned into a reconnect: type 28, the last token, the hand's threadIndex.
state::Frame BuildReconnect(const std::string& account, const std::string& password, Token token,
                            std::int32_t threadIndex);
state::Frame BuildSeatAction(std::uint8_t seat, bool ready);
state::Frame BuildKeepAlive(std::uint8_t seat);
state::Frame BuildDealDone(std::uint8_t seat);
state::Frame BuildDeclare(std::uint8_t seat, std::uint16_t action,
                          const std::array<std::int32_t, 4>& cards = {});
state::Frame BuildPass(std::uint8_t seat);
state::Frame BuildPlay(std::uint8_t seat, std::uint8_t pattern,
                       const std::vector<std::uint8_t>& cardIds);

}  // namespace tableserver::wire
