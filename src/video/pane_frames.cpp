#include "video/pane_frames.h"

#include "state/shared_state.h"

namespace video {

QByteArray* StoredFrame(state::SharedState& s, int pane) {
    switch (pane) {
        case 0:
            return &s.g_aLocalFrame;
        case 1:
            return &s.g_aRemoteFrame1;
        case 2:
            return &s.g_aRemoteFrame2;
        case 3:
            return &s.g_aRemoteFrame3;
        default:
            return nullptr;
    }
}

}  // namespace video
