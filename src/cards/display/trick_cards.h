#pragma once

#include <array>
#include <cstdint>

#include "client/client_fwd.h"

namespace cards {

// A trick table (g_aTrickCards, g_aPrevTrickCards): per relative seat, the image indexes of the
// cards the seat has on the table, the count in entry 27.
using TrickTable = std::array<std::array<std::int16_t, 28>, 4>;

// Hides the card images of every seat listed in `trick`.
void HideTrick(client::MainForm& form, const TrickTable& trick);
// Shows the card images of every seat listed in `trick`, each brought to the front.
void ShowTrick(client::MainForm& form, const TrickTable& trick);

}  // namespace cards
