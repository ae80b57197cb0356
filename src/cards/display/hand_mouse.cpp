// The mouse on the local hand and on the table behind it: the hover float, selecting and
// putting back cards with a click, and the right click that plays the raised cards.
#include "cards/display/card_picture_display.h"
#include "cards/display/hand_card_image.h"
#include "cards/display/local_hand.h"
#include "cards/display/play_selected_cards.h"
#include "cards/display/smart_selection_display.h"
#include "client/client.h"
#include "client/main_form.h"
#include "platform/forms/input.h"
#include "platform/runtime/conversions.h"
#include "sound/sound_playback.h"

namespace cards {

namespace {

// A floating card stands this many pixels above the rest line.
constexpr float kFloatLift = 5;
// Within this many pixels of the floating card's left edge the float does not move to the
// card underneath it.
constexpr float kOverlapHysteresis = 3;
// The lowest pixels of a card start no float.
constexpr float kBottomBand = 6;
// Pointer coordinates arrive in twips.
constexpr float kTwipsPerPixel = 15;
// The cursor a floating card shows: the control's own.
constexpr int kCustomPointer = 99;

void MoveTop(forms::Image& card, float top) {
    card.move(card.left(), top);
}

std::int16_t Increment(std::int16_t value, int by) {
    return platform::checkedInteger(std::int64_t{value} + by);
}

// The slot of the local hand whose image is `image`; `held` when none is.
std::size_t SlotOfImage(const state::SeatRecord& hand, std::size_t held, std::int16_t image) {
    for (std::size_t k = 0; k < held; ++k) {
        if (hand.slots[k].image == image) return k;
    }
    return held;
}

// Puts the floating card back on the rest line when it still floats.
void PutFloatDown(client::Client& c) {
    state::SharedState& s = c.s;
    if (s.RecordUpNumber < 0) return;
    forms::Image& floating = c.MainForm->cardImage0[s.RecordUpNumber];
    if (floating.top() != s.g_nFloatBaseTop - kFloatLift) return;
    MoveTop(floating, s.g_nFloatBaseTop);
    s.RecordUpNumber = -1;
}

bool MayPlay(const state::SharedState& s) {
    return s.g_bCanPlay && s.g_bTurnOpen;
}

}  // namespace

}  // namespace cards

namespace client {
using namespace cards;

void MainForm::cardImage0_MouseMove(int Index, int Button, int Shift, float X, float Y) {
    (void)Button;
    (void)Shift;
    state::SharedState& s = c.s;
    const float floatTop = s.g_nFloatBaseTop - kFloatLift;
    // The turn has come: a float left over from before goes down.
    if (s.FlgIsMe) PutFloatDown(c);

    const state::SeatRecord& hand = s.custom[0];
    const std::size_t held = HeldSlots(hand);
    bool anySelected = false;
    for (std::size_t k = 0; k < held; ++k) {
        if (cardImage0[hand.slots[k].image].top() < floatTop) anySelected = true;
    }
    if (!anySelected) s.NumSumClickUp = 0;

    forms::Image& card = cardImage0[Index];
    if (card.top() != s.g_nFloatBaseTop || s.NumSumClickUp != 0 || s.FlgIsMe) return;

    const std::size_t k = s.RecordUpNumber == -1 ? 0 : SlotOfImage(hand, held, s.RecordUpNumber);
    if (s.RecordUpNumber >= 0 && k < held && k >= 1 && hand.slots[k - 1].image == Index) {
        const float d =
            cardImage0[hand.slots[k].image].left() - cardImage0[hand.slots[k - 1].image].left();
        if ((d - kOverlapHysteresis) * kTwipsPerPixel < X &&
            X < (d + kOverlapHysteresis) * kTwipsPerPixel) {
            return;
        }
    }
    if (k >= held) return;
    const float height = cardImage0[hand.slots[k].image].height();
    if (Y > (height - kBottomBand) * kTwipsPerPixel) return;
    if (s.NumberClick == Index) return;
    s.NumberClick = -1;
    if (card.mousePointer() != kCustomPointer) card.setMousePointer(kCustomPointer);
    PutFloatDown(c);
    MoveTop(card, floatTop);
    s.RecordUpNumber = std::int16_t(Index);
}

void MainForm::cardImage0_MouseDown(int Index, int Button, int Shift, float X, float Y) {
    (void)Shift;
    (void)X;
    (void)Y;
    state::SharedState& s = c.s;
    if (Button == forms::kRightButton) {
        if (MayPlay(s) && s.g_bLoggedIn) {
            s.g_nTimeoutCount = 0;
            PlaySelectedCards(c);
        }
        return;
    }
    if (Button != forms::kLeftButton || !IsHandCardImage(s, std::int16_t(Index))) return;

    forms::Image& card = cardImage0[Index];
    if (card.top() < s.g_nCardBaseTop - kFloatLift) {
        MoveTop(card, s.g_nCardBaseTop);
        s.NumberClick = std::int16_t(Index);
        s.NumSumClickUp = Increment(s.NumSumClickUp, -1);
        sound::PlayEffectSound(c.sound, QStringLiteral("\\..\\common\\pk\\sys030.wav"));
        return;
    }
    MoveTop(card, SelectedTop(s, card));
    s.NumSumClickUp = Increment(s.NumSumClickUp, 1);
    sound::PlayEffectSound(c.sound, QStringLiteral("\\..\\common\\pk\\sys020.wav"));
    if (MayPlay(s) && s.former.formerType >= PatternType::PatternSingle) {
        s.clickCardNum = std::int16_t(SlotsAboveRest(c).count());
        if (s.clickCardNum == 1) AgileClickCard(c);
    }
}

void MainForm::Pic1_MouseDown(int Button, int Shift, float X, float Y) {
    (void)Shift;
    (void)X;
    (void)Y;
    // The quick-phrase and chat history windows, and afterwards the score sheet and the
    // history, close here once the chat and the settlement bring them.
    state::SharedState& s = c.s;
    if (Button == forms::kRightButton && MayPlay(s)) {
        if (!s.g_bLoggedIn) return;
        s.g_nTimeoutCount = 0;
        PlaySelectedCards(c);
    }
}

void MainForm::Pic2_MouseDown(int Button, int Shift, float X, float Y) {
    (void)Shift;
    (void)X;
    (void)Y;
    if (Button == forms::kRightButton && MayPlay(c.s)) PlaySelectedCards(c);
}

}  // namespace client
