#pragma once

#include <QByteArray>

namespace state {
struct SharedState;
}

namespace video {

// The frame kept for a pane: 0 the local camera's last frame, 1..3 the remote panes'. Null for
// any other pane.
QByteArray* StoredFrame(state::SharedState& s, int pane);

}  // namespace video
