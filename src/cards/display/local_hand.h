#pragma once

#include <array>
#include <cstddef>
#include <span>

#include "cards/card_value.h"
#include "cards/hand_slots.h"

namespace client {
class Client;
}
namespace forms {
class Image;
}
namespace state {
struct SeatRecord;
struct SharedState;
}  // namespace state

namespace cards {

// The number of slots a seat's `count` covers: a count above the 13 slots is a run-time
// failure, never a read past them; a count below 0 covers none.
std::size_t HeldSlots(const state::SeatRecord& seat);

// The cards of a seat's held slots, copied out for the rules.
class HandCopy {
  public:
    explicit HandCopy(const state::SeatRecord& seat);
    std::span<const CardValue> cards() const { return std::span(cards_).first(count_); }

  private:
    std::array<CardValue, MaxHandCards> cards_{};
    std::size_t count_ = 0;
};

// The local hand's image of a slot in cardImage0.
forms::Image& SlotImage(client::Client& c, std::size_t slot);

// The local hand's slots whose cards lie above the rest line (Top < `g_nCardBaseTop`): the
// selected, hint-raised and floating cards.
SlotSet SlotsAboveRest(client::Client& c);

// Where a raised card goes: a selecting click lifts it by a fifth of its height, the hint by 20.
float SelectedTop(const state::SharedState& s, const forms::Image& card);
float HintTop(const state::SharedState& s, const forms::Image& card);

// Moves the local cards of `slots` up to `top`, keeping their Left, Width and Height.
void RaiseSlots(client::Client& c, const SlotSet& slots,
                float (*top)(const state::SharedState&, const forms::Image&));

// Puts every raised card of the local hand back on the rest line (play, pass, hint, reselect
// and the turn's time-out start from a lowered hand).
void LowerRaisedCards(client::Client& c);

}  // namespace cards
