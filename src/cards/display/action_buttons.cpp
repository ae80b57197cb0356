// The action buttons under the hand: play, hint, pass, hand order, previous trick, reselect.
#include "cards/display/hand_sorting.h"
#include "cards/display/hint_display.h"
#include "cards/display/local_hand.h"
#include "cards/display/pass_turn.h"
#include "cards/display/play_selected_cards.h"
#include "cards/display/trick_cards.h"
#include "cards/play_cards_frame.h"
#include "client/client.h"
#include "client/main_form.h"
#include "connection/send_queue.h"
#include "sound/sound_playback.h"

namespace cards {

namespace {

enum OperationButton : int {
    OperationPlay = 0,
    OperationHint = 1,
    OperationPass = 2,
    OperationOrder = 3,
    OperationPrevTrick = 4,
    OperationReselect = 5,
};

void StopTurnClock(client::Client& c) {
    c.s.channels.check[state::ChannelTurnClock] = false;
    HideClock(*c.MainForm);
}

void Pass(client::Client& c) {
    state::SharedState& s = c.s;
    client::MainForm& form = *c.MainForm;
    s.g_bPassed = true;
    sound::PlayEffectSound(c.sound, QStringLiteral("\\..\\common\\pk\\sys080.wav"));
    state::Frame frame = BuildPassFrame(s.custom[0].seat);
    if (s.g_bTurnOpen) connection::QueueOutgoingMessage(s, frame);
    StopTurnClock(c);
    s.g_bCanPlay = false;
    s.NumSumClickUp = 0;
    for (int i = OperationPlay; i <= OperationPass; ++i) form.Operation[i].setVisible(false);
    LowerRaisedCards(c);
    RestPlayButtons(c);
}

// Returns whether the hint found cards; when it did not, the caller passes.
bool Hint(client::Client& c) {
    state::SharedState& s = c.s;
    sound::PlayEffectSound(c.sound, QStringLiteral("\\..\\common\\pk\\sys110.wav"));
    LowerRaisedCards(c);
    s.NumSumClickUp = 0;
    const std::int16_t formerType = std::int16_t(s.former.formerType);
    if (formerType == 0) {
        PromptLead(c);
        s.NumSumClickUp = 0;
        return true;
    }
    // A search that has moved on to another kind (the bombs) goes on there.
    if (s.hint.g_nHintType == formerType) {
        PromptBeat(c, formerType, s.former.formerNum, s.former.g_aFormerCards);
        s.NumSumClickUp = s.former.formerNum;
    } else {
        PromptBeat(c, s.hint.g_nHintType, s.hint.g_nHintLen, s.former.g_aFormerCards);
        s.NumSumClickUp = s.hint.g_nHintLen;
    }
    if (!s.hint.g_bHintFound) return false;
    s.hint.g_bHintPlayed = true;
    return true;
}

void SwitchHandOrder(client::Client& c) {
    state::SharedState& s = c.s;
    s.g_bSortByGroup = !s.g_bSortByGroup;
    if (s.g_bSortByGroup) {
        SortHandByGroup(c, 0, s.custom[0].count, 0, 0);
    } else {
        SortHandByRank(c, 0, s.custom[0].count, 0, 0);
    }
}

void ShowPreviousTrick(client::Client& c) {
    state::SharedState& s = c.s;
    client::MainForm& form = *c.MainForm;
    s.g_bPrevTrickReady = false;
    HideTrick(form, s.g_aTrickCards);
    ShowTrick(form, s.g_aPrevTrickCards);
    form.Timerformer.setEnabled(true);
}

}  // namespace

}  // namespace cards

namespace client {
using namespace cards;

void MainForm::Operation_Click(int Index) {
    state::SharedState& s = c.s;
    if (!s.g_bLoggedIn) return;
    if (Index == OperationPass) {
        s.g_nCountdown = s.g_nTurnSeconds;
        StopTurnClock(c);
    }
    // The illegal-play notice closes here once the play brings it.
    if (Index >= OperationPlay && Index <= OperationPass) {
        if (!s.g_bTurnOpen) return;
        s.g_nTimeoutCount = 0;
    }
    switch (Index) {
        case OperationPlay:
            PlaySelectedCards(c);
            break;
        case OperationHint:
            // Nothing that beats the play: the hint passes.
            if (!Hint(c)) Operation_Click(OperationPass);
            break;
        case OperationPass:
            Pass(c);
            break;
        case OperationOrder:
            if (s.g_bGameRunning) SwitchHandOrder(c);
            break;
        case OperationPrevTrick:
            if (s.g_bGameRunning && s.g_bPrevTrickReady) ShowPreviousTrick(c);
            break;
        case OperationReselect:
            LowerRaisedCards(c);
            s.NumSumClickUp = 0;
            break;
        default:
            break;
    }
}

}  // namespace client
