#pragma once

#include <span>

#include "cards/hint_search.h"
#include "cards/play_comparison.h"

namespace hint_presses {

// One press of the hint button after its lowering of the raised cards, as the button chooses
// the search: the table's own play while the hint still searches its kind, else the kind and
// length the hint moved on to; a find marks the turn as having had a hint.
inline cards::SlotSet Press(std::span<const std::int32_t> hand, cards::HintState& hint,
                            const cards::PlayToBeat& former) {
    const bool ownKind = hint.g_nHintType == cards::Ordinal(former.formerType);
    const cards::SlotSet raised = cards::SearchBeat(
        hand, hint, ownKind ? cards::Ordinal(former.formerType) : hint.g_nHintType,
        ownKind ? former.formerNum : hint.g_nHintLen, former.g_aFormerCards, former);
    if (hint.g_bHintFound) hint.g_bHintPlayed = true;
    return raised;
}

// The hint as another seat's play leaves it.
inline cards::HintState Primed(const cards::PlayToBeat& former) {
    cards::HintState hint;
    hint.g_nHintType = cards::Ordinal(former.formerType);
    hint.g_nHintLen = former.formerNum;
    hint.g_nHintCursor = cards::RankLowest;
    return hint;
}

}  // namespace hint_presses
