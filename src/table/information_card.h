#pragma once

#include <QString>
#include <array>

#include "state/player_info.h"

// The player information card: where it opens beside a seat's panel and what its nine value
// labels read. Pure, so that the placement and the wording are checked without windows.
namespace table {

// A window's or a control's rectangle in twips.
struct TwipsRect {
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
};

struct CardPlace {
    float left = 0;
    float top = 0;
    bool operator==(const CardPlace&) const = default;
};

// The card's corner for relative seat `index` (0..3): the opponents' panels run along the top
// of the table, a third of its width apart; the local player's card opens at the bottom left,
// and on the reduced layout at a fixed share of the table's height from the screen's top.
CardPlace InformationCardPlace(int index, const TwipsRect& table, float pic1Left, float pic1Top,
                               float scaleX);

// Inf(0..8): nickname, sex, location, points, credit, logins, drops, wins, losses.
std::array<QString, 9> InformationCardValues(const state::PlayerInfo& info);

}  // namespace table
