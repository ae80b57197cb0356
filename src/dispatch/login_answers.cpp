// The server's answers to the login and reconnect frames: they turn a connection into a
// logged-in client, or end the program.
#include "client/client.h"
#include "client/main_form.h"
#include "connection/hall_link.h"
#include "dispatch/frame_reader.h"
#include "dispatch/handlers.h"
#include "dispatch/prop_plugin.h"
#include "platform/runtime/failure.h"
#include "platform/runtime/message_box.h"
#include "props/prop_dll.h"
#include "props/props.h"
#include "settlement/show_settlement.h"
#include "state/web_host.h"
#include "table/table_layout.h"

namespace dispatch {
namespace {

// MsgLoginReply.
constexpr std::size_t AutoLimitByte = 9;
constexpr std::size_t TurnSecondsByte = 11;
constexpr std::size_t LoginResultByte = 15;
constexpr std::size_t AdUrlByte = 16;
constexpr std::size_t AdUrlWidth = 100;
constexpr std::uint8_t LoginAccepted = 1;
constexpr std::uint8_t LoginStartFailed = 2;
constexpr int KeepAliveInterval = 5000;

// MsgReconnectReply.
constexpr std::size_t ReconnectResultByte = 15;
constexpr std::uint8_t Reconnected = 1;
constexpr std::int16_t PropLinkState = 3;

void WriteSystemLine(client::MainForm& form, int line, const QString& text) {
    form.Sysmsg[line].clear();
    form.Sysmsg[line].addItem(text);
}

}  // namespace

void HandleLoginReply(client::Client& c, state::Frame& message) {
    auto& form = *c.MainForm;
    form.TimerKeepAlive.setEnabled(true);
    form.TimerKeepAlive.setInterval(KeepAliveInterval);

    // A fresh start at this table: nothing of a hand at an earlier table carries over.
    c.s.g_bHoldPropFrameA = false;
    c.s.g_bHoldPropFrameB = false;
    c.s.g_aHeldPropFrameA.fill(0);
    c.s.g_aHeldPropFrameB.fill(0);
    c.s.g_bResultShown = false;
    settlement::StartResultCollection(c);
    c.s.g_bHandStarted = false;
    c.s.g_bTimeLimit = true;
    c.s.g_bBossKey = false;
    c.s.g_bConnected = false;

    const std::uint8_t loginResult = ReadByte(message, LoginResultByte);
    if (loginResult == LoginAccepted) {
        c.s.g_bLoggedIn = true;
        connection::PostToHall(c, connection::HallMsgClose);
        c.s.g_nTimeoutLimit = ReadByte(message, AutoLimitByte);
        WriteSystemLine(form, 0, QStringLiteral("连接服务器成功！"));
        WriteSystemLine(form, 1, QStringLiteral("欢迎进入") + QString::fromUtf16(state::WebHost));
        c.s.g_bAutoReconnect = true;
        table::ResetTableForNewHand(c);
        c.s.g_nTurnSeconds = ReadByte(message, TurnSecondsByte);
        const QString adUrl = OneBytePerCharText(message, AdUrlByte, AdUrlWidth);
        c.s.g_sAdBaseUrl = adUrl;
        if (!adUrl.isEmpty()) {
            form.WebBrowser1.navigate(adUrl);
            form.WebBrowser1.setVisible(true);
            c.s.g_sShuffleAdUrl = adUrl + QStringLiteral(".gamead");
        }
        return;
    }

    connection::PostToHall(c, connection::HallMsgRelink);
    WriteSystemLine(form, 0,
                    loginResult == LoginStartFailed
                        ? QStringLiteral("启动游戏失败，请重新在大厅就座后进入游戏！")
                        : QStringLiteral("验证错误，请重新在大厅就座后进入游戏！"));
    connection::RestoreHall(c);
    platform::endProgram();
}

void HandleReconnectReply(client::Client& c, state::Frame& message) {
    auto& form = *c.MainForm;
    if (ReadByte(message, ReconnectResultByte) == Reconnected) {
        c.s.g_bLoggedIn = true;
        c.s.g_bReconnecting = true;
        form.Sysmsg[1].clear();
        WriteSystemLine(form, 0, QStringLiteral("正在重连服务器，请等待...！"));
        if (c.s.g_nPropState > 0) {
            PropPlugin(c).rec_state(PropLinkState, true);
        }
        return;
    }

    if (c.s.g_nPropState > 0) {
        std::int16_t code = 0;
        props::ExitGameDll(c, code);
    }
    c.sys.boxes.show(QStringLiteral("重连服务器失败，退出后请重新入座！"), c.App_Title(),
                     platform::MessageButtons::Ok);
    connection::RestoreHall(c);
    platform::endProgram();
}

}  // namespace dispatch
