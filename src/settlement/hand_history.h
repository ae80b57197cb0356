#pragma once

#include <QString>
#include <cstdint>

namespace client {
class Client;
}

namespace forms {
class Image;
}

// The hand-history file "info.brm" in the program folder: the score board's sheet of every hand
// settled since the player sat down, one section per hand. Leaving the table deletes it.
namespace settlement {

// Writes the score board as it stands, with the seats' heads, as the section of `hand`.
void SaveHandRecord(client::Client& c, std::int16_t hand);

// Fills the score board from the section of `hand`; hand 0 changes nothing.
void LoadHandRecord(client::Client& c, std::int16_t hand);

// Loads a hand into the score board, then shows it in front.
void OpenHandInScoreBoard(client::Client& c, int hand);

// Shows avatar `indexText` (a number 0..19) in `target` by way of a picture file in the program
// folder: the shared temporary name ("tmp" and the resource number) or the history's own (the
// number alone). Any other text, or a picture that cannot be written, leaves the picture as it
// is.
enum class AvatarFile { Temporary, History };
void ShowAvatar(client::Client& c, const QString& indexText, forms::Image& target, AvatarFile file);

}  // namespace settlement
