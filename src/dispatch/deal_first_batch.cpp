// The first deal batch starts a hand: what the settlement held back goes out, the table is
// reset, the hall hears of the hand, the cards come in, and the ace declaration is offered.
#include "cards/card_picture.h"
#include "cards/display/card_picture_display.h"
#include "cards/display/receive_dealt_cards.h"
#include "client/client.h"
#include "client/main_form.h"
#include "connection/hall_link.h"
#include "dispatch/deal_batches.h"
#include "dispatch/declaration_offer.h"
#include "dispatch/frame_reader.h"
#include "platform/desktop/desktop.h"
#include "props/props.h"
#include "state/shared_state.h"
#include "table/table_layout.h"

namespace dispatch {

namespace {

constexpr std::size_t MayDeclareByte = 68;
constexpr std::size_t OffersByte = 72;
constexpr std::size_t ThreadIndexByte = 268;
constexpr std::size_t CardBytes = 4;
constexpr std::size_t OfferedCards = 3;
constexpr std::uint8_t RankAce = 14;
constexpr std::int16_t KindXuan = 1;
constexpr std::int16_t KindPass = 9;
constexpr int ReadyButton = 2;
constexpr forms::OleColor kGreen = 0x00FF00;

// A minimised or maximised table comes back to its normal size in front of the hall, unless
// the boss key hides it.
void RestoreTableWindow(client::Client& c) {
    client::MainForm& form = *c.MainForm;
    if (form.windowState() == forms::WindowState::Normal || c.s.g_bBossKey) return;
    form.setWindowState(forms::WindowState::Normal);
    connection::MinimizeHall(c);
    form.setFocus();
}

void ShowWealthBadge(client::Client& c) {
    state::SharedState& s = c.s;
    client::MainForm& form = *c.MainForm;
    if (s.beishu != 0) {
        s.g_sBeishuText = form.lbwealth.caption();
        form.Imgwealth.setVisible(true);
        form.lbwealth.setVisible(true);
    } else {
        form.Imgwealth.setVisible(false);
        form.lbwealth.setVisible(false);
    }
}

// The hand's multiplier starts at 1; the small layout keeps it clear of the hand row.
void ShowMultiplierBadge(client::Client& c) {
    const state::SharedState& s = c.s;
    client::MainForm& form = *c.MainForm;
    const float sx = s.g_fScaleX;
    const float sy = s.g_fScaleY;
    const bool full = sx >= 1;
    form.imgfanshu.setTop((full ? 532 : 540) * sy);
    form.imgfanshu.setLeft(10 * sx);
    form.imgfanshu.setVisible(true);
    form.imgfanshu.zOrder(0);
    form.lblfanshu.setFontSize(18);
    form.lblfanshu.setLeft((full ? 54 : 66) * sx);
    form.lblfanshu.setTop((full ? 537 : 546) * sy);
    form.lblfanshu.setCaption(QStringLiteral("1"));
    form.lblfanshu.setVisible(true);
    form.lblfanshu.setForeColor(kGreen);
    form.lblfanshu.zOrder(0);
}

void TellHallHandStarted(client::Client& c) {
    c.s.g_nHallWnd = connection::FindHallWindow(c);
    if (c.s.g_nHallWnd) {
        c.sys.desktop.postMessage(c.s.g_nHallWnd, connection::HallMsgHandStarted, 0, 0);
    }
}

// Leading aces among the three offered cards. Any other pattern offers no ace: a count kept
// from an earlier hand would show stale buttons and send a card that is no ace.
std::int16_t AceCountOf(const state::Frame& message) {
    const bool first = ReadByte(message, OffersByte + 1) == RankAce;
    const bool second = ReadByte(message, OffersByte + CardBytes + 1) == RankAce;
    const bool third = ReadByte(message, OffersByte + 2 * CardBytes + 1) == RankAce;
    if (first && second && third) return 3;
    if (first && second) return 2;
    if (first && !third) return 1;
    return 0;
}

// Offered card k in option image k; the images overlap from left to right.
void ShowOfferedAce(client::Client& c, const state::Frame& message, int k) {
    const state::SharedState& s = c.s;
    forms::Image& option = c.MainForm->xuan_img[k];
    option.setTop(410 * s.g_fScaleY);
    option.setLeft(420 * s.g_fScaleX + 20 * float(k) * s.g_fScaleX);
    option.setHeight(80 * s.g_fScaleY);
    option.setWidth(60 * s.g_fScaleX);
    option.setStretch(true);
    option.setVisible(true);
    option.zOrder(0);
    const std::size_t card = OffersByte + CardBytes * std::size_t(k);
    const auto suit = std::int16_t(ReadByte(message, card) & 15);
    const auto rank = std::int16_t(ReadByte(message, card + 1));
    cards::ShowCardPicture(c, suit, rank, 0, std::int16_t(k),
                           std::int16_t(cards::CardPictureCodeOf(suit, rank)), 1);
}

// One ace: its button beside the pass button. Two or three: the pass button, and the aces to
// click in the option images. The countdown passes in both cases, and clicks nothing without
// an ace.
void OfferAceDeclaration(client::Client& c, const state::Frame& message) {
    state::SharedState& s = c.s;
    StartDeclarationCountdown(c);
    for (std::size_t i = 0; i < OfferedCards * CardBytes; ++i) {
        s.g_aCardGroup[i] = ReadByte(message, OffersByte + i);
    }
    s.g_nAceCount = AceCountOf(message);
    if (s.g_nAceCount == 1) {
        PlaceDeclarationButton(c, 0, KindXuan, 440);
        PlaceDeclarationButton(c, 1, KindPass, 520);
        s.g_nDefaultBid = 1;
        ShowDeclarationButtons(c, 2);
    } else if (s.g_nAceCount == 2 || s.g_nAceCount == 3) {
        PlaceDeclarationButton(c, 0, KindPass, 520);
        s.g_nDefaultBid = 0;
        ShowDeclarationButtons(c, 1);
        for (int k = 0; k < s.g_nAceCount; ++k) ShowOfferedAce(c, message, k);
    }
}

}  // namespace

void DealFirstBatch(client::Client& c, const state::Frame& message, std::int16_t cardCount) {
    state::SharedState& s = c.s;
    client::MainForm& form = *c.MainForm;
    props::SendHeldPropFrames(c);
    s.g_bResultShown = false;
    s.g_bHandStarted = true;
    s.g_bRandomSeats = false;
    s.g_bHoldPropFrameB = false;
    RestoreTableWindow(c);
    s.threadIndex = ReadInt32LE(message, ThreadIndexByte);
    s.g_bTimeLimit = true;
    for (int i = 0; i < 4; ++i) s.g_aStartGold[std::size_t(i)] = form.Cash[i].caption();
    ShowWealthBadge(c);
    s.g_bDealPhase1 = true;
    table::ResetTableForNewHand(c);
    s.g_bGameRunning = true;
    ShowMultiplierBadge(c);
    TellHallHandStarted(c);
    StopClocksForDeal(c);
    s.g_aAnNiuState[ReadyButton] = true;
    s.g_bSortByGroup = true;
    for (int i = 0; i < 4; ++i) {
        form.OK[i].setVisible(false);
        s.custom[std::size_t(i)].count = 0;
    }
    cards::ReceiveDealtCards(c, message, cardCount);
    ShowHandBacks(c, cardCount);
    if (ReadByte(message, MayDeclareByte) == 1) {
        OfferAceDeclaration(c, message);
    } else {
        QueueAutomaticPass(c);
    }
}

}  // namespace dispatch
