#include "video/zoom_windows.h"

#include "client/client.h"
#include "platform/runtime/failure.h"
#include "video/zoom_window.h"

namespace video {

forms::FormRef<ZoomWindow>& ZoomWindowOf(client::Client& c, int pane) {
    switch (pane) {
        case 0:
            return c.frm_Local;
        case 1:
            return c.frm_Remote1;
        case 2:
            return c.frm_Remote2;
        case 3:
            return c.frm_Remote3;
        default:
            break;
    }
    platform::fail(platform::RuntimeFailure::Kind::IndexOutOfRange, "Subscript out of range");
}

bool ZoomWindowVisible(client::Client& c, int pane) {
    const ZoomWindow* window = ZoomWindowOf(c, pane).ifLoaded();
    return window && window->visible();
}

void HideZoomWindow(client::Client& c, int pane) {
    if (ZoomWindowVisible(c, pane)) ZoomWindowOf(c, pane)->hide();
}

void UnloadVisibleZoomWindows(client::Client& c) {
    for (int pane = 0; pane <= 3; ++pane) {
        if (ZoomWindowVisible(c, pane)) ZoomWindowOf(c, pane).unload();
    }
}

}  // namespace video
