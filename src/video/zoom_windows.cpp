#include "video/zoom_windows.h"

namespace video {

void UnloadVisibleZoomWindows(client::Client&) {}

}  // namespace video
