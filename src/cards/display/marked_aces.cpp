#include "cards/display/marked_aces.h"

#include <algorithm>

#include "cards/card_value.h"
#include "cards/display/hand_sorting.h"
#include "client/client.h"
#include "state/shared_state.h"

namespace cards {
namespace {

constexpr int HandSlots = 13;
// Bits 8..11 cleared and bit 12 set: an ace's rank byte 14 becomes 16.
constexpr CardValue RankLowBits = 0xF00;
constexpr CardValue RankBit4 = 0x1000;

}  // namespace

void SortWithMarkedAces(client::Client& c, std::int16_t colourMask) {
    state::SharedState& s = c.s;
    SortHandByRank(c, 0, HandSlots, colourMask, 0);
    const int found = std::clamp<int>(s.g_nMarkedAceCount, 0, int(s.g_aMarkedAceCards.size()));
    for (int i = 0; i < found; ++i) {
        s.g_aMarkedAceCards[std::size_t(i)] = s.custom[0].slots[std::size_t(i)].card;
    }
    s.g_nMarkedAceCards = std::int16_t(found);
}

void RaiseMarkedAces(client::Client& c) {
    state::SharedState& s = c.s;
    if (s.g_bAcesMarked) return;
    s.g_bAcesMarked = true;
    for (int i = 0; i < s.g_nMarkedAceCards; ++i) {
        const CardValue ace = s.g_aMarkedAceCards[std::size_t(i)];
        for (auto& slot : s.custom[0].slots) {
            if (slot.card != ace) continue;
            slot.card = (slot.card & ~RankLowBits) | RankBit4;
            break;
        }
    }
}

}  // namespace cards
