#pragma once

namespace client {
class MainForm;
}

namespace video {

// Hands the events of the table's video controls (relay socket, camera, display panes) to the
// table window's handlers. Called when the window is made, and again whenever a control is
// replaced.
void BindVideoEvents(client::MainForm& form);

}  // namespace video
