// The table tick: the 50 ms heartbeat that pumps frames and runs the table's clocks.
#include "client/client.h"
#include "client/main_form.h"
#include "connection/hall_link.h"
#include "connection/leaving.h"
#include "connection/reconnection.h"
#include "connection/resource_pictures.h"
#include "connection/send_queue.h"
#include "connection/table_clocks.h"
#include "dispatch/process_server_message.h"
#include "dispatch/server_message_types.h"
#include "platform/runtime/conversions.h"
#include "props/props.h"
#include "state/message_types.h"
#include "table/table_layout.h"

namespace connection {

namespace {

using platform::SocketState;
using state::Channel;
using state::Frame;
using state::FrameFields;

// Ticks a channel's counter must reach before its step runs.
constexpr std::int16_t kSendTicks = 1;
constexpr std::int16_t kReceiveTicks = 2;
constexpr std::int16_t kLoginTicks = 4;
constexpr std::int16_t kChatFlashTicks = 8;
constexpr std::int16_t kDisconnectTicks = 2;
constexpr std::int16_t kBubbleTicks = 20;
// Channel 4 is never armed; its counter only cycles.
constexpr std::int16_t kUnusedCycle = 20;

// The longest wait of the login step for the socket to come up.
constexpr platform::Millis kLoginWaitMs = 30000;
// 500 seconds of receive steps without a frame while a game runs.
constexpr std::int32_t kIdleRoundsLimit = 5000;

// Props frames that the end of a hand parks instead of sending; the kind is bytes 8..9
// (big-endian) divided by 8.
constexpr std::uint16_t HeldPropKindA = 129;
constexpr std::uint16_t HeldPropKindB = 386;
constexpr std::size_t kPropKindByte = 8;

bool Connected(MainForm& form) {
    return form.Winsock1.state() == SocketState::Connected;
}

void PutToolbarPicture(Client& c, MainForm& form, int button, int entry) {
    ShowResourcePicture(c, IntegerArg(c.ids.g_aIdAnNiu[entry]).toInteger(), form.AnNiu[button]);
}

// The frame just sent was a leave: the table goes down and the hall comes back.
void AfterLeaveFrame(Client& c, MainForm& form) {
    c.s.g_nHallWnd = FindHallWindow(c);
    if (!c.s.g_nHallWnd) platform::endProgram();
    form.setWindowState(forms::WindowState::Minimized);
    RestoreHall(c);
}

void SendPump(Client& c, MainForm& form) {
    state::SharedState& s = c.s;
    auto& ticks = s.channels.g_aCheckTicks[state::ChannelSend];
    if (ticks < kSendTicks) return;
    if (s.channels.check[state::ChannelSend]) {
        if (!s.g_aSendRing.holdsFrame()) {
            s.channels.check[state::ChannelSend] = false;
        } else if (Connected(form) && s.g_bLoginSentOnConnection) {
            // Nothing queued may go out before the login frame on this connection.
            Frame buffer{};
            TakeFrame(s.g_aSendRing, buffer);
            const bool propAction = buffer[state::FrameTypeByte] == state::MsgPropAction;
            const std::uint16_t kind = FrameFields::u16be(buffer, kPropKindByte) / 8;
            if (propAction && s.g_bHoldPropFrameA && kind == HeldPropKindA) {
                s.g_bHoldPropFrameA = false;
                s.g_aHeldPropFrameA = buffer;
            } else if (propAction && s.g_bHoldPropFrameB && kind == HeldPropKindB) {
                s.g_bHoldPropFrameB = false;
                s.g_aHeldPropFrameB = buffer;
            } else {
                form.Winsock1.sendData(buffer);
                if (buffer[state::FrameTypeByte] == state::MsgSeatAction &&
                    buffer[state::FrameSubCodeByte] == 0) {
                    AfterLeaveFrame(c, form);
                }
            }
        }
    }
    ticks = 0;
}

void IdleWatchdog(Client& c, MainForm& form) {
    state::SharedState& s = c.s;
    if (!s.g_bGameRunning) return;
    ++s.g_nIdleRounds;
    if (s.g_nIdleRounds < kIdleRoundsLimit) return;
    s.g_nHallWnd = FindHallWindow(c);
    if (!s.g_nHallWnd) platform::endProgram();
    form.Sysmsg[0].clear();
    form.Sysmsg[0].addItem(QStringLiteral("已经与服务器断开连接，请重新入座！"));
    form.setWindowState(forms::WindowState::Minimized);
    RestoreHall(c);
    s.Inited = false;
    ResetTableState(c);
    table::ResetPlayersOnLeave(c);
    table::ResetTableForNewHand(c);
    s.g_nIdleRounds = 0;
}

void ReceivePump(Client& c, MainForm& form) {
    state::SharedState& s = c.s;
    auto& ticks = s.channels.g_aCheckTicks[state::ChannelReceive];
    if (ticks < kReceiveTicks) return;
    if (!s.channels.check[state::ChannelReceive]) {
        ticks = 0;
        return;
    }
    IdleWatchdog(c, form);
    state::ByteRing& ring = s.g_aRecvRing;
    if (ring.holdsFrame()) {
        const std::int32_t frameStart = ring.read;
        TakeFrame(ring, s.g_aCurFrame);
        if (s.g_aCurFrame[state::FrameTypeByte] == dispatch::MsgPlayerLeft && s.g_bResultShown) {
            // Held while the settlement shows, and everything behind it with it.
            ring.read = frameStart;
        } else {
            dispatch::ProcessServerMessage(c, s.g_aCurFrame);
        }
        if (s.g_bGameRunning) s.g_nIdleRounds = 0;
    }
    s.channels.g_aCheckTicks[state::ChannelReceive] = ring.holdsFrame() ? 1 : 0;
}

void LoginStep(Client& c, MainForm& form) {
    state::SharedState& s = c.s;
    auto& ticks = s.channels.g_aCheckTicks[state::ChannelLogin];
    if (ticks < kLoginTicks) return;
    if (s.channels.check[state::ChannelLogin]) {
        PostToHall(c, HallMsgRelink);
        const bool up = c.sys.scheduler.waitUntil([&] { return Connected(form); }, kLoginWaitMs);
        if (!s.channels.check[state::ChannelLogin]) {
            // Left or handed to the proxy while waiting: nothing more to do here.
        } else if (!up) {
            // The server never answered: the disconnect test takes the dead link from here.
            form.Winsock1.close();
            s.channels.disarm(state::ChannelLogin);
            s.channels.arm(state::ChannelDisconnect);
        } else {
            s.g_bConnected = true;
            PostToHall(c, HallMsgClose);
            form.Winsock1.sendData(s.loginFrameToSend());
            s.g_bLoginSentOnConnection = true;
            s.channels.arm(state::ChannelDisconnect);
            s.channels.disarm(state::ChannelLogin);
            if (s.g_nPropState > 0 && c.g_oPropDll) c.g_oPropDll->rec_state(3, true);
        }
    }
    s.channels.g_aCheckTicks[state::ChannelLogin] = 0;
}

void ChatFlashStep(Client& c, MainForm& form) {
    state::SharedState& s = c.s;
    auto& ticks = s.channels.g_aCheckTicks[state::ChannelChatFlash];
    if (ticks < kChatFlashTicks) return;
    if (s.channels.check[state::ChannelChatFlash]) {
        if (s.g_nChatFlashCount < 1) {
            PutToolbarPicture(c, form, 1, 2);
            s.channels.disarm(state::ChannelChatFlash);
        } else {
            PutToolbarPicture(c, form, 1, s.g_nChatFlashCount % 2 != 0 ? 2 : 3);
            --s.g_nChatFlashCount;
        }
    }
    s.channels.g_aCheckTicks[state::ChannelChatFlash] = 0;
}

void DisconnectTest(Client& c, MainForm& form) {
    state::SharedState& s = c.s;
    auto& ticks = s.channels.g_aCheckTicks[state::ChannelDisconnect];
    if (ticks < kDisconnectTicks) return;
    if (s.channels.check[state::ChannelDisconnect] && !Connected(form)) {
        if (s.g_nPropState > 0 && c.g_oPropDll) c.g_oPropDll->rec_state(3, false);
        s.g_nHallWnd = FindHallWindow(c);
        if (!s.g_nHallWnd) platform::endProgram();
        if (s.g_bAutoReconnect) {
            s.g_bLoggedIn = false;
            s.channels.disarm(state::ChannelDisconnect);
            StartReconnection(c);
        }
    }
    s.channels.g_aCheckTicks[state::ChannelDisconnect] = 0;
}

void BubbleTimeout(Client& c, MainForm& form) {
    state::SharedState& s = c.s;
    auto& ticks = s.channels.g_aCheckTicks[state::ChannelBubble];
    if (ticks < kBubbleTicks) return;
    if (s.channels.check[state::ChannelBubble]) {
        if (s.g_nSpeakSeat >= 0 && s.g_nSpeakSeat <= 3)
            form.Speak[s.g_nSpeakSeat].setVisible(false);
        form.Words.setVisible(false);
    }
    s.channels.g_aCheckTicks[state::ChannelBubble] = 0;
}

void CountTick(state::SharedState& s) {
    auto& ticks = s.channels.g_aCheckTicks;
    for (int k = state::ChannelSend; k <= state::ChannelReadyClock; ++k) ++ticks[k];
    if (ticks[state::ChannelUnused4] >= kUnusedCycle) ticks[state::ChannelUnused4] = 0;
    ++s.g_nBidTicks;
}

// Starts the tick's timer again however the tick ends: a step that stops it (leaving the
// table, the table closing) or fails must not stop the ticking.
class TickRestart {
  public:
    explicit TickRestart(forms::Timer& timer) : timer_(timer) {}
    ~TickRestart() { timer_.setEnabled(true); }
    TickRestart(const TickRestart&) = delete;
    TickRestart& operator=(const TickRestart&) = delete;

  private:
    forms::Timer& timer_;
};

}  // namespace

}  // namespace connection

namespace client {
using namespace connection;

void MainForm::TimerBong_Timer() {
    TimerBong.setEnabled(false);
    TickRestart restart(TimerBong);
    CountTick(c.s);
    ++c.s.channels.g_aCheckTicks[state::ChannelBubble];
    SendPump(c, *this);
    ReceivePump(c, *this);
    LoginStep(c, *this);
    ChatFlashStep(c, *this);
    StepBidCountdown(c);
    StepTurnClock(c);
    StepReadyClock(c);
    DisconnectTest(c, *this);
    BubbleTimeout(c, *this);
    if (!props::PropsPolling(c)) return;
    props::ChestCountdown(c);
}

}  // namespace client
