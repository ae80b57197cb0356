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
#include "settlement/show_settlement.h"
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

enum PropWorkType : std::int32_t {
    PropWorkChatLine = 0,
    PropWorkText = 1,
    PropWorkFrame = 2,
    PropWorkSeatClick = 3,
    PropWorkKey = 4,
    PropWorkSeatCard = 5,
};

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

void RunPropWorkItem(Client& c, MainForm& form) {
    props::PropWorkItem& work = c.propWork;
    switch (work.g_nPropWorkType) {
        case PropWorkChatLine:
            if (!work.g_sPropText.isEmpty()) {
                props::AddPropChatLine(c, work.g_sPropText);
                work.g_sPropText.clear();
            }
            break;
        case PropWorkText:
            if (!work.g_sPropText.isEmpty() && work.g_aPropRect.size() == 4) {
                props::ShowPropText(c, work.g_sPropText, work.g_aPropRect, work.g_aPropStyle);
                work.g_sPropText.clear();
                work.g_aPropRect.clear();
                work.g_aPropStyle.clear();
            }
            break;
        case PropWorkFrame:
            if (work.g_aPropBytes.size() == state::FrameSize) {
                Frame frame{};
                std::copy(work.g_aPropBytes.begin(), work.g_aPropBytes.end(), frame.begin());
                QueueOutgoingMessage(c.s, frame);
            }
            break;
        case PropWorkSeatClick: {
            const std::int16_t k = platform::textToInteger(work.g_sPropText);
            if (k >= 1 && k <= 3) form.Tou_Click(k);
            break;
        }
        case PropWorkKey: {
            int keyCode = platform::textToInteger(work.g_sPropText);
            form.Pic1_KeyDown(keyCode, 0);
            break;
        }
        case PropWorkSeatCard: {
            const std::int16_t k = platform::textToInteger(work.g_sPropText);
            if (k >= 0 && k <= 3) form.Tou_MouseMove(k, 0, 0, 0, 0);
            break;
        }
        default:
            break;
    }
}

void ShowHeldSettlementAndGoOn(Client& c) {
    settlement::ShowSettlement(c, c.s.g_aHeldResultFrame);
    if (c.s.g_nPropState > 0 && c.g_oPropDll) c.g_oPropDll->InitShowNext(false);
}

// Returns false when the tick ends here.
bool PropsPolling(Client& c, MainForm& form) {
    state::SharedState& s = c.s;
    if (!s.g_bPropRunning) return true;
    if (s.g_nPropState > 0 && c.g_oPropDll) {
        const std::int32_t waiting = c.g_oPropDll->CheckSendBuff();
        for (std::int32_t i = 0; i < waiting; ++i) {
            c.propWork.g_nPropWorkType = -1;
            // An earlier item can have unloaded the plug-in (by leaving the table, say).
            if (s.g_nPropState < 1 || !c.g_oPropDll) return false;
            c.g_oPropDll->GetSendBuff(c.propWork);
            RunPropWorkItem(c, form);
        }
    }
    if (!s.g_bScorePending) return true;
    if (s.g_nPropState < 1) {
        s.g_bScorePending = false;
        settlement::ShowSettlement(c, s.g_aHeldResultFrame);
        return false;
    }
    if (s.g_bPropScorePending) {
        if (!c.g_oPropDll || c.g_oPropDll->GetScoreInfo() != 1) return true;
        s.g_bPropScorePending = false;
        s.g_bScorePending = false;
        s.g_bBaoPicked = false;
        if (s.g_nPropState == 2) {
            props::PlayBaoXiang(c);
        } else {
            ShowHeldSettlementAndGoOn(c);
        }
        return true;
    }
    s.g_bScorePending = false;
    ShowHeldSettlementAndGoOn(c);
    return true;
}

void ChestCountdown(Client& c, MainForm& form) {
    state::SharedState& s = c.s;
    if (!s.g_bBaoChoosing) return;
    if (form.imgDipai[0].visible()) {
        for (int i = 0; i < 3; ++i) form.imgDipai[i].setVisible(false);
    }
    ++s.g_nBaoTicks;
    if (s.g_nBaoTicks <= 19) return;
    s.g_nBaoTicks = 0;
    s.g_nBaoCountdown = platform::checkedInteger(std::int64_t{s.g_nBaoCountdown} - 1);
    if (s.g_bBaoPicked) {
        s.g_bBaoChoosing = false;
    } else if (!s.g_aPrizeInfo[1][0].isEmpty() || s.g_aPrizeAmount[0] > 0) {
        form.LbProp.setCaption(QStringLiteral("请选择一个宝箱打开") + u'\n' +
                               QString::number(s.g_nBaoCountdown));
        if (s.g_nBaoCountdown < 1) {
            s.g_bBaoChoosing = false;
            std::int16_t pick = platform::toInteger(double(c.random.next()) * 4);
            props::OpenBaoXiang(c, pick);
        }
    } else {
        form.LbProp.setCaption(QStringLiteral("请等待玩家打开宝箱") + u'\n' +
                               QString::number(s.g_nBaoCountdown));
        if (s.g_nBaoCountdown <= 2) {
            s.g_bBaoChoosing = false;
            std::int16_t others = -1;
            props::OpenBaoXiang(c, others);
        }
    }
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
    if (!PropsPolling(c, *this)) return;
    ChestCountdown(c, *this);
}

}  // namespace client
