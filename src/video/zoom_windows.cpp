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

void UnloadVisibleZoomWindows(client::Client& c) {
    for (int pane = 0; pane <= 3; ++pane) {
        if (IsZoomWindowVisible(c, pane)) ZoomWindowOf(c, pane).unload();
    }
}

bool IsZoomWindowVisible(client::Client& c, int pane) {
    const ZoomWindow* window = ZoomWindowOf(c, pane).ifLoaded();
    return window && window->visible();
}

void ShowFrameIfZoomed(client::Client& c, int pane, const QByteArray& frame) {
    if (!IsZoomWindowVisible(c, pane)) return;
    VShow& display = *ZoomWindowOf(c, pane)->vshow1;
    display.ShowFrame(frame);
    display.Visible = true;
    display.ZOrder(0);
}

void ShowZoomFrame(client::Client& c, int pane, const QByteArray& frame) {
    ZoomWindowOf(c, pane)->vshow1->ShowFrame(frame);
}

void HideZoomWindow(client::Client& c, int pane) {
    if (ZoomWindow* window = ZoomWindowOf(c, pane).ifLoaded()) window->hide();
}

void UnloadZoomWindow(client::Client& c, int pane) {
    auto& ref = ZoomWindowOf(c, pane);
    if (!ref.isLoaded()) return;
    ref->hide();
    ref.unload();
}

void UnloadZoomWindows(client::Client& c) {
    for (int pane = 0; pane <= 3; ++pane) UnloadZoomWindow(c, pane);
}

}  // namespace video
