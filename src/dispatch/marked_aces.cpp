// The marks of a hand between the declarations and the first play: the marked colour with the
// holders of its two aces (type 4), and the seat badges (type 5).
#include "cards/display/marked_aces.h"

#include "cards/card_value.h"
#include "client/client.h"
#include "client/main_form.h"
#include "connection/resource_pictures.h"
#include "dispatch/frame_reader.h"
#include "dispatch/handlers.h"
#include "dispatch/seat_flags.h"

namespace dispatch {

namespace {

constexpr std::size_t ColourMaskByte = 11;
constexpr std::size_t Holder1Byte = 16;
constexpr std::size_t Suit1Byte = 17;
constexpr std::size_t Holder2Byte = 18;
constexpr std::size_t Suit2Byte = 19;
constexpr std::int16_t BothAcesOneHolder = 5;
constexpr int OtherSeatCards = 13;

constexpr std::size_t BadgeCountByte = 11;
constexpr std::size_t BadgeByte = 15;
constexpr std::size_t BadgeSeat1Byte = 16;
constexpr std::size_t BadgeSeat2Byte = 17;
constexpr std::int16_t BadgeBeaten = 480;
constexpr std::int16_t BadgeShuai = 481;

// The full-size picture of the ace of a suit: its card picture code.
std::int16_t AcePicture(std::uint8_t suitMask) {
    return std::int16_t(cards::RankAce + 16 * cards::BitIndex(suitMask));
}

// The other ace of the same colour: 1 and 4 (red), 2 and 8 (black).
std::uint8_t PartnerSuit(std::uint8_t suitMask) {
    return std::uint8_t((suitMask * 4) % 15);
}

void ShowHolderAce(client::Client& c, int seat, std::uint8_t suitMask) {
    forms::Image& ace = c.MainForm->shou[seat];
    connection::ShowResourcePicture(c, AcePicture(suitMask), ace);
    ace.setVisible(true);
}

// One player holds both aces: the partner ace borrows the next seat's image and overlaps the
// holder's, a quarter of a card further right. Not moved when its picture cannot be had.
void ShowBothAces(client::Client& c, int seat, std::uint8_t suitMask) {
    auto& table = *c.MainForm;
    ShowHolderAce(c, seat, suitMask);
    const forms::Image& first = table.shou[seat];
    forms::Image& partner = table.shou[(seat + 1) % 4];
    if (connection::ShowResourcePicture(c, AcePicture(PartnerSuit(suitMask)), partner)) {
        partner.move(first.left() + first.width() * 0.25f, first.top());
    }
    partner.setVisible(true);
    partner.zOrder(0);
}

std::int16_t BadgePicture(std::uint8_t badge) {
    switch (badge) {
        case 1:
            return BadgeBeaten;
        case 2:
            return BadgeShuai;
        default:
            return 0;
    }
}

}  // namespace

void HandleMarkedAces(client::Client& c, state::Frame& message) {
    auto& s = c.s;
    auto& table = *c.MainForm;
    s.g_aMarkedSeats[0] = 0;
    s.g_aMarkedSeats[1] = 0;
    const std::uint8_t colourMask = ReadByte(message, ColourMaskByte);
    s.g_nMarkedAceColour = colourMask;
    cards::SortWithMarkedAces(c, colourMask);
    for (int k = 0; k < 4; ++k) table.shou[k].setVisible(false);
    // The cards the declarations showed for the other seats leave the table.
    for (int j = 0; j < OtherSeatCards; ++j) {
        table.cardImage1[j].setVisible(false);
        table.cardImage2[j].setVisible(false);
        table.cardImage3[j].setVisible(false);
    }

    const std::uint8_t holder1 = ReadByte(message, Holder1Byte);
    const std::uint8_t holder2 = ReadByte(message, Holder2Byte);
    const std::uint8_t suit1 = ReadByte(message, Suit1Byte);
    const std::uint8_t suit2 = ReadByte(message, Suit2Byte);
    if (holder1 != 0) {
        s.g_aMarkedSeats[0] = std::int16_t(SeatOfFlag(c, holder1));
        s.g_aMarkedSeats[1] =
            holder2 != 0 ? std::int16_t(SeatOfFlag(c, holder2)) : BothAcesOneHolder;
    }

    if (holder1 != 0 && holder2 != 0) {
        ShowHolderAce(c, SeatOfFlag(c, holder1), suit1);
        ShowHolderAce(c, SeatOfFlag(c, holder2), suit2);
    } else if (holder1 != 0) {
        ShowBothAces(c, SeatOfFlag(c, holder1), suit1);
    } else if (holder2 != 0) {
        ShowBothAces(c, SeatOfFlag(c, holder2), suit2);
    }
}

void HandleBaoShuai(client::Client& c, state::Frame& message) {
    auto& table = *c.MainForm;
    const std::uint8_t badgeCount = ReadByte(message, BadgeCountByte);
    const std::int16_t picture = BadgePicture(ReadByte(message, BadgeByte));
    if (picture == 0 || (badgeCount != 1 && badgeCount != 2)) return;

    const int a = SeatOfFlag(c, ReadByte(message, BadgeSeat1Byte));
    if (badgeCount == 1) {
        connection::ShowResourcePicture(c, picture, table.Img_bao_shuai[a]);
        table.Img_bao_shuai[a].setVisible(true);
        table.Img_bao_shuai[a].zOrder(0);
        return;
    }
    const int b = SeatOfFlag(c, ReadByte(message, BadgeSeat2Byte));
    connection::ShowResourcePicture(c, picture, table.Img_bao_shuai[a]);
    connection::ShowResourcePicture(c, picture, table.Img_bao_shuai[b]);
    table.Img_bao_shuai[a].setVisible(true);
    table.Img_bao_shuai[b].setVisible(true);
    table.Img_bao_shuai[a].zOrder(0);
    table.Img_bao_shuai[b].zOrder(0);
}

}  // namespace dispatch
