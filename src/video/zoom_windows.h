#pragma once

#include <QByteArray>

#include "platform/forms/form_ref.h"

namespace client {
class Client;
}

// What the table asks of the four video zoom windows (frm_Local for pane 0, frm_Remote1..3
// for panes 1..3).
namespace video {

class ZoomWindow;

// The pane's (0..3) zoom window. Touching it through the reference creates it, hidden, at its
// middle step.
forms::FormRef<ZoomWindow>& ZoomWindowOf(client::Client& c, int pane);

// Unloads each of the four zoom windows that is visible.
void UnloadVisibleZoomWindows(client::Client& c);
// Whether pane's (0..3) zoom window is loaded and visible; a window that does not exist is not
// created to ask.
bool IsZoomWindowVisible(client::Client& c, int pane);
// Draws a frame in pane's zoom window when that window is visible, and shows its display and
// brings it to the front.
void ShowFrameIfZoomed(client::Client& c, int pane, const QByteArray& frame);
// Draws a frame in pane's zoom window, creating the window (not shown) when it does not exist.
void ShowZoomFrame(client::Client& c, int pane, const QByteArray& frame);
// Hides pane's zoom window where it is loaded; it stays loaded with its size step.
void HideZoomWindow(client::Client& c, int pane);
// Hides and unloads pane's zoom window where it is loaded.
void UnloadZoomWindow(client::Client& c, int pane);
// Unloads the four video zoom windows in their order (local, remote 1..3), whether showing or
// not: the table window's unload.
void UnloadZoomWindows(client::Client& c);

}  // namespace video
