// The declaration buttons and the offered cards shown beside them during the deal.
#include <span>

#include "cards/card_picture.h"
#include "cards/display/card_picture_display.h"
#include "cards/display/declare_frame.h"
#include "cards/display/pass_turn.h"
#include "client/client.h"
#include "client/main_form.h"
#include "connection/send_queue.h"
#include "platform/runtime/failure.h"

namespace cards {

namespace {

constexpr int kDeclarationButtons = 4;
constexpr int kOptionImages = 4;
constexpr std::size_t kCardBytes = 4;
constexpr std::int16_t kKindXuan = 1;
constexpr std::int16_t kKindChuai = 2;
// The layout of a declared or offered card in the option row, in design pixels.
constexpr float kOptionTop = 410;
constexpr float kGroupLeft = 370;
constexpr float kGroupStep = 10;
constexpr float kSingleLeft = 420;
constexpr float kOptionWidth = 60;
constexpr float kOptionHeight = 80;

// Any click of the row ends the declaration: its countdown stops and its buttons go.
void CloseDeclaration(client::Client& c) {
    client::MainForm& form = *c.MainForm;
    c.s.g_bBidClock = false;
    c.s.g_nBidTicks = 0;
    HideClock(form);
    for (int k = 0; k < kDeclarationButtons; ++k) {
        form.btnJiaofen[k].setVisible(false);
        form.btnJiaofen[k].setEnabled(false);
    }
}

std::span<const std::uint8_t> GroupBytes(const state::SharedState& s, std::size_t first,
                                         std::size_t cards) {
    // Only four cards are ever offered: an option image past them is a run-time failure.
    if ((first + cards) * kCardBytes > s.g_aCardGroup.size()) {
        platform::fail(platform::RuntimeFailure::Kind::IndexOutOfRange, "Subscript out of range");
    }
    return std::span(s.g_aCardGroup).subspan(first * kCardBytes, cards * kCardBytes);
}

// Card i of g_aCardGroup in option image i, at `left` (design pixels).
void ShowOption(client::Client& c, int i, float left) {
    const state::SharedState& s = c.s;
    forms::Image& option = c.MainForm->xuan_img[i];
    option.move(left * s.g_fScaleX, kOptionTop * s.g_fScaleY, kOptionWidth * s.g_fScaleX,
                kOptionHeight * s.g_fScaleY);
    option.setStretch(true);
    option.setVisible(true);
    option.zOrder(0);
    const auto suit = std::int16_t(s.g_aCardGroup[kCardBytes * std::size_t(i)] & 15);
    const auto rank = std::int16_t(s.g_aCardGroup[kCardBytes * std::size_t(i) + 1]);
    ShowCardPicture(c, suit, rank, 0, std::int16_t(i), std::int16_t(CardPictureCodeOf(suit, rank)),
                    1);
}

void Queue(client::Client& c, DeclareAction action, std::span<const std::uint8_t> cards = {}) {
    state::Frame frame = BuildDeclareFrame(c.s.custom[0].seat, action, cards);
    connection::QueueOutgoingMessage(c.s, frame);
}

void DeclareXuan(client::Client& c) {
    const state::SharedState& s = c.s;
    // Two or three offered aces are chosen through the option images instead.
    if (!s.g_bDealPhase1 || s.g_nAceCount != 1) return;
    Queue(c, ActionXuan, GroupBytes(s, 0, 1));
    ShowOption(c, 0, kSingleLeft);
}

void DeclareChuai(client::Client& c) {
    const state::SharedState& s = c.s;
    if (!s.g_bDealPhase2) {
        Queue(c, ActionChuai);
        return;
    }
    if (s.g_nGroupSize != 3 && s.g_nGroupSize != 4) return;
    for (int i = 0; i < s.g_nGroupSize; ++i) ShowOption(c, i, kGroupLeft + kGroupStep * float(i));
    Queue(c, ActionChuai, GroupBytes(s, 0, std::size_t(s.g_nGroupSize)));
}

}  // namespace

}  // namespace cards

namespace client {
using namespace cards;

void MainForm::btnJiaofen_Click(int Index) {
    state::SharedState& s = c.s;
    CloseDeclaration(c);
    if (Index < 0 || std::size_t(Index) >= s.g_aJiaofenKind.size()) {
        platform::fail(platform::RuntimeFailure::Kind::IndexOutOfRange, "Subscript out of range");
    }
    const std::int16_t kind = s.g_aJiaofenKind[std::size_t(Index)];
    if (kind == kKindXuan) {
        DeclareXuan(c);
    } else if (kind == kKindChuai) {
        DeclareChuai(c);
    } else if (const auto action = DeclareActionOfKind(kind)) {
        Queue(c, *action);
    }
}

void MainForm::xuan_img_Click(int Index) {
    state::SharedState& s = c.s;
    if (!s.g_bDealPhase1) return;
    if (s.g_nAceCount == 2 || s.g_nAceCount == 3) {
        for (int i = 0; i < kOptionImages; ++i) {
            if (i != Index) xuan_img[i].setVisible(false);
        }
        Queue(c, ActionXuan, GroupBytes(s, std::size_t(Index), 1));
    }
    CloseDeclaration(c);
}

}  // namespace client
