#include "cards/display/receive_dealt_cards.h"

#include <optional>

#include "cards/card_picture.h"
#include "cards/display/card_picture_display.h"
#include "cards/table_frames.h"
#include "client/client.h"
#include "client/main_form.h"
#include "connection/waits.h"
#include "sound/sound_playback.h"
#include "state/shared_state.h"

namespace cards {
namespace {

enum class Batch { First, Middle, Last };
constexpr int CardPauseMs = 200;

std::optional<Batch> BatchInProgress(const state::SharedState& s) {
    if (s.g_bDealPhase1) return Batch::First;
    if (s.g_bDealPhase2) return Batch::Middle;
    if (s.g_bDealPhase3) return Batch::Last;
    return std::nullopt;
}

// Slots 0 .. n of every seat are shown by the card image of their own number; slot n is the
// next free one and exists only up to 12.
void NumberSlotImages(state::SharedState& s, int n, int firstSeat) {
    for (int seat = firstSeat; seat < 4; ++seat) {
        for (int k = 0; k <= n && k < MaxHandCards; ++k) {
            s.custom[std::size_t(seat)].slots[std::size_t(k)].image = std::int16_t(k);
        }
    }
}

void ShowDealtCard(client::Client& c, Batch batch, int start, int j) {
    state::SharedState& s = c.s;
    auto& images = c.MainForm->cardImage0;
    const int p = start + j;
    state::CardSlot& slot = s.custom[0].slots[std::size_t(p)];
    slot.image = std::int16_t(p);
    forms::Image& card = images[p];
    card.setStretch(true);
    const auto suit = std::int16_t(CardSuit(slot.card));
    const auto rank = std::int16_t(CardRank(slot.card));
    ShowCardPicture(c, suit, rank, 0, std::int16_t(p), std::int16_t(CardPictureCodeOf(suit, rank)),
                    0);

    const double scaleX = s.g_fScaleX;
    const double step = (scaleX == 1.0 ? 0.22 : 0.3) * double(images[0].width());
    const double left = batch == Batch::First ? (p * step + 300) * scaleX
                                              : (start * step + 300 + j * step) * scaleX;
    // The middle batch keeps the rest line unrounded.
    const float top =
        batch == Batch::Middle ? float(565 * double(s.g_fScaleY)) : float(s.g_nCardBaseTop);
    card.move(float(left), top);
    card.setVisible(true);
    card.zOrder(0);
    connection::DelayMs(c.sys.scheduler, CardPauseMs);
}

void KeepDealCounts(state::SharedState& s, Batch batch, int count) {
    switch (batch) {
        case Batch::First:
            s.g_nDealtCards = std::int16_t(count);
            s.custom[0].count = std::int16_t(count);
            NumberSlotImages(s, count, 0);
            break;
        case Batch::Middle:
            s.g_nDealtCards = std::int16_t(s.g_nDealtCards + count);
            s.custom[0].count = s.g_nDealtCards;
            NumberSlotImages(s, s.g_nDealtCards, 0);
            break;
        case Batch::Last:
            for (auto& seat : s.custom) seat.count = MaxHandCards;
            NumberSlotImages(s, MaxHandCards - 1, 1);
            break;
    }
}

}  // namespace

void ReceiveDealtCards(client::Client& c, const state::Frame& message, std::int16_t count) {
    state::SharedState& s = c.s;
    client::MainForm& form = *c.MainForm;
    sound::PlayEffectSound(c.sound, QStringLiteral("\\..\\common\\voices\\sys010.wav"));

    if (const auto batch = BatchInProgress(s)) {
        const int start = *batch == Batch::First ? 0 : s.g_nDealtCards;
        const auto cards = DecodeDealtCards(message, start, count);
        for (std::size_t i = 0; i < cards.count; ++i) {
            s.custom[0].slots[std::size_t(start) + i].card = cards.items[i];
        }
        for (int j = 0; j < count; ++j) ShowDealtCard(c, *batch, start, j);
        KeepDealCounts(s, *batch, count);
    }

    form.imgword1.zOrder(0);
    form.imgword2.zOrder(0);
    form.Location.zOrder(0);
    form.Bank.zOrder(0);
}

}  // namespace cards
