#include "cards/display/hint_display.h"

#include "cards/display/local_hand.h"
#include "cards/hint_search.h"
#include "client/client.h"
#include "state/shared_state.h"

namespace cards {

void PromptBeat(client::Client& c, std::int16_t type, std::int16_t len,
                std::span<const std::int32_t> last) {
    const HandCopy hand(c.s.custom[0]);
    RaiseSlots(c, SearchBeat(hand.cards(), c.s.hint, type, len, last, c.s.former), HintTop);
}

void PromptLead(client::Client& c) {
    const HandCopy hand(c.s.custom[0]);
    RaiseSlots(c, SearchLead(hand.cards()), HintTop);
}

}  // namespace cards
