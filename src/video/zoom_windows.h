#pragma once

namespace client {
class Client;
}

namespace video {

// Unloads each of the four video zoom windows (local, remote 1..3) that is visible. The zoom
// windows come with the video panes; until then none is ever open.
void UnloadVisibleZoomWindows(client::Client& c);
// Unloads the four video zoom windows in their order (local, remote 1..3), whether showing or
// not: the table window's unload.
void UnloadZoomWindows(client::Client& c);

}  // namespace video
