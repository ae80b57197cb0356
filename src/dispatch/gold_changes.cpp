// Gold changes: the server sends the signed difference, for the local player (type 91) or for
// another player named by account (type 92); the client keeps the total, never below zero.
#include "client/client.h"
#include "client/main_form.h"
#include "dispatch/frame_reader.h"
#include "dispatch/handlers.h"

namespace dispatch {

namespace {

constexpr std::size_t SignByte = 16;
constexpr std::size_t AmountByte = 17;
constexpr std::size_t AccountByte = 25;
constexpr std::size_t AccountWidth = 17;

double GoldDifference(const state::Frame& message) {
    const double amount = ReadAmount(message, AmountByte);
    return ReadByte(message, SignByte) == 0 ? amount : -amount;
}

void UpdateGold(client::Client& c, int seat, double difference) {
    double& gold = c.s.g_aPlayerInfo[std::size_t(seat)].gold;
    gold += difference;
    if (gold < 0) gold = 0;
    c.MainForm->Cash[seat].setCaption(QString::number(gold, 'f', 0) + QStringLiteral("金币"));
}

}  // namespace

void HandleGoldChange(client::Client& c, state::Frame& message) {
    UpdateGold(c, 0, GoldDifference(message));
}

void HandlePlayerGoldChange(client::Client& c, state::Frame& message) {
    // Decoded as the player record decodes its account, so that the same bytes give the same
    // text. An empty account names nobody, and a seat nobody sits on is no one's.
    const QString account = OneBytePerCharText(message, AccountByte, AccountWidth);
    if (account.isEmpty()) return;
    for (int seat = 1; seat <= 3; ++seat) {
        const auto& s = c.s;
        if (s.custom[std::size_t(seat)].name.isEmpty()) continue;
        if (s.g_aPlayerInfo[std::size_t(seat)].account != account) continue;
        UpdateGold(c, seat, GoldDifference(message));
        return;
    }
}

}  // namespace dispatch
