// Leaving the table: the leave frame, the video links, and the reset of the whole table state.
#include "connection/leaving.h"

#include <filesystem>
#include <initializer_list>
#include <system_error>

#include "chat/table_hooks.h"
#include "client/client.h"
#include "client/main_form.h"
#include "connection/exit_dialogs.h"
#include "connection/hall_link.h"
#include "connection/resource_pictures.h"
#include "connection/waits.h"
#include "platform/files/windows_path.h"
#include "props/props.h"
#include "resources/file_name_matches.h"
#include "settlement/leave_reset.h"
#include "settlement/show_settlement.h"
#include "state/message_types.h"
#include "table/leave_reset.h"
#include "video/leave_table.h"

namespace connection {

namespace {

constexpr std::uint8_t SeatActionLeave = 0;
// The socket closes at once; the wait for it is only a guard.
constexpr platform::Millis SocketCloseWaitMs = 5000;

// Every channel that a table runs; 4 is never used.
void StopTableChannels(state::Channels& channels) {
    for (const state::Channel k :
         {state::ChannelSend, state::ChannelReceive, state::ChannelLogin, state::ChannelChatFlash,
          state::ChannelDisconnect, state::ChannelTurnClock, state::ChannelReadyClock,
          state::ChannelStopwatch, state::ChannelBubble}) {
        channels.check[k] = false;
    }
    channels.g_aCheckTicks[state::ChannelDisconnect] = 0;
    channels.g_aCheckTicks[state::ChannelStopwatch] = 0;
}

// The hand-history file does not survive leaving the table.
void DeleteHandHistory(Client& c) {
    const QString path = c.App_Path() + QStringLiteral("\\info.brm");
    if (!resources::FileNameMatches(path, QStringLiteral("info.brm"))) return;
    std::error_code ignored;
    std::filesystem::remove(platform::mapWindowsPath(path), ignored);
}

}  // namespace

state::Frame BuildLeaveFrame(const state::SharedState& s) {
    state::Frame frame{};
    frame[state::FrameTypeByte] = state::MsgSeatAction;
    frame[state::FrameSeatByte] = s.custom[0].seat;
    frame[state::FrameSubCodeByte] = SeatActionLeave;
    return frame;
}

void QuitTable(Client& c) {
    auto& s = c.s;
    auto& table = *c.MainForm;
    const state::Frame leave = BuildLeaveFrame(s);
    for (int k = 1; k <= 3; ++k) {
        video::TakeDownSeatVideo(c, k);
        s.custom[k].name.clear();
    }
    video::DiscardRemoteFrames(c);
    StopTableChannels(s.channels);
    table.TimerBong.setEnabled(false);
    table.TimerKeepAlive.setEnabled(false);
    // Mid-way through a proxy hand-shake the connection is not the game's yet.
    if (table.Winsock1.state() == platform::SocketState::Connected && s.g_bDirectData) {
        table.Winsock1.sendData(leave);
    }
    WaitSeconds(c.sys.scheduler, s.g_bReconnecting ? 0.8f : 0.4f);
    s.g_bAutoReconnect = false;
    table.LblShuffle.setVisible(false);
    table.ImgShuffle.setVisible(false);
    table.TimerShuffle.setEnabled(false);
    s.g_bShuffleArmed = false;
    s.g_bShuffling = false;
    s.g_bLocalVideoOk = false;
    table.WebBrowser2.setVisible(false);
}

void ResetTableState(Client& c) {
    auto& s = c.s;
    auto& table = *c.MainForm;
    s.g_bGameRunning = false;
    s.g_aAnNiuState[2] = true;
    StopTableChannels(s.channels);
    table.TimerBong.setEnabled(false);
    table.TimerKeepAlive.setEnabled(false);
    table.TimerProxy.setEnabled(false);
    table.Sysmsg[0].clear();
    table.Sysmsg[1].clear();

    table.Winsock1.close();
    s.g_bConnected = false;
    table.TimerKeepAlive.setInterval(5000);
    s.g_bResultShown = false;
    // Results of a hand cut short here never complete a hand at the next table.
    settlement::StartResultCollection(c);
    // The next stay at a table logs in afresh.
    s.g_bLoginSentOnConnection = false;
    s.g_bReconnectPending = false;
    c.sys.scheduler.waitUntil(
        [&] { return table.Winsock1.state() != platform::SocketState::Connected; },
        SocketCloseWaitMs);

    for (int i = 0; i < 4; ++i) {
        s.custom[i].name.clear();
        s.custom[i].seat = 0;
        state::ClearShownProfile(s.g_aPlayerInfo[i]);
    }
    table::ClearSeatPanelsOnLeave(c);
    settlement::ClearScoreBoardsOnLeave(c);
    s.g_bJiaofenHoverReset = true;
    DeleteHandHistory(c);
    chat::ClearChatHistory(c);
    s.Player_num = 0;
    s.g_bGameRunning = false;
    table.setWindowState(forms::WindowState::Minimized);
    s.g_nTimeoutCount = 0;
    s.g_bAutoPlay = false;
    s.g_bWord1Hover = false;
    s.g_bWord2Hover = false;
    if (s.g_nPropState > 0) {
        std::int16_t code = 0;
        props::ExitGameDll(c, code, props::HeldSettlement::Drop);
    }
    c.frmOtherExit.unload();
    c.frmExit.unload();
    s.g_nHandCount = 0;
    try {
        ShowResourcePicture(c, IntegerArg(c.ids.g_aIdAnNiu[4]).toInteger(), table.AnNiu[2]);
    } catch (const platform::RuntimeFailure&) {
        // The ready button keeps its picture.
    }
    s.g_bReadyPending = true;
    table::ClearWealthOnLeave(c);
    s.g_aSeatBeishu.fill(0);
}

void ReturnToHall(Client& c) {
    c.s.g_nHallWnd = FindHallWindow(c);
    if (!c.s.g_nHallWnd) platform::endProgram();
    c.MainForm->setWindowState(forms::WindowState::Minimized);
    RestoreHall(c);
}

}  // namespace connection
