// A turn frame: who acted, with which cards, how the turn moves on and who acts next. The
// server runs the turns; the client shows them, opens the local player's turn and moves the
// turn clock.
#include "cards/display/card_images.h"
#include "cards/display/marked_aces.h"
#include "cards/display/show_other_player_cards.h"
#include "cards/display/trick_bookkeeping.h"
#include "client/client.h"
#include "client/main_form.h"
#include "connection/resource_pictures.h"
#include "connection/table_clocks.h"
#include "connection/waits.h"
#include "dispatch/frame_reader.h"
#include "dispatch/handlers.h"
#include "dispatch/seat_flags.h"
#include "dispatch/turn_kind.h"
#include "platform/runtime/failure.h"

namespace dispatch {

namespace {

constexpr std::size_t ActorByte = 6;
constexpr std::size_t NextSeatByte = 11;
constexpr std::size_t TurnKindByte = 15;
constexpr std::size_t CardCountByte = 17;
constexpr std::size_t PatternByte = 18;
constexpr std::size_t MultiplierByte = 72;  // 72 low, 73 high
constexpr std::size_t SecondsByte = 179;
constexpr std::size_t TrickCount = state::SharedState::TrickEntries - 1;

constexpr std::array<std::int16_t, 4> PassBubble{0, 474, 475, 476};
constexpr std::array<std::int16_t, 4> BombBubble{0, 478, 478, 479};
constexpr int BombPauseMs = 300;
constexpr std::int16_t DefaultTurnSeconds = 20;
constexpr int LocalSeat = 0;
constexpr int PlayButton = 0;
constexpr int PassButton = 2;

bool IsBomb(std::uint8_t pattern) {
    return pattern == 5 || pattern == 6 || pattern == 7;
}

void ShowBubble(client::Client& c, int seat, std::int16_t picture) {
    forms::Image& bubble = c.MainForm->Speak[seat];
    connection::ShowResourcePicture(c, picture, bubble);
    bubble.setVisible(true);
    bubble.setStretch(true);
    bubble.zOrder(0);
}

// The trick is over: every seat's cards of it leave the table (the tables keep their entries).
void ClearTrick(client::Client& c) {
    for (int seat = 0; seat < 4; ++seat) {
        auto& images = *cards::SeatCardImages(*c.MainForm, seat);
        const auto& row = c.s.g_aTrickCards[std::size_t(seat)];
        const int listed = std::clamp<int>(row[TrickCount], 0, int(TrickCount));
        for (int j = 0; j < listed; ++j) {
            if (cards::IsCardImageIndex(row[std::size_t(j)]))
                images[row[std::size_t(j)]].setVisible(false);
        }
    }
}

// A seat passed: its cards of this trick leave the table. The entries are the client's own
// bookkeeping; one naming no card image fails the frame.
void TakePassedCardsAway(client::Client& c, int seat) {
    auto& images = *cards::SeatCardImages(*c.MainForm, seat);
    const auto& row = c.s.g_aTrickCards[std::size_t(seat)];
    const int listed = row[TrickCount];
    if (listed < 1 || listed > 13) return;
    for (int j = 0; j < listed; ++j) images[row[std::size_t(j)]].setVisible(false);
}

// The opening turn of a hand carries the table's multiplier, a signed 16-bit value.
void ShowMultiplier(client::Client& c, const state::Frame& message) {
    const int multiplier =
        ReadByte(message, MultiplierByte + 1) * 256 + ReadByte(message, MultiplierByte);
    if (multiplier > 32767) {
        platform::fail(platform::RuntimeFailure::Kind::Overflow, "multiplier out of range");
    }
    c.MainForm->lblfanshu.setCaption(QString::number(multiplier));
}

void OpenLocalTurn(client::Client& c, std::uint8_t turnKind) {
    auto& s = c.s;
    auto& table = *c.MainForm;
    s.FlgIsMe = true;
    // The local player's last play leaves the table and becomes its previous play.
    cards::StartSeatTurn(c, LocalSeat);
    if (!TurnOpensButtons(turnKind)) return;
    for (int i = PlayButton; i <= PassButton; ++i) {
        table.Operation[i].setEnabled(true);
        table.Operation[i].zOrder(0);
        table.Operation[i].setVisible(true);
    }
    if (TurnMustLead(turnKind)) {
        s.g_bAutoLead = true;
        table.Operation[PassButton].setEnabled(false);
        table.Operation[PassButton].setVisible(false);
    }
    s.hint.g_nHintCursor = cards::RankLowest;
    s.hint.g_bHintPlayed = false;
}

void MoveTurnClock(client::Client& c, int nextSeat) {
    auto& s = c.s;
    auto& table = *c.MainForm;
    forms::Image& clock = table.Time_Img;
    const float w = clock.width();
    switch (nextSeat) {
        case 0:
            clock.move(800 * s.g_fScaleX, 550 * s.g_fScaleY);
            s.g_bTurnToAct = true;
            s.g_bCanPlay = true;
            s.g_bPassed = false;
            s.g_bTurnOpen = true;
            break;
        case 1:
            clock.move(0.2f * w, 210 * s.g_fScaleY);
            s.FlgIsMe = false;
            break;
        case 2:
            clock.move(336 * s.g_fScaleX, 150 * s.g_fScaleY);
            s.FlgIsMe = false;
            break;
        default:
            clock.move(1024 * s.g_fScaleX - 1.2f * w, 210 * s.g_fScaleY);
            s.FlgIsMe = false;
            break;
    }
    table.Number.move(clock.left() + 48 * s.g_fScaleX, clock.top() + 5 * s.g_fScaleY);
}

}  // namespace

void HandleTurn(client::Client& c, state::Frame& message) {
    auto& s = c.s;
    auto& table = *c.MainForm;
    ++s.g_nPlayCount;
    cards::RaiseMarkedAces(c);
    for (int k = 0; k < 4; ++k) table.Speak[k].setVisible(false);
    s.g_bCanPlay = false;

    const std::uint8_t turnKind = ReadByte(message, TurnKindByte);
    const std::uint8_t cardCount = ReadByte(message, CardCountByte);
    if (TurnEndsTrick(turnKind)) ClearTrick(c);
    const int actor = SeatOfFlag(c, ReadByte(message, ActorByte));

    if (actor != LocalSeat && IsBomb(ReadByte(message, PatternByte))) {
        ShowBubble(c, actor, BombBubble[std::size_t(actor)]);
        connection::DelayMs(c.sys.scheduler, BombPauseMs);
    }

    if (cardCount == 0) {
        if (s.g_nPlayCount == 1) {
            ShowMultiplier(c, message);
        } else if (actor != LocalSeat) {
            ShowBubble(c, actor, PassBubble[std::size_t(actor)]);
        }
        TakePassedCardsAway(c, actor);
    }

    s.g_bAutoLead = false;
    const std::uint8_t nextSeat = ReadByte(message, NextSeatByte);
    if (nextSeat == s.custom[0].seat) {
        OpenLocalTurn(c, turnKind);
    } else {
        s.FlgIsMe = false;
    }
    s.g_bTurnToAct = false;
    MoveTurnClock(c, SeatOfFlag(c, nextSeat));

    if (cardCount > 0) cards::ShowOtherPlayerCards(c, message);

    const std::uint8_t seconds = ReadByte(message, SecondsByte);
    connection::StartTurnClock(c, seconds < 2 ? DefaultTurnSeconds : std::int16_t(seconds));
    if (TurnEndsTrick(turnKind)) s.former.formerType = cards::PatternType::PatternInvalid;
}

}  // namespace dispatch
