#pragma once

#include <cstdint>

#include "client/client_fwd.h"
#include "platform/desktop/window_message.h"

namespace connection {

using client::Client;
using client::MainForm;

// Messages between the hall and the table window; several reuse system message numbers.
enum HallMessage : std::uint32_t {
    HallMsgRelink = 0x16,
    HallMsgClose = 0x303,
    HallMsgIdle = 0x400,
    HallMsgInGame = 0x465,
    HallMsgBusy = 0x466,
    HallMsgHandStarted = 0x467,
};

// The hall window by g_sHallCaption; a blank caption finds no window.
platform::WindowHandle FindHallWindow(Client& c);

// Posts msg (wParam and lParam 0) to the hall window; nothing when there is none.
void PostToHall(Client& c, std::uint32_t msg);

// Restore / minimise the hall window and wait until it has handled the command. Nothing while
// the hall caption is blank; the program ends when no window has the caption.
void RestoreHall(Client& c);
void MinimizeHall(Client& c);

// The hall's caption unless the command line asks for its own captions.
inline constexpr const char* kDefaultHallCaption = "Brenmoor山庄";

// Connects Winsock1 directly to the game server, starts the tick and arms the login channel,
// which sends the login frame once the socket is up.
void ConnectDirect(Client& c);

// Connects the way the command line chose: directly (0), through the SOCKS5 proxy (5), or not
// at all until the hall asks (any other ProxyType).
void ConnectByProxyType(Client& c);

// The table window's procedure from the end of start-up until shutdown.
std::int32_t MainWndProc(Client& c, platform::WindowHandle hWnd, std::uint32_t msg,
                         std::int32_t wParam, std::int32_t lParam);

}  // namespace connection
