#pragma once

namespace client {
class Client;
}

namespace video {

// Unloads each of the four video zoom windows (local, remote 1..3) that is visible. The zoom
// windows come with the video panes; until then none is ever open.
void UnloadVisibleZoomWindows(client::Client& c);

}  // namespace video
