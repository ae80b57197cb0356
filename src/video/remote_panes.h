#pragma once

namespace client {
class Client;
class MainForm;
}  // namespace client
namespace forms {
class Timer;
}

namespace video {

// The one-shot redraw timer of remote pane k (1..3).
forms::Timer& RedrawTimer(client::MainForm& form, int k);
// A first accepted frame opens remote pane k: the plug-in is told, the frame, button bar and
// display show, and the redraw timer starts.
void OpenRemotePane(client::Client& c, int k);

}  // namespace video
