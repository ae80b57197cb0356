#pragma once

#include "state/player_info.h"

namespace state {

// What a seat shows of a player who has gone: names, face, place, title, sex, amounts and
// counters. The account, tag, voices and the last spare amount stay.
inline void ClearSeatProfile(PlayerInfo& info) {
    info.nickname.clear();
    info.face.clear();
    info.location.clear();
    info.levelTitle.clear();
    info.sex = 0;
    info.points = 0;
    info.credit = 0;
    info.gold = 0;
    info.spareAmounts = {};
    info.logins = 0;
    info.drops = 0;
    info.wins = 0;
    info.losses = 0;
}

}  // namespace state
