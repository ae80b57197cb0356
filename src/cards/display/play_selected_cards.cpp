#include "cards/display/play_selected_cards.h"

namespace cards {

// The play itself comes with the play of the raised cards; the buttons, clicks and clocks
// already call it here.
void PlaySelectedCards(client::Client&) {}

}  // namespace cards
