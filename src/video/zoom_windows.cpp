#include "video/zoom_windows.h"

namespace video {

void UnloadVisibleZoomWindows(connection::Client&) {}

}  // namespace video
