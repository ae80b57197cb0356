#pragma once

#include "table/information_card.h"

namespace video {

// Where the information card opens for remote pane `index` (1..3): a seventh of the table's
// height down, a third of its width apart per pane.
table::CardPlace VideoPaneCardPlace(int index, const table::TwipsRect& table, float pic1Left,
                                    float pic1Top);

}  // namespace video
