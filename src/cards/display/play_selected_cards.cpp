#include "cards/display/play_selected_cards.h"

#include <array>

#include "cards/card_picture.h"
#include "cards/display/card_picture_display.h"
#include "cards/display/chu_pai.h"
#include "cards/display/local_hand.h"
#include "cards/display/trick_bookkeeping.h"
#include "cards/play_analysis.h"
#include "cards/play_cards_frame.h"
#include "cards/play_comparison.h"
#include "client/client.h"
#include "client/main_form.h"
#include "connection/resource_pictures.h"
#include "connection/send_queue.h"
#include "sound/sound_playback.h"
#include "state/shared_state.h"

namespace cards {
namespace {

// The raised cards of the local hand, in slot order, with the images that show them.
struct Selection {
    std::array<CardValue, MaxHandCards> cards{};
    std::array<std::int16_t, MaxHandCards> images{};
    std::size_t count = 0;
    std::span<const CardValue> Cards() const { return std::span(cards).first(count); }
};

// A slot's card lies above the rest line. A slot without a card image is never raised.
bool SlotRaised(client::Client& c, std::size_t slot) {
    const std::int16_t image = c.s.custom[0].slots[slot].image;
    return IsCardImageIndex(image) &&
           c.MainForm->cardImage0[image].top() < float(c.s.g_nCardBaseTop);
}

Selection CollectSelection(client::Client& c) {
    Selection selection;
    const std::size_t held = HeldSlots(c.s.custom[0]);
    for (std::size_t k = 0; k < held; ++k) {
        if (!SlotRaised(c, k)) continue;
        const state::CardSlot& slot = c.s.custom[0].slots[k];
        selection.cards[selection.count] = slot.card;
        selection.images[selection.count] = slot.image;
        ++selection.count;
    }
    return selection;
}

// The turn is over for the local player: the clock stops and the action buttons go.
void EndLocalTurn(client::Client& c) {
    client::MainForm& form = *c.MainForm;
    c.s.g_bCanPlay = false;
    c.s.channels.disarm(state::ChannelTurnClock);
    form.Number.setVisible(false);
    form.Time_Img.setVisible(false);
    for (int k = 0; k <= 2; ++k) form.Operation[k].setVisible(false);
    for (int k = 0; k <= 2; ++k) form.Operation[k].setEnabled(false);
}

void Pass(client::Client& c) {
    state::SharedState& s = c.s;
    s.g_bPassed = true;
    sound::PlayEffectSound(c.sound, QStringLiteral("\\..\\common\\pk\\sys080.wav"));
    HideIllegalPlayNotice(c);
    if (s.g_bTurnOpen) {
        state::Frame frame = BuildPassFrame(s.custom[0].seat);
        connection::QueueOutgoingMessage(s, frame);
    }
    EndLocalTurn(c);
    // The buttons lose any hover or pressed look they had.
    for (int k = 0; k <= 2; ++k) {
        connection::ShowResourcePicture(
            c, connection::IntegerArg(c.ids.g_aIdOperation[std::size_t(3 * k)]).toInteger(),
            c.MainForm->Operation[k]);
    }
}

void Refuse(client::Client& c) {
    ShowIllegalPlayNotice(c);
    c.MainForm->Bank.zOrder(0);
}

// The played cards go to the local seat's place, in the play's order, centred on its point.
void LayOutLocalPlay(client::Client& c, const Selection& selection, const PlayOrder& order) {
    state::SharedState& s = c.s;
    client::MainForm& form = *c.MainForm;
    const state::SeatRecord& local = s.custom[0];
    const double n = double(order.count);
    const double scaleX = s.g_fScaleX;
    for (std::size_t k = 0; k < order.count; ++k) {
        const std::size_t chosen = order.selectionIndex[k];
        const std::int16_t image = selection.images[chosen];
        const CardValue card = selection.cards[chosen];
        forms::Image& played = form.cardImage0[image];
        played.setVisible(false);
        played.move(played.left(), local.playY, form.cardImage1[0].width(),
                    form.cardImage1[0].height());
        played.setLeft(float(local.playX - (0.39 + 0.11 * n) * 90 * scaleX +
                             0.22 * double(k) * double(played.width())));
        played.setVisible(true);
        const auto suit = std::int16_t(CardSuit(card));
        const auto rank = std::int16_t(CardRank(card));
        ShowCardPicture(c, suit, rank, 0, image, std::int16_t(CardPictureCodeOf(suit, rank)), 0);
        played.zOrder(0);
        s.g_aTrickCards[0][k] = image;
    }
    s.g_aTrickCards[0][27] = std::int16_t(order.count);
}

// The played (still raised) cards leave the hand's slots; the rest move down to close up.
void RemovePlayedSlots(client::Client& c) {
    state::SeatRecord& local = c.s.custom[0];
    std::size_t k = 0;
    while (k < HeldSlots(local)) {
        if (!SlotRaised(c, k)) {
            ++k;
            continue;
        }
        for (std::size_t m = k; m + 1 < HeldSlots(local); ++m) local.slots[m] = local.slots[m + 1];
        --local.count;
    }
}

// The rest of the hand, centred on the seat's point again (a hand of 11 or 12 sits 20 further
// left).
void LayOutHandAgain(client::Client& c) {
    state::SharedState& s = c.s;
    const state::SeatRecord& local = s.custom[0];
    const std::size_t held = HeldSlots(local);
    const double shift = held == 12 || held == 11 ? -20 : 0;
    for (std::size_t k = 0; k < held; ++k) {
        const std::int16_t image = local.slots[k].image;
        if (!IsCardImageIndex(image)) continue;
        forms::Image& card = c.MainForm->cardImage0[image];
        card.setVisible(false);
        card.setLeft(float(local.playX - (0.11 * double(held) + 0.39) * 90 * double(s.g_fScaleX) +
                           0.22 * double(k) * double(card.width()) + shift));
        card.setVisible(true);
    }
}

}  // namespace

void PlaySelectedCards(client::Client& c) {
    state::SharedState& s = c.s;
    client::MainForm& form = *c.MainForm;
    const Selection selection = CollectSelection(c);
    if (selection.count == 0) {
        if (s.former.formerType != PatternType::PatternInvalid) Pass(c);
        return;
    }

    PlayAnalysis analyzed;
    if (AnalyzeCombination(s.former.formerType, selection.Cards(), analyzed) ==
        PatternType::PatternInvalid) {
        return Refuse(c);
    }
    if (analyzed.g_nAnalyzedCount != 1) {
        form.Bank.zOrder(0);
        return;
    }
    const bool leading = s.former.formerType == PatternType::PatternInvalid;
    if (!leading && !CanBeat(analyzed, s.former)) return Refuse(c);

    s.g_nCountdown = s.g_nTurnSeconds;
    EndLocalTurn(c);
    const PlayOrder order = OrderPlayedCards(selection.Cards(), analyzed);
    std::array<CardValue, MaxHandCards> played{};
    for (std::size_t k = 0; k < order.count; ++k)
        played[k] = selection.cards[order.selectionIndex[k]];
    state::Frame frame =
        BuildPlayFrame(s.custom[0].seat, analyzed.type, std::span(played).first(order.count));
    s.NumSumClickUp = 0;
    if (!s.g_bTurnOpen) return;

    connection::QueueOutgoingMessage(s, frame);
    s.former.formerType = analyzed.type;
    s.former.formerNum = std::int16_t(order.count);
    HideIllegalPlayNotice(c);

    LayOutLocalPlay(c, selection, order);
    RemovePlayedSlots(c);
    LayOutHandAgain(c);
    if (s.custom[0].count == 0) AwardFinishingBadge(c, 0);
    HideIllegalPlayNotice(c);
    form.Bank.zOrder(0);
}

}  // namespace cards
