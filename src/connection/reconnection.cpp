// Reconnection after a lost connection: the hidden reconnect window and its attempts.
#include "connection/reconnection.h"

#include "client/client.h"
#include "client/main_form.h"
#include "connection/dialog_look.h"
#include "connection/exit_dialogs.h"
#include "connection/hall_link.h"
#include "connection/leaving.h"
#include "connection/socks5.h"
#include "state/message_types.h"
#include "table/table_layout.h"

namespace connection {

namespace {

constexpr std::size_t TokenByte = 260;
constexpr std::size_t ThreadIndexByte = 268;

// Every whole frame received before the loss is still the server's; the start of a frame that
// the loss cut off is not, and would shift every frame of the new connection.
void DropCutOffFrame(state::ByteRing& ring) {
    const std::int32_t cutOff = ring.unread() % static_cast<std::int32_t>(state::FrameSize);
    ring.write = (ring.write + state::ByteRing::Size - cutOff) % state::ByteRing::Size;
}

}  // namespace

frmReconnect::frmReconnect(forms::Forms& forms, Client& client) : Form(forms), c(client) {
    setCaption(QStringLiteral("Form1"));
    DressDialog(*this, resources::design::kReconnectDialog);
    setScaleMode(forms::ScaleMode::Pixels);
    lbReconnect.setCaption(QStringLiteral("发现网络断开，需要重连吗？"));
    lbReconnect.move(30, 36, 220, 20);
    lbTime.setCaption(QStringLiteral("30 秒后自动重连"));
    lbTime.move(30, 64, 220, 20);
    pbReconnect.move(60, 102);
    pbCancel.move(155, 102);
    TimerReconnect.onTimer.bind(this, &frmReconnect::TimerReconnect_Timer);
    TimerCount.onTimer.bind(this, &frmReconnect::TimerCount_Timer);
}

void frmReconnect::ShowCountdown() {
    lbTime.setCaption(QString::number(c.s.ReconnectTime) + QStringLiteral(" 秒后自动重连"));
}

void frmReconnect::Form_Load() {
    MakeDialogLayered(*this);
    PutDialogButton(c, pbReconnect, c.ids.g_aIdDialog[0], 65, 30);
    PutDialogButton(c, pbCancel, c.ids.g_aIdDialog[2], 65, 30);
    c.s.ReconnectCount = 0;
    c.s.ReconnectTime = 0;
    ShowCountdown();
    TimerReconnect.setEnabled(true);
    TimerCount.setEnabled(false);
}

void frmReconnect::TimerReconnect_Timer() {
    c.s.ReconnectTime = static_cast<std::int16_t>(c.s.ReconnectTime - 1);
    ShowCountdown();
    if (c.s.ReconnectTime < 1) {
        TimerReconnect.setEnabled(false);
        c.s.ReconnectTime = 0;
        ShowCountdown();
        TimerCount.setEnabled(true);
        hide();
    }
}

void frmReconnect::TimerCount_Timer() {
    auto& table = *c.MainForm;
    if (table.Winsock1.state() == platform::SocketState::Connected) {
        // Reconnected: the login sequence and the server's answer take it from here.
        TimerCount.setEnabled(false);
        unload();
        return;
    }
    if (c.s.ReconnectCount < MaxReconnectAttempts) {
        c.s.ReconnectCount = static_cast<std::int16_t>(c.s.ReconnectCount + 1);
        reconnectSever(c, c.s.g_aLoginFrame);
        return;
    }

    // Given up: back to the hall, with the table cleared and the player told why.
    table.setWindowState(forms::WindowState::Minimized);
    RestoreHall(c);
    c.s.Inited = false;
    ResetTableState(c);
    table::ResetPlayersOnLeave(c);
    table::ResetTableForNewHand(c);
    TimerCount.setEnabled(false);
    auto& notice = *c.frmOtherExit;
    notice.Label1.setCaption(QStringLiteral("网络已断开,请退出大厅重新登陆游戏"));
    CentreOverTable(c, notice);
    notice.setTopmost(true);
    notice.show();
    // Unloaded, so that the next lost connection starts a fresh run of attempts.
    unload();
}

void StartReconnection(Client& c) {
    c.frmReconnect.get();
}

state::Frame BuildReconnectFrame(const state::Frame& loginFrame,
                                 const std::array<std::uint8_t, 2>& serverToken,
                                 std::int32_t threadIndex) {
    state::Frame frame = loginFrame;
    frame[state::FrameTypeByte] = state::MsgReconnect;
    frame[TokenByte] = serverToken[0];
    frame[TokenByte + 1] = serverToken[1];
    state::FrameFields::setU32le(frame, ThreadIndexByte, static_cast<std::uint32_t>(threadIndex));
    return frame;
}

void reconnectSever(Client& c, const state::Frame& loginFrame) {
    auto& s = c.s;
    auto& table = *c.MainForm;
    table.Sysmsg[0].clear();
    table.Sysmsg[1].clear();
    table.Sysmsg[0].addItem(QStringLiteral("正在重新连接服务器..."));
    s.g_aReconnectFrame = BuildReconnectFrame(loginFrame, s.g_aServerToken, s.threadIndex);
    s.g_bReconnectPending = true;
    s.g_bDirectData = true;
    s.g_bLoginSentOnConnection = false;
    table.Winsock1.close();
    DropCutOffFrame(s.g_aRecvRing);
    switch (s.ProxyType) {
        case 0:
            table.Winsock1.connect();
            s.channels.arm(state::ChannelLogin);
            break;
        case 5:
            s.channels.disarm(state::ChannelLogin);
            ConnectToSock5Server(c);
            break;
        default:
            break;
    }
}

}  // namespace connection
