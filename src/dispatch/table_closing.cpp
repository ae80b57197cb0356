// MsgTableClosed: the server closes the table with a text for the player. The history window
// shows the hands played, the plug-in goes (or goes when its show ends), and the closing step
// empties the seats, closes the connection and leaves the choice to the dialog.
#include "dispatch/table_closing.h"

#include "client/client.h"
#include "client/main_form.h"
#include "connection/exit_dialogs.h"
#include "connection/leaving.h"
#include "connection/waits.h"
#include "dispatch/frame_reader.h"
#include "dispatch/handlers.h"
#include "props/props.h"
#include "settlement/hero_window.h"
#include "state/player_info.h"

namespace dispatch {

namespace {

constexpr std::size_t TextByte = 16;
constexpr std::size_t TextWidth = 200;
constexpr float ClosingPauseSeconds = 2;
constexpr int ReadyButton = 2;

}  // namespace

void ShowOtherExitDialog(client::Client& c) {
    auto& table = *c.MainForm;
    auto& dialog = *c.frmOtherExit;
    dialog.setTopmost(true);
    dialog.setTop(table.top() + (table.height() - dialog.height()) / 2);
    dialog.setLeft(table.left() + (table.width() - dialog.width()) / 2);
    dialog.setVisible(true);
    dialog.show();
}

void StopClosingChannels(client::Client& c) {
    auto& channels = c.s.channels;
    channels.check[state::ChannelReadyClock] = false;
    channels.check[state::ChannelDisconnect] = false;
    channels.g_aCheckTicks[state::ChannelDisconnect] = 0;
}

void CloseTableAndNotify(client::Client& c) {
    auto& s = c.s;
    auto& form = *c.MainForm;
    form.TimerBong.setEnabled(false);
    s.g_aAnNiuState[ReadyButton] = false;
    for (int i = 1; i <= 3; ++i) {
        form.OK[i].setVisible(false);
        form.Tou[i].setPicture({});
        form.Sysmsg[0].clear();
        s.custom[i].name.clear();
        state::ClearDepartedProfile(s.g_aPlayerInfo[i]);
    }
    form.Winsock1.close();
    connection::SleepSeconds(c.sys.scheduler, ClosingPauseSeconds);
    s.g_aRecvRing.read = s.g_aRecvRing.write = 0;
    s.g_aSendRing.read = s.g_aSendRing.write = 0;
    s.Player_num = 0;
    ShowOtherExitDialog(c);
}

void HandleTableClosed(client::Client& c, state::Frame& message) {
    auto& s = c.s;
    s.g_bGameRunning = false;
    if (!s.g_bBossKey) c.Hero->show();
    connection::SleepSeconds(c.sys.scheduler, ClosingPauseSeconds);
    const QString text = MixedGbkTextOverrunning(message, TextByte, TextWidth);
    if (s.g_nPropShowState == 1) {
        s.g_bPropShowPending = true;
    } else if (s.g_nPropState > 0) {
        std::int16_t code = 0;
        props::ExitGameDll(c, code);
    }
    c.frmOtherExit->Label1.setCaption(text);
    ShowOtherExitDialog(c);
    StopClosingChannels(c);
    s.g_bGameRunning = false;
    s.Inited = false;
    CloseTableAndNotify(c);
    connection::QuitTable(c);
}

}  // namespace dispatch
