#include "cards/display/hand_sorting.h"

#include <array>
#include <span>
#include <string>

#include "cards/card_picture.h"
#include "cards/display/card_images.h"
#include "cards/display/card_picture_display.h"
#include "cards/hand_sort.h"
#include "client/client.h"
#include "client/main_form.h"
#include "platform/runtime/failure.h"
#include "state/shared_state.h"

namespace cards {
namespace {

// The slots a sort covers, start .. start + n - 1, and their cards copied out for the rules.
class SortedSlots {
  public:
    SortedSlots(state::SharedState& s, std::uint8_t seat, std::int16_t n, std::int16_t start)
        : record_(SeatOf(s, seat)), start_(start), n_(n < 0 ? 0 : n) {
        if (start_ < 0 || start_ + n_ > MaxHandCards) {
            platform::fail(platform::RuntimeFailure::Kind::IndexOutOfRange,
                           "a hand has 13 slots, not slots " + std::to_string(start) + " to " +
                               std::to_string(start + n - 1));
        }
        for (int k = 0; k < n_; ++k) before_[std::size_t(k)] = slot(k).card;
        cards_ = before_;
    }

    int size() const { return n_; }
    // The k-th slot of the range and its slot number in the seat.
    state::CardSlot& slot(int k) { return record_.slots[std::size_t(start_ + k)]; }
    int slotNumber(int k) const { return start_ + k; }
    const state::SeatRecord& record() const { return record_; }

    std::span<CardValue> cards() { return std::span(cards_).first(std::size_t(n_)); }
    // Hands the sorted cards back to the seat's slots.
    void store() {
        for (int k = 0; k < n_; ++k) slot(k).card = cards_[std::size_t(k)];
    }
    // The card of the k-th slot changed from what it held before the sort.
    bool changed(int k) { return slot(k).card != before_[std::size_t(k)]; }

  private:
    static state::SeatRecord& SeatOf(state::SharedState& s, std::uint8_t seat) {
        if (seat >= s.custom.size()) {
            platform::fail(platform::RuntimeFailure::Kind::IndexOutOfRange,
                           "no seat " + std::to_string(seat));
        }
        return s.custom[seat];
    }

    state::SeatRecord& record_;
    int start_;
    int n_;
    std::array<CardValue, MaxHandCards> before_{};
    std::array<CardValue, MaxHandCards> cards_{};
};

void ShowFace(client::Client& c, CardValue card, std::uint8_t seat, std::int16_t image) {
    const auto suit = std::int16_t(CardSuit(card));
    const auto rank = std::int16_t(CardRank(card));
    ShowCardPicture(c, suit, rank, seat, image, std::int16_t(CardPictureCodeOf(suit, rank)), 0);
}

void Show(forms::Image& card) {
    card.zOrder(0);
    card.setVisible(true);
}

// The last step of both orders: the server's low bits of the counting ranks go.
void ClearCountingBits(SortedSlots& range) {
    ClearServerBitsOfCountingRanks(range.cards());
    range.store();
}

// The local hand row: left to right in slot order, each card covering the one before except for
// a strip of its width, all on the rest line.
void LayOutHandRow(client::Client& c, SortedSlots& range) {
    auto& images = c.MainForm->cardImage0;
    const float scale = c.s.g_fScaleX;
    const double f = scale == 1.0f ? 0.22 : 0.3;
    for (int k = 0; k < range.size(); ++k) {
        const state::CardSlot& slot = range.slot(k);
        if (range.changed(k)) ShowFace(c, slot.card, 0, slot.image);
        forms::Image& card = images[slot.image];
        const double width = images[0].width();
        card.move(float(scale * (300 + f * range.slotNumber(k) * width)),
                  float(c.s.g_nCardBaseTop));
        Show(card);
    }
}

// Another seat's revealed cards: a row centred on the seat's play point.
void LayOutRevealedRow(client::Client& c, std::uint8_t seat, SortedSlots& range) {
    auto& images = *SeatCardImages(*c.MainForm, seat);
    const state::SeatRecord& record = range.record();
    const double rowStart =
        record.playX - (0.11 * range.size() + 0.39) * 90 * double(c.s.g_fScaleX);
    for (int k = 0; k < range.size(); ++k) {
        const state::CardSlot& slot = range.slot(k);
        ShowFace(c, slot.card, seat, slot.image);
        forms::Image& card = images[slot.image];
        card.setVisible(false);
        const double width = images[0].width();
        card.move(float(rowStart + 0.22 * range.slotNumber(k) * width), record.playY);
        Show(card);
    }
}

}  // namespace

void SortHandByRank(client::Client& c, std::uint8_t seat, std::int16_t n, std::int16_t colourMask,
                    std::int16_t start) {
    SortedSlots range(c.s, seat, n, start);
    if (seat == 0) {
        for (int k = 0; k < range.size(); ++k) {
            c.MainForm->cardImage0[range.slot(k).image].setVisible(false);
        }
    }
    const SlotMoves moves = SortByRank(range.cards(), colourMask);
    range.store();
    c.s.g_nMarkedAceCount = moves.markedAceCount;

    if (seat == 0) {
        LayOutHandRow(c, range);
    } else {
        LayOutRevealedRow(c, seat, range);
    }
    c.s.NumSumClickUp = 0;
    ClearCountingBits(range);
}

void SortHandByGroup(client::Client& c, std::uint8_t seat, std::int16_t n, std::int16_t /*spare*/,
                     std::int16_t start) {
    SortedSlots range(c.s, seat, n, start);
    auto& images = c.MainForm->cardImage0;
    std::array<float, MaxHandCards> tops{};
    for (int k = 0; k < range.size(); ++k) {
        forms::Image& card = images[range.slot(k).image];
        tops[std::size_t(k)] = card.top();
        card.setVisible(false);
    }
    const SlotMoves moves = SortByGroup(range.cards());
    range.store();

    // A raised card stays raised: its height travels with it to its new slot.
    for (int k = 0; k < range.size(); ++k) {
        forms::Image& card = images[range.slot(k).image];
        card.move(card.left(), tops[std::size_t(moves.from[std::size_t(k)])]);
    }
    for (int k = 0; k < range.size(); ++k) {
        const state::CardSlot& slot = range.slot(k);
        if (range.changed(k)) ShowFace(c, slot.card, 0, slot.image);
        Show(images[slot.image]);
    }
    ClearCountingBits(range);
    c.MainForm->Bank.zOrder(0);
}

}  // namespace cards
