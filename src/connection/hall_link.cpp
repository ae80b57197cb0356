#include "connection/hall_link.h"

#include <algorithm>

#include "client/client.h"
#include "client/main_form.h"
#include "connection/leaving.h"
#include "connection/resource_pictures.h"
#include "connection/send_queue.h"
#include "connection/socks5.h"
#include "platform/desktop/desktop.h"

namespace connection {

namespace {

// Blank as Trim sees it: spaces only (a tab or a line end is a caption).
bool CaptionIsBlank(const QString& caption) {
    return std::all_of(caption.begin(), caption.end(), [](QChar ch) { return ch == u' '; });
}

}  // namespace

platform::WindowHandle FindHallWindow(Client& c) {
    // A blank caption would match any untitled window: it finds none.
    if (CaptionIsBlank(c.s.g_sHallCaption)) return {};
    return c.sys.desktop.findWindow(c.s.g_sHallCaption);
}

void PostToHall(Client& c, std::uint32_t msg) {
    if (const auto hall = FindHallWindow(c)) c.sys.desktop.postMessage(hall, msg, 0, 0);
}

namespace {

void CommandHall(Client& c, platform::SystemCommand command) {
    if (CaptionIsBlank(c.s.g_sHallCaption)) return;
    const auto hall = c.sys.desktop.findWindow(c.s.g_sHallCaption);
    if (!hall || !c.sys.desktop.sendSystemCommand(hall, command)) platform::endProgram();
}

}  // namespace

void RestoreHall(Client& c) {
    CommandHall(c, platform::SystemCommand::Restore);
}

void MinimizeHall(Client& c) {
    CommandHall(c, platform::SystemCommand::Minimise);
}

namespace {

// Leaving the table for the hall's close and leave requests.
void LeaveTableForHall(Client& c) {
    MainForm& form = *c.MainForm;
    if (form.Winsock1.state() == platform::SocketState::Connected) {
        c.s.channels.disarm(state::ChannelDisconnect);
        QuitTable(c);
    }
    ResetTableState(c);
}

// The hall sends the client to a table again, with the same command-line data and login frame.
void ConnectForHall(Client& c) {
    MainForm& form = *c.MainForm;
    state::SharedState& s = c.s;
    s.g_bDirectData = true;
    s.g_bConnected = true;
    // The hall sends the client to a table anew: it logs in, whatever an earlier reconnection
    // sent on the last connection.
    s.g_bReconnectPending = false;
    if (s.ProxyType == 0) {
        ResetRingBuffers(s);
        if (form.Winsock1.state() != platform::SocketState::Closed) form.Winsock1.close();
    }
    ConnectByProxyType(c);
    s.g_aAnNiuState[2] = false;
    try {
        ShowResourcePicture(c, IntegerArg(c.ids.g_aIdAnNiu[4]).toInteger(), form.AnNiu[2]);
    } catch (const platform::RuntimeFailure&) {
        // The ready button keeps the picture it has.
    }
    form.Time_Img.setVisible(false);
    form.Number.setVisible(false);
}

}  // namespace

std::int32_t MainWndProc(Client& c, platform::WindowHandle hWnd, std::uint32_t msg,
                         std::int32_t wParam, std::int32_t lParam) {
    platform::Desktop& desktop = c.sys.desktop;
    switch (msg) {
        case HallMsgInGame:
            if (const auto hall = FindHallWindow(c)) {
                desktop.postMessage(hall, c.s.g_bGameRunning ? HallMsgInGame : HallMsgIdle);
            }
            return 0;
        case HallMsgClose: {
            const auto hall = FindHallWindow(c);
            if (!hall) return 0;
            if (c.s.g_bConnected) {
                desktop.postMessage(hall, HallMsgBusy);
            } else if (c.s.g_bGameRunning) {
                desktop.postMessage(hall, HallMsgInGame);
            } else {
                LeaveTableForHall(c);
                desktop.postMessage(hall, HallMsgIdle);
            }
            return 0;
        }
        case HallMsgIdle:
            // Left unconditionally; the answer the hall gets after a close request has no
            // window to go to here.
            LeaveTableForHall(c);
            return 0;
        case HallMsgRelink:
            ConnectForHall(c);
            return 0;
        default:
            return platform::Desktop::callWindowProcedure(c.MainForm->g_nOldWndProc, hWnd, msg,
                                                          wParam, lParam);
    }
}

}  // namespace connection
