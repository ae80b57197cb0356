#include "cards/display/show_other_player_cards.h"

#include <algorithm>
#include <optional>

#include "cards/card_picture.h"
#include "cards/display/card_images.h"
#include "cards/display/card_picture_display.h"
#include "cards/display/trick_bookkeeping.h"
#include "cards/table_frames.h"
#include "client/client.h"
#include "client/main_form.h"
#include "connection/resource_pictures.h"
#include "platform/files/file_system.h"
#include "platform/forms/picture.h"
#include "platform/runtime/scheduler.h"
#include "sound/sound_playback.h"
#include "state/shared_state.h"

namespace cards {
namespace {

constexpr std::size_t TurnKindByte = 15;
// A turn kind of 1, 9 or 10: the table was cleared before this play.
bool TableCleared(std::uint8_t turnKind) {
    return turnKind == 1 || turnKind == 9 || turnKind == 10;
}

int RelativeSeatOf(const state::SharedState& s, std::uint8_t seatFlag) {
    return (BitIndex(std::int16_t(seatFlag & 15)) - BitIndex(s.custom[0].seat) + 4) & 3;
}

void PlayPlaySound(client::Client& c, std::uint8_t pattern) {
    // Bombs (triple, four, the marked aces) sound heavier than the other plays.
    sound::PlayEffectSound(c.sound, pattern < Ordinal(PatternType::PatternTriple)
                                        ? QStringLiteral("\\..\\common\\pk\\sys070.wav")
                                        : QStringLiteral("\\..\\common\\pk\\sys060.wav"));
}

void HideOtherBubble(client::Client& c, int seat) {
    std::int16_t& speaker = c.s.g_nSpeakSeat;
    if (speaker != seat && speaker >= 0 && speaker <= 3)
        c.MainForm->Speak[speaker].setVisible(false);
    speaker = std::int16_t(seat);
}

void RecordPlayToBeat(state::SharedState& s, const OtherSeatPlay& play) {
    const auto n = std::int16_t(play.cards.count);
    s.former.formerType = play.pattern;
    s.former.formerNum = n;
    s.hint.g_nHintType = std::int16_t(Ordinal(play.pattern));
    s.hint.g_nHintLen = n;
    s.hint.g_nHintCursor = RankLowest;
}

// The cards go on the seat's next images, in a row starting right of its play point.
void LayOutPlay(client::Client& c, int seat, const OtherSeatPlay& play) {
    state::SharedState& s = c.s;
    auto& images = *SeatCardImages(*c.MainForm, seat);
    const state::SeatRecord& record = s.custom[std::size_t(seat)];
    const int p = s.g_aPlayedCount[std::size_t(seat - 1)];
    const double n = double(play.cards.count);
    const double scaleX = s.g_fScaleX;
    const double width = images[0].width();
    for (std::size_t j = 0; j < play.cards.count; ++j) {
        const int k = p + int(j);
        const TableCard card = play.cards.items[j];
        s.former.g_aFormerCards[j] = card.recorded();
        ShowCardPicture(c, card.suit, card.rank, std::int16_t(seat), std::int16_t(k),
                        std::int16_t(CardPictureCodeOf(card.suit, card.rank)), 0);
        const std::int16_t image = record.slots[std::size_t(k)].image;
        if (IsCardImageIndex(image)) {
            forms::Image& shown = images[image];
            shown.move(float(record.playX + 90 * scaleX * (0.39 + 0.11 * n) +
                             scaleX * 0.22 * double(j) * width),
                       record.playY, float(80 * scaleX), float(108 * double(s.g_fScaleY)));
            shown.setVisible(true);
            shown.zOrder(0);
            shown.setStretch(true);
        }
        s.g_aTrickCards[std::size_t(seat)][j] = image;
    }
}

// The pile picture of the cards a seat has left; the one-card picture sits apart.
void ShowHandBackPile(client::Client& c, int seat) {
    state::SharedState& s = c.s;
    forms::Image& pile = c.MainForm->shanImage[seat - 1];
    const int left = s.custom[std::size_t(seat)].count;
    if (left < 1) {
        pile.setVisible(false);
        return;
    }
    s.g_nResId = HandBackPictureId(c, seat, std::min(left, MaxHandCards));
    const auto file =
        connection::WriteResourcePicture(c, connection::TempPicturePath(c, s.g_nResId));
    if (file) {
        if (left == 1) {
            if (seat == 2) {
                pile.setLeft(float(434 * double(s.g_fScaleX)));
            } else {
                pile.setTop(float(360 * double(s.g_fScaleY)));
            }
        }
        pile.setPicture(forms::loadPicture(*file));
        connection::DeleteTempPicture(*file);
    }
    pile.setStretch(false);
    pile.setVisible(true);
}

}  // namespace

void ShowOtherPlayerCards(client::Client& c, const state::Frame& message) {
    state::SharedState& s = c.s;
    client::MainForm& form = *c.MainForm;
    const int seat = RelativeSeatOf(s, state::FrameFields::u8(message, state::FrameSeatByte));
    // Another seat's cards are checked whole before the table changes.
    std::optional<OtherSeatPlay> play;
    if (seat != 0) play = DecodeOtherSeatPlay(message, s.g_aPlayedCount[std::size_t(seat - 1)]);

    if (TableCleared(state::FrameFields::u8(message, TurnKindByte))) {
        s.former.formerType = PatternType::PatternInvalid;
    }
    c.random.seed(std::uint64_t(c.sys.scheduler.now()));
    form.Bank.zOrder(0);
    form.LbProp.zOrder(0);
    PlayPlaySound(c, state::FrameFields::u8(message, TurnPatternByte));
    if (seat == 0) return;

    StartSeatTurn(c, seat);
    RecordPlayToBeat(s, *play);
    HideOtherBubble(c, seat);
    LayOutPlay(c, seat, *play);

    state::SeatRecord& record = s.custom[std::size_t(seat)];
    const auto n = std::int16_t(play->cards.count);
    s.g_aTrickCards[std::size_t(seat)][27] = n;
    record.count = std::int16_t(std::max(0, record.count - n));
    s.g_aPlayedCount[std::size_t(seat - 1)] =
        std::int16_t(s.g_aPlayedCount[std::size_t(seat - 1)] + n);
    ShowHandBackPile(c, seat);
    if (record.count == 0) {
        AwardFinishingBadge(c, seat);
        form.shanImage[seat - 1].setVisible(false);
    }
}

}  // namespace cards
