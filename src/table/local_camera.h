#pragma once

namespace client {
class Client;
}

namespace table {

// Starts the camera preview over the local avatar (whatever the video switch says). When the
// camera runs, the preview and the local pane's button bar show; when there is none or it is
// busy, both stay hidden and the system message area says so. The preview leaves
// `bottomMargin` pixels of the avatar's foot uncovered: the table's load leaves 7, the seating
// of the local player 7 scaled.
void StartLocalCamera(client::Client& c, float bottomMargin = 7);

}  // namespace table
