#pragma once

#include <QByteArray>

namespace client {
class Client;
}

// What the table asks of the four video zoom windows (frm_Local for pane 0, frm_Remote1..3
// for panes 1..3).
namespace video {

// Unloads each of the four zoom windows that is visible.
void UnloadVisibleZoomWindows(client::Client& c);
// Whether pane's (0..3) zoom window is loaded and visible.
bool IsZoomWindowVisible(client::Client& c, int pane);
// Draws a frame in pane's zoom window when that window is visible, and shows its display and
// brings it to the front.
void ShowFrameIfZoomed(client::Client& c, int pane, const QByteArray& frame);
// Draws a frame in pane's zoom window, creating the window (not shown) when it does not exist.
void ShowZoomFrame(client::Client& c, int pane, const QByteArray& frame);
// Hides pane's zoom window where it is loaded; it stays loaded.
void HideZoomWindow(client::Client& c, int pane);
// Hides and unloads pane's zoom window where it is loaded.
void UnloadZoomWindow(client::Client& c, int pane);

}  // namespace video
