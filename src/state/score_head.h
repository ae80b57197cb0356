#pragma once

#include <QString>

namespace state {

// What the score board and the history window show above a seat's column: the player's
// nickname and the avatar index (the text of a number 0..19, or empty), taken when the player
// sat down.
struct ScoreHead {
    QString nickname;
    QString avatarIndex;
};

}  // namespace state
