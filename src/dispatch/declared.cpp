// MsgDeclared: a player at the table (the local one included) has declared. The multiplier
// changes, the declared cards become the current group, another player's declared group or ace
// shows at the seat, and the declaration's bubble stands there for about a second.
#include "cards/card_picture.h"
#include "cards/card_value.h"
#include "cards/display/card_images.h"
#include "cards/display/card_picture_display.h"
#include "cards/display/declare_frame.h"
#include "cards/display/trick_bookkeeping.h"
#include "client/client.h"
#include "client/main_form.h"
#include "connection/resource_pictures.h"
#include "connection/waits.h"
#include "dispatch/frame_reader.h"
#include "dispatch/handlers.h"
#include "platform/runtime/failure.h"
#include "state/shared_state.h"

namespace dispatch {

namespace {

constexpr std::size_t ActionByte = 8;
constexpr std::size_t ActionLowByte = 9;
constexpr std::size_t MultiplierByte = 14;
constexpr std::size_t CardsByte = 16;
constexpr std::int16_t RankAce = 14;
constexpr int DeclaredAceImage = 5;
constexpr int GroupPauseMs = 500;

// Each kind has three bubbles: the tail towards the local seat, the left and opposite seats,
// and the right seat. An action outside the nine shows the first kind's.
int BubbleBase(std::int16_t action) {
    switch (action) {
        case cards::ActionXuan:
            return 0;
        case cards::ActionChuai:
            return 3;
        case cards::ActionCeng:
            return 6;
        case cards::ActionPingDa:
            return 9;
        case cards::ActionFanChuai:
            return 12;
        case cards::ActionGenChuai:
            return 15;
        case cards::ActionShuaiPai:
            return 18;
        case cards::ActionBaoDa:
            return 21;
        case cards::ActionPass:
            return 24;
        default:
            return 0;
    }
}
constexpr std::array<int, 4> BubbleOfSeat{0, 1, 1, 2};

// The declared group at another seat, laid out as that seat's plays are, during the middle
// batch; the table stays still for half a second so that it is seen.
void ShowDeclaredGroup(client::Client& c, int r) {
    const state::SharedState& s = c.s;
    auto& images = *cards::SeatCardImages(*c.MainForm, r);
    const state::SeatRecord& seat = s.custom[std::size_t(r)];
    const double sx = s.g_fScaleX;
    const double n = s.g_nGroupSize;
    const double p = s.g_aPlayedCount[std::size_t(r - 1)];
    const double w = images[0].width();
    const double e = r == 1 ? 80 * sx : r == 2 ? 0 : -90 * sx;
    for (int i = 0; i < s.g_nGroupSize; ++i) {
        const auto suit = std::int16_t(s.g_aCardGroup[std::size_t(4 * i)] & 15);
        const auto rank = std::int16_t(s.g_aCardGroup[std::size_t(4 * i + 1)]);
        cards::ShowCardPicture(c, suit, rank, std::int16_t(r), std::int16_t(i),
                               std::int16_t(cards::CardPictureCodeOf(suit, rank)), 0);
        const std::int16_t image = seat.slots[std::size_t(i)].image;
        if (!cards::IsCardImageIndex(image)) {
            platform::fail(platform::RuntimeFailure::Kind::IndexOutOfRange,
                           "Subscript out of range");
        }
        forms::Image& card = images[image];
        card.setLeft(float(seat.playX + (0.11 * n + 0.39) * 90 * sx + 0.22 * w * sx * (i - p) + e));
        card.setTop(seat.playY);
        card.setWidth(float(80 * sx));
        card.setHeight(float(108 * double(s.g_fScaleY)));
        card.setVisible(true);
        card.zOrder(0);
        card.setStretch(true);
    }
    connection::DelayMs(c.sys.scheduler, GroupPauseMs);
}

// The ace of the declared suit beside another player's seat.
void ShowDeclaredAce(client::Client& c, const state::Frame& message, int r) {
    const state::SharedState& s = c.s;
    const auto suit = std::int16_t(ReadByte(message, CardsByte) & 15);
    cards::ShowCardPicture(c, suit, RankAce, 0, DeclaredAceImage,
                           std::int16_t(cards::CardPictureCodeOf(suit, RankAce)), 1);
    const state::SeatRecord& seat = s.custom[std::size_t(r)];
    const float f = r == 1 ? -50 : r == 2 ? 50 : 100;
    forms::Image& ace = c.MainForm->xuan_img[DeclaredAceImage];
    ace.setTop(seat.playY);
    ace.setLeft(seat.playX + f * s.g_fScaleX);
    ace.setHeight(80 * s.g_fScaleY);
    ace.setWidth(60 * s.g_fScaleX);
    ace.setStretch(true);
    ace.setVisible(true);
    ace.zOrder(0);
}

}  // namespace

void HandleDeclared(client::Client& c, state::Frame& message) {
    state::SharedState& s = c.s;
    client::MainForm& form = *c.MainForm;
    const std::int16_t multiplier = ReadInt16BE(message, MultiplierByte);
    form.lblfanshu.setCaption(QString::number(multiplier));
    const int r = (cards::BitIndex(std::int16_t(ReadByte(message, state::FrameSeatByte) & 15)) -
                   cards::BitIndex(s.custom[0].seat) + 4) &
                  3;
    for (std::size_t i = 0; i < s.g_aCardGroup.size(); ++i) {
        s.g_aCardGroup[i] = ReadByte(message, CardsByte + i);
    }
    s.g_nGroupSize = s.g_aCardGroup[9] == s.g_aCardGroup[13] ? 4 : 3;
    if (s.g_bDealPhase2 && r != 0 && ReadByte(message, ActionLowByte) == cards::ActionChuai) {
        ShowDeclaredGroup(c, r);
    }

    const std::int16_t action = ReadInt16BE(message, ActionByte);
    if (action == cards::ActionXuan && r != 0) ShowDeclaredAce(c, message, r);
    const QString& id =
        c.ids.g_aIdCallBadge[std::size_t(BubbleBase(action) + BubbleOfSeat[std::size_t(r)])];
    const std::int16_t resId = connection::IntegerArg(id).toInteger();
    connection::LoadResourcePicture(c, id, QStringLiteral("GIF"),
                                    connection::TempPicturePath(c, resId), form.Speak[r],
                                    std::int16_t(r));
    if (s.g_nSpeakSeat >= 0 && s.g_nSpeakSeat != r) form.Speak[s.g_nSpeakSeat].setVisible(false);
    s.g_nSpeakSeat = std::int16_t(r);
    s.channels.arm(state::ChannelBubble);
    if (r != 0) {
        form.Speak[r].setVisible(true);
        form.Speak[r].zOrder(0);
    }
}

}  // namespace dispatch
