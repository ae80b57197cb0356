#pragma once

#include <QString>

// What the seating of a player works out from the profile.
namespace dispatch {

// 0 below 20000 gold, 1 below 60000, else 2: the ready badge's picture.
int WealthLevel(double gold);

// The avatar index of a face code ("m1".."m10" 0..9, "w1".."w10" 10..19; above 10 the first of
// the sex). A code of other than two or three characters keeps `wealthLevel` as its number. A
// character after the sex letter that is no digit fails the frame.
int AvatarIndex(const QString& face, int wealthLevel);

}  // namespace dispatch
