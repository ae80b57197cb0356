// MsgDeal: the local player's cards in three batches. A frame for another seat is not ours and
// changes nothing; every own frame ends with the props display cleared for the hand.
#include <array>

#include "cards/card_picture.h"
#include "cards/display/card_images.h"
#include "cards/display/card_picture_display.h"
#include "cards/display/receive_dealt_cards.h"
#include "client/client.h"
#include "client/main_form.h"
#include "connection/exit_dialogs.h"
#include "connection/resource_pictures.h"
#include "connection/send_queue.h"
#include "dispatch/deal_batches.h"
#include "dispatch/declaration_offer.h"
#include "dispatch/frame_reader.h"
#include "dispatch/handlers.h"
#include "props/props.h"
#include "settlement/score_window.h"
#include "state/message_types.h"
#include "state/shared_state.h"

namespace dispatch {

namespace {

constexpr std::size_t CardCountByte = 11;
constexpr std::size_t DealPhaseByte = 15;
constexpr std::size_t MayDeclareByte = 68;
constexpr std::size_t CalledSuitByte = 72;
constexpr std::size_t GroupByte = 84;
enum DealPhase : std::uint8_t { DealPhaseFirst = 1, DealPhaseMiddle = 2, DealPhaseLast = 3 };
constexpr std::int16_t RankAce = 14;
constexpr std::int16_t KindChuai = 2;
constexpr std::int16_t KindPass = 9;
constexpr int OptionImages = 6;
constexpr int CalledAceImage = 4;

void HideBubblesAndReadyMarks(client::MainForm& form) {
    for (int i = 0; i < 4; ++i) form.Speak[i].setVisible(false);
    for (int i = 0; i < 4; ++i) form.OK[i].setVisible(false);
}

// The group's declaration (ActionChuai) beside the pass button; the countdown passes.
void OfferGroupDeclaration(client::Client& c) {
    state::SharedState& s = c.s;
    StartDeclarationCountdown(c);
    s.g_nGroupSize = s.g_aCardGroup[9] == s.g_aCardGroup[13] ? 4 : 3;
    PlaceDeclarationButton(c, 0, KindChuai, 440);
    PlaceDeclarationButton(c, 1, KindPass, 520);
    s.g_nDefaultBid = 1;
    ShowDeclarationButtons(c, 2);
}

// The ace of the called suit stands beside the hand while the last cards come in.
void ShowCalledAce(client::Client& c, const state::Frame& message) {
    const state::SharedState& s = c.s;
    forms::Image& ace = c.MainForm->xuan_img[CalledAceImage];
    ace.setTop(280 * s.g_fScaleY);
    ace.setLeft(886 * s.g_fScaleX);
    ace.setHeight(80 * s.g_fScaleY);
    ace.setWidth(60 * s.g_fScaleX);
    ace.setStretch(true);
    ace.setVisible(true);
    ace.zOrder(0);
    const auto suit = std::int16_t(ReadByte(message, CalledSuitByte) & 15);
    cards::ShowCardPicture(c, suit, RankAce, 0, CalledAceImage,
                           std::int16_t(cards::CardPictureCodeOf(suit, RankAce)), 1);
}

void QueueDealDone(client::Client& c) {
    state::Frame done{};
    done[state::FrameTypeByte] = state::MsgDealDone;
    done[state::FrameSeatByte] = c.s.custom[0].seat;
    connection::QueueOutgoingMessage(c.s, done);
}

}  // namespace

void StopClocksForDeal(client::Client& c) {
    state::SharedState& s = c.s;
    s.channels.disarm(state::ChannelStopwatch);
    c.MainForm->TimerKeepAlive.setEnabled(false);
    if (const auto* exitDialog = c.frmExit.ifLoaded(); exitDialog && exitDialog->visible()) {
        c.frmExit.unload();
    }
    s.channels.disarm(state::ChannelReadyClock);
    // The turn clock's count is left for its next start to reload.
    s.channels.check[state::ChannelTurnClock] = false;
}

void ShowHandBacks(client::Client& c, int n) {
    state::SharedState& s = c.s;
    client::MainForm& form = *c.MainForm;
    forms::Image& right = form.shanImage[2];
    right.setTop(240 * s.g_fScaleY);
    right.setLeft(860 * s.g_fScaleX);
    right.setWidth(200 * s.g_fScaleX);
    right.setHeight(200 * s.g_fScaleY);
    for (int e = 0; e < 3; ++e) {
        forms::Image& pile = form.shanImage[e];
        connection::ShowResourcePicture(c, cards::HandBackPictureId(c, e + 1, n), pile);
        pile.zOrder(0);
        pile.setVisible(true);
        pile.setStretch(false);
    }
}

void DealMiddleBatch(client::Client& c, const state::Frame& message, std::int16_t cardCount) {
    state::SharedState& s = c.s;
    for (std::size_t i = 0; i < s.g_aCardGroup.size(); ++i) {
        s.g_aCardGroup[i] = ReadByte(message, GroupByte + i);
    }
    client::MainForm& form = *c.MainForm;
    for (int i = 0; i < 4; ++i) form.Speak[i].setVisible(false);
    s.g_bDealPhase2 = true;
    s.g_bDealPhase1 = false;
    StopClocksForDeal(c);
    s.g_bSortByGroup = true;
    for (int i = 0; i < 4; ++i) form.OK[i].setVisible(false);
    cards::ReceiveDealtCards(c, message, cardCount);
    ShowHandBacks(c, s.g_nDealtCards);
    if (ReadByte(message, MayDeclareByte) == 1) {
        OfferGroupDeclaration(c);
    } else {
        QueueAutomaticPass(c);
    }
}

void DealLastBatch(client::Client& c, const state::Frame& message, std::int16_t cardCount) {
    state::SharedState& s = c.s;
    client::MainForm& form = *c.MainForm;
    s.g_bAcesMarked = false;
    s.g_nMarkedAceCount = 0;
    ShowCalledAce(c, message);
    s.g_bDealPhase1 = false;
    s.g_bDealPhase2 = false;
    s.g_bDealPhase3 = true;
    cards::ReceiveDealtCards(c, message, cardCount);
    for (int i = 0; i < OptionImages; ++i) form.xuan_img[i].setVisible(false);
    QueueDealDone(c);
    s.g_bSortByGroup = true;
    HideBubblesAndReadyMarks(form);
    s.g_bGameRunning = true;
    s.g_bPrevTrickReady = true;
    s.g_bCanPlay = false;
    ShowHandBacks(c, cardCount + s.g_nDealtCards);
    s.g_nDealtCards = 0;
}

void HandleDeal(client::Client& c, state::Frame& message) {
    state::SharedState& s = c.s;
    if ((ReadByte(message, state::FrameSeatByte) & 15) != s.custom[0].seat) return;
    // The settlement paints the marked seats' columns; a new deal starts them black again.
    auto& board = *c.Score;
    for (int i = 0; i < 4; ++i) board.State[i].setForeColor(forms::kBlack);

    const auto cardCount = std::int16_t(ReadByte(message, CardCountByte));
    const std::uint8_t phase = ReadByte(message, DealPhaseByte);
    if (phase == DealPhaseFirst) DealFirstBatch(c, message, cardCount);
    if (phase == DealPhaseMiddle) DealMiddleBatch(c, message, cardCount);
    if (phase == DealPhaseLast) DealLastBatch(c, message, cardCount);

    c.MainForm->Bank.zOrder(0);
    if (s.g_nPropState != 0) props::ResetPropShow(c);
}

}  // namespace dispatch
