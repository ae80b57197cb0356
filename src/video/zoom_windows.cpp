#include "video/zoom_windows.h"

namespace video {

void UnloadVisibleZoomWindows(client::Client&) {}

void UnloadZoomWindows(client::Client&) {}

}  // namespace video
