#include "cards/display/local_hand.h"

#include "client/client.h"
#include "client/main_form.h"
#include "state/shared_state.h"

namespace cards {

std::size_t HeldSlots(const state::SeatRecord& seat) {
    if (seat.count < 0) return 0;
    CheckHandSize(std::size_t(seat.count));
    return std::size_t(seat.count);
}

HandCopy::HandCopy(const state::SeatRecord& seat) : count_(HeldSlots(seat)) {
    for (std::size_t k = 0; k < count_; ++k) cards_[k] = seat.slots[k].card;
}

forms::Image& SlotImage(client::Client& c, std::size_t slot) {
    return c.MainForm->cardImage0[c.s.custom[0].slots[slot].image];
}

SlotSet SlotsAboveRest(client::Client& c) {
    SlotSet raised;
    const std::size_t held = HeldSlots(c.s.custom[0]);
    for (std::size_t k = 0; k < held; ++k) {
        raised[k] = SlotImage(c, k).top() < float(c.s.g_nCardBaseTop);
    }
    return raised;
}

float SelectedTop(const state::SharedState& s, const forms::Image& card) {
    return float(s.g_nCardBaseTop) - card.height() / 5;
}

float HintTop(const state::SharedState& s, const forms::Image&) {
    return float(s.g_nCardBaseTop - 20);
}

void RaiseSlots(client::Client& c, const SlotSet& slots,
                float (*top)(const state::SharedState&, const forms::Image&)) {
    for (std::size_t k = 0; k < slots.size(); ++k) {
        if (!slots[k]) continue;
        forms::Image& card = SlotImage(c, k);
        card.move(card.left(), top(c.s, card), card.width(), card.height());
    }
}

void LowerRaisedCards(client::Client& c) {
    const SlotSet raised = SlotsAboveRest(c);
    for (std::size_t k = 0; k < raised.size(); ++k) {
        if (!raised[k]) continue;
        forms::Image& card = SlotImage(c, k);
        card.move(card.left(), float(c.s.g_nCardBaseTop));
    }
}

}  // namespace cards
