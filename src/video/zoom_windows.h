#pragma once

#include "platform/forms/form_ref.h"

namespace client {
class Client;
}

namespace video {

class ZoomWindow;

// The zoom window of pane 0 (frm_Local) or of remote pane 1..3 (frm_Remote1..3). Touching it
// through the reference creates it, hidden, at its middle step.
forms::FormRef<ZoomWindow>& ZoomWindowOf(client::Client& c, int pane);

// Whether the pane's zoom window shows; a window that does not exist is not created to ask.
bool ZoomWindowVisible(client::Client& c, int pane);

// Hides the pane's zoom window when it shows; it stays loaded with its size step.
void HideZoomWindow(client::Client& c, int pane);

// Unloads each of the four zoom windows that is visible.
void UnloadVisibleZoomWindows(client::Client& c);

}  // namespace video
