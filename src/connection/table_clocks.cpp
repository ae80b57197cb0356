#include "connection/table_clocks.h"

#include "cards/display/hint_display.h"
#include "cards/display/local_hand.h"
#include "cards/display/pass_turn.h"
#include "cards/display/play_selected_cards.h"
#include "cards/play_cards_frame.h"
#include "client/client.h"
#include "client/main_form.h"
#include "connection/resource_pictures.h"
#include "connection/send_queue.h"
#include "platform/runtime/conversions.h"
#include "platform/runtime/scheduler.h"
#include "sound/sound_playback.h"
#include "state/message_types.h"
#include "table/boss_key.h"
#include "table/table_layout.h"
#include "table/web_panes.h"

namespace connection {

namespace {

constexpr std::int16_t kTicksPerSecond = 20;
constexpr platform::Millis kSecond = 1000;
// The last seconds are red, and for the declaration and the turn they sound the warning.
constexpr std::int16_t kWarningBelow = 6;
constexpr forms::OleColor kRed = 255;
constexpr forms::OleColor kGreen = 65280;
// The declaration button index that means "none".
constexpr std::int16_t kNoDefaultBid = 4;
constexpr int kDeclarationButtons = 4;
constexpr int kPlayButtons = 3;
constexpr std::uint8_t SeatActionReady = 1;
// The ready button, its pressed picture, and the seat-change caption's period.
constexpr int kReadyButton = 2;
constexpr std::size_t kReadyPressedPicture = 6;
constexpr int kShuffleIntervalMs = 300;

enum class Warning { Sound, Silent };

// Counts the shared countdown down by one second and shows it.
void ShowNextSecond(Client& c, Warning warning) {
    state::SharedState& s = c.s;
    MainForm& form = *c.MainForm;
    --s.g_nCountdown;
    form.Number.setCaption(QString::number(s.g_nCountdown));
    if (s.g_nCountdown >= kWarningBelow) {
        form.Number.setForeColor(kGreen);
        return;
    }
    if (warning == Warning::Sound && c.soundState.g_bSoundOn) {
        sound::PlaySoundFile(c.sound, c.soundState.g_aSoundFile[sound::SoundTurnWarning], false);
        sound::SetSoundVolume(c.sound, 3000);
    }
    form.Number.setForeColor(kRed);
}

// A real-time clock steps once a second of monotonic time has passed since its last step; one
// that never stepped steps at once.
bool SecondPassed(Client& c, std::optional<platform::Millis>& lastStep) {
    const platform::Millis now = c.sys.scheduler.now();
    if (lastStep && now - *lastStep < kSecond) return false;
    lastStep = now;
    return true;
}

// The real-time channels only cycle their counters.
void CycleCounter(Client& c, state::Channel k) {
    auto& ticks = c.s.channels.g_aCheckTicks[k];
    if (ticks >= kTicksPerSecond) ticks = 0;
}

void QueuePass(Client& c) {
    state::Frame frame = cards::BuildPassFrame(c.s.custom[0].seat);
    QueueOutgoingMessage(c.s, frame);
}

// The time-out of a turn the player had to play against: with the boss key on, the hint plays
// for the player, and passes when it finds nothing.
void AutoPlayAgainst(Client& c) {
    state::SharedState& s = c.s;
    MainForm& form = *c.MainForm;
    const std::int16_t formerType = std::int16_t(s.former.formerType);
    if (s.hint.g_nHintType == formerType) {
        cards::PromptBeat(c, formerType, s.former.formerNum, s.former.g_aFormerCards);
    } else {
        cards::PromptBeat(c, s.hint.g_nHintType, s.hint.g_nHintLen, s.former.g_aFormerCards);
    }
    if (s.hint.g_bHintFound) {
        s.hint.g_bHintPlayed = true;
        cards::PlaySelectedCards(c);
        return;
    }
    s.g_bPassed = true;
    sound::PlayEffectSound(c.sound, QStringLiteral("\\..\\common\\pk\\sys080.wav"));
    QueuePass(c);
    s.g_bCanPlay = false;
    for (int i = 0; i < kPlayButtons; ++i) {
        form.Operation[i].setVisible(false);
        form.Operation[i].setEnabled(false);
    }
    s.NumSumClickUp = 0;
}

void ActForPlayer(Client& c) {
    state::SharedState& s = c.s;
    if (!s.g_bAutoPlay) {
        s.g_nTimeoutCount = platform::checkedInteger(std::int64_t{s.g_nTimeoutCount} + 1);
        // The boss key sets g_bAutoPlay: this very time-out already plays for the player.
        if (s.g_nTimeoutLimit > 0 && s.g_nTimeoutCount >= s.g_nTimeoutLimit) {
            table::PressBossKey(c);
        }
    }
    cards::LowerRaisedCards(c);
    if (s.g_bAutoLead) {
        cards::PromptLead(c);
        cards::PlaySelectedCards(c);
        s.NumSumClickUp = 0;
    } else if (s.g_bAutoPlay) {
        AutoPlayAgainst(c);
    } else {
        QueuePass(c);
    }
}

void TurnTimedOut(Client& c) {
    state::SharedState& s = c.s;
    MainForm& form = *c.MainForm;
    for (int i = 0; i < kPlayButtons; ++i) form.Operation[i].setVisible(false);
    if (s.g_bTurnToAct) ActForPlayer(c);
    s.g_bTurnOpen = false;
    cards::HideClock(form);
    s.g_nCountdown = s.g_nTurnSeconds;
    s.channels.check[state::ChannelTurnClock] = false;
}

}  // namespace

state::Frame BuildReadyFrame(const state::SharedState& s) {
    state::Frame frame{};
    frame[state::FrameTypeByte] = state::MsgSeatAction;
    frame[state::FrameSeatByte] = s.custom[0].seat;
    frame[state::FrameSubCodeByte] = SeatActionReady;
    return frame;
}

void ShowSeatChange(Client& c) {
    state::SharedState& s = c.s;
    MainForm& form = *c.MainForm;
    form.ImgShuffle.setVisible(true);
    form.ImgShuffle.zOrder(0);
    form.LblShuffle.setVisible(true);
    form.LblShuffle.zOrder(0);
    form.TimerShuffle.setInterval(kShuffleIntervalMs);
    form.TimerShuffle.setEnabled(true);
    form.LblShuffle.setCaption(s.g_aShuffleText[0]);
    table::ShowSeatChangePane(c);
    s.g_bShuffling = true;
    s.g_nShuffleIndex = 0;
    s.g_bShuffleArmed = false;
}

namespace {

void MakeReady(Client& c) {
    state::SharedState& s = c.s;
    MainForm& form = *c.MainForm;
    cards::HideClock(form);
    if (!s.Inited) {
        ShowResourcePicture(c, IntegerArg(c.ids.g_aIdAnNiu[kReadyPressedPicture]).toInteger(),
                            form.AnNiu[kReadyButton]);
        s.g_aAnNiuState[kReadyButton] = true;
        table::ResetTableForNewHand(c);
        table::ResetPlayersForNewHand(c);
        s.Inited = true;
    }
    state::Frame ready = BuildReadyFrame(s);
    QueueOutgoingMessage(s, ready);
    if (s.g_bShuffleArmed && s.g_bRandomSeats) ShowSeatChange(c);
    s.channels.check[state::ChannelReadyClock] = false;
}

}  // namespace

void StepBidCountdown(Client& c) {
    state::SharedState& s = c.s;
    if (s.g_bBidClock && s.g_nBidTicks >= kTicksPerSecond && s.g_bLoggedIn) {
        MainForm& form = *c.MainForm;
        if (s.g_nCountdown < 1) {
            for (int k = 0; k < kDeclarationButtons; ++k) {
                form.btnJiaofen[k].setVisible(false);
                form.btnJiaofen[k].setEnabled(false);
            }
            cards::HideClock(form);
            s.g_bBidClock = false;
            if (s.g_nDefaultBid < kNoDefaultBid) {
                form.btnJiaofen_Click(s.g_nDefaultBid);
                s.g_nDefaultBid = kNoDefaultBid;
            }
        } else {
            ShowNextSecond(c, Warning::Sound);
        }
        s.g_nBidTicks = 0;
    }
    // Keeps the count bounded while the countdown is off or the player is not logged in.
    if (s.g_nBidTicks > kTicksPerSecond) s.g_nBidTicks = 0;
}

void StepTurnClock(Client& c) {
    state::SharedState& s = c.s;
    if (s.g_bLoggedIn && s.channels.check[state::ChannelTurnClock] &&
        SecondPassed(c, c.MainForm->m_vTurnStepTime)) {
        if (s.g_nCountdown > 0) {
            ShowNextSecond(c, Warning::Sound);
        } else {
            TurnTimedOut(c);
        }
        s.channels.g_aCheckTicks[state::ChannelTurnClock] = 0;
    }
    CycleCounter(c, state::ChannelTurnClock);
}

void StepReadyClock(Client& c) {
    state::SharedState& s = c.s;
    if (s.g_bLoggedIn && s.channels.check[state::ChannelReadyClock] &&
        SecondPassed(c, c.MainForm->m_fReadyStepTime)) {
        if (s.g_nCountdown > 0) {
            ShowNextSecond(c, Warning::Silent);
        } else {
            MakeReady(c);
        }
        s.channels.g_aCheckTicks[state::ChannelReadyClock] = 0;
    }
    CycleCounter(c, state::ChannelReadyClock);
}

namespace {

void ShowClock(MainForm& form, std::int16_t seconds, forms::OleColor colour) {
    form.Number.setCaption(QString::number(seconds));
    form.Number.setForeColor(colour);
    form.Number.setVisible(true);
    form.Time_Img.setVisible(true);
    form.Time_Img.zOrder(0);
    form.Number.zOrder(0);
}

}  // namespace

void StartTurnClock(Client& c, std::int16_t seconds) {
    state::SharedState& s = c.s;
    s.channels.arm(state::ChannelTurnClock);
    s.g_nCountdown = s.g_bBossKey ? std::int16_t(1) : seconds;
    ShowClock(*c.MainForm, s.g_nCountdown, kGreen);
}

void StartNextHandClock(Client& c, std::int16_t seconds) {
    state::SharedState& s = c.s;
    MainForm& form = *c.MainForm;
    s.channels.arm(state::ChannelReadyClock);
    s.g_nCountdown = s.g_bBossKey ? std::int16_t(1) : seconds;
    ShowClock(form, s.g_nCountdown, forms::kBlack);
    form.imgfanshu.setVisible(false);
    form.lblfanshu.setVisible(false);
}

}  // namespace connection
