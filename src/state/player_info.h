#pragma once

#include <QString>
#include <array>
#include <cstdint>

namespace state {

// A seated player's profile as the server sends it when the player sits down. The record
// belongs to the seat (g_aPlayerInfo is indexed by relative seat), not to the player: a new
// player on the seat overwrites it field by field.
struct PlayerInfo {
    QString nickname;
    QString face;          // avatar code: "m" or "w" and a number 1..10
    std::uint8_t sex = 0;  // 1 male, 0 female; other values are kept as they come
    QString location;
    double points = 0;
    double credit = 0;
    double gold = 0;
    // Amounts the server sends that nothing reads: the one after `gold` and the three after
    // `levelTitle`, in frame order.
    std::array<double, 4> spareAmounts{};
    QString levelTitle;
    std::int32_t logins = 0;
    std::int32_t drops = 0;
    std::int32_t wins = 0;
    std::int32_t losses = 0;
    QString account;
    QString tag;
    QString voiceCode;
    QString voiceId;
    std::uint8_t voiceSlot = 0;  // set when voices are assigned; nothing reads it
    double lastSpareAmount = 0;  // over the player's seat byte; nothing reads it
};

// What a seat shows of its player leaves with the player; the account, tag, voices and the
// amounts nothing reads stay with the seat.
inline void ClearShownProfile(PlayerInfo& info) {
    info.nickname.clear();
    info.face.clear();
    info.location.clear();
    info.levelTitle.clear();
    info.sex = 0;
    info.points = 0;
    info.credit = 0;
    info.gold = 0;
    info.logins = 0;
    info.drops = 0;
    info.wins = 0;
    info.losses = 0;
}

// A player who departs, is removed or whose table closes also takes the spare amounts that came
// with the profile.
inline void ClearDepartedProfile(PlayerInfo& info) {
    ClearShownProfile(info);
    info.spareAmounts = {};
}

}  // namespace state
