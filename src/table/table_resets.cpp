// The resets between hands: the table screen and the seats' cards.
#include <array>

#include "chat/table_hooks.h"
#include "client/client.h"
#include "client/main_form.h"
#include "platform/runtime/conversions.h"
#include "table/layout_scale.h"
#include "table/table_layout.h"

namespace table {

namespace {

struct PlayPoint {
    float x;
    float y;
};

// Where each seat's played cards are laid out (design pixels, by relative seat).
constexpr std::array<PlayPoint, 4> kPlayPoints{{{500, 430}, {150, 310}, {390, 190}, {650, 310}}};
// The Top of an unraised hand card.
constexpr float kCardRestTop = 565;
// The marks of the marked aces' holders, by relative seat.
constexpr std::array<PlayPoint, 4> kMarkPlaces{{{128, 576}, {48, 168}, {336, 104}, {944, 180}}};
constexpr std::int16_t kPassBid = 4;

void ClearHandCounters(state::SharedState& s) {
    s.RecordUpNumber = -1;
    s.NumberClick = -1;
    s.g_nPlayCount = 0;
    s.FlgIsMe = false;
    s.NumSumClickUp = 0;
    s.g_aMarkedSeats[0] = 0;
    s.g_aMarkedSeats[1] = 0;
}

void HideHandMarks(client::Client& c, client::MainForm& form) {
    form.imgfanshu.setVisible(false);
    form.lblfanshu.setVisible(false);
    for (int k = 0; k <= 5; ++k) form.xuan_img[k].setVisible(false);
    for (int k = 0; k <= 3; ++k) form.shou[k].setVisible(false);
    for (int k = 0; k <= 3; ++k) form.Img_bao_shuai[k].setVisible(false);
    chat::HideChatHistory(c);
}

void SetPlayPoints(const LayoutScale& sc, state::SharedState& s) {
    for (int k = 0; k < 4; ++k) {
        s.custom[k].playX = platform::toInteger(double(sc.x(kPlayPoints[k].x)));
        s.custom[k].playY = platform::toInteger(double(sc.y(kPlayPoints[k].y)));
    }
    s.g_nCardBaseTop = platform::toInteger(double(sc.y(kCardRestTop)));
    s.g_nFloatBaseTop = s.g_nCardBaseTop;
}

void HideCards(const LayoutScale& sc, client::MainForm& form) {
    for (int i = 0; i <= 12; ++i) {
        auto& card = form.cardImage0[i];
        card.setVisible(false);
        card.setEnabled(true);
        sc.size(card, 90, 120);
        form.cardImage1[i].setVisible(false);
        form.cardImage2[i].setVisible(false);
        form.cardImage3[i].setVisible(false);
    }
    for (int k = 0; k < 3; ++k) sc.size(form.shanImage[k], 200, 200);
    form.shanImage[0].move(10, sc.y(240));  // the left edge is not scaled
    sc.place(form.shanImage[2], 860, 240);
    form.shanImage[1].setLeft(sc.x(400));
    form.shanImage[1].setTop(form.Tou[2].top() + form.Tou[2].height() + sc.y(35));
    for (int k = 0; k < 3; ++k) form.shanImage[k].setVisible(false);
    for (int k = 0; k < 4; ++k) {
        sc.place(form.shou[k], kMarkPlaces[k].x, kMarkPlaces[k].y);
        form.shou[k].setVisible(false);
    }
}

void HideTurnControls(client::MainForm& form) {
    for (int k = 0; k <= 5; ++k) form.Operation[k].setVisible(false);
    form.Time_Img.setVisible(false);
    form.Number.setVisible(false);
    for (int k = 0; k <= 3; ++k) form.first[k].setVisible(false);
}

void ClearTrickAndClocks(state::SharedState& s) {
    for (auto& seat : s.g_aTrickCards) seat.fill(0);
    for (auto& seat : s.g_aPrevTrickCards) seat.fill(0);
    s.g_bBidClock = false;
    s.g_nBidTicks = 0;
    s.g_nDefaultBid = kPassBid;
    s.g_aPlayedCount.fill(0);
    s.g_nSpeakSeat = 0;
    s.ReconnectCount = 0;
    s.ReconnectTime = 0;
}

// A table with a wealth multiplier keeps its display between hands.
void ResetWealthDisplay(state::SharedState& s, client::MainForm& form) {
    for (int k = 0; k < 3; ++k) form.lbfont[k].setVisible(false);
    if (s.beishu == 0) {
        form.lbwealth.setCaption(QStringLiteral("1"));
        form.lbwealth.setVisible(false);
        form.Imgwealth.setVisible(false);
    }
}

}  // namespace

void ResetTableForNewHand(client::Client& c) {
    auto& s = c.s;
    auto& form = *c.MainForm;
    const LayoutScale sc(s);

    ClearHandCounters(s);
    HideHandMarks(c, form);
    SetPlayPoints(sc, s);
    HideCards(sc, form);
    HideTurnControls(form);
    ClearTrickAndClocks(s);
    ResetWealthDisplay(s, form);
    s.g_bPropShowPending = false;
    s.g_nPropShowState = 0;
    form.Bank.setVisible(true);
    form.Bank.zOrder(0);
}

void ResetPlayersForNewHand(client::Client& c) {
    auto& s = c.s;
    for (int k = 0; k < 4; ++k) {
        for (auto& slot : s.custom[k].slots) slot.image = -1;  // the cards stay
        s.custom[k].count = 0;
        s.g_aHandResult[k] = 0;
    }
    s.ID_num = 0;
    s.g_nFinishedCount = 0;
    s.g_bGameRunning = false;
}

void ResetPlayersOnLeave(client::Client& c) {
    ResetPlayersForNewHand(c);
}

}  // namespace table
