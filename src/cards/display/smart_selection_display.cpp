#include "cards/display/smart_selection_display.h"

#include "cards/display/local_hand.h"
#include "cards/smart_selection.h"
#include "client/client.h"
#include "state/shared_state.h"

namespace cards {

bool AgileClickCard(client::Client& c) {
    // Only the click that left one card raised; the others raise nothing and read no image.
    if (c.s.clickCardNum != 1) return false;
    const HandCopy hand(c.s.custom[0]);
    const SlotSet more =
        AgileClickSlots(hand.cards(), SlotsAboveRest(c), c.s.clickCardNum, c.s.former);
    RaiseSlots(c, more, SelectedTop);
    return more.any();
}

}  // namespace cards
