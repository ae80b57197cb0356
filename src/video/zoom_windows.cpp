#include "video/zoom_windows.h"

// The zoom windows themselves are not built yet: none is ever loaded, so none is visible and
// nothing is drawn in one.
namespace video {

void UnloadVisibleZoomWindows(client::Client&) {}
bool IsZoomWindowVisible(client::Client&, int) {
    return false;
}
void ShowFrameIfZoomed(client::Client&, int, const QByteArray&) {}
void ShowZoomFrame(client::Client&, int, const QByteArray&) {}
void HideZoomWindow(client::Client&, int) {}
void UnloadZoomWindow(client::Client&, int) {}

}  // namespace video
