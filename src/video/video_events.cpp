#include "video/video_events.h"

#include "client/main_form.h"

namespace video {

void BindVideoEvents(client::MainForm& form) {
    client::MainForm* table = &form;
    P2PSocket& relay = *form.P2PSocket1;
    relay.ServerState = [table](std::int16_t code) { table->P2PSocket1_ServerState(code); };
    relay.PeerState = [table](std::int16_t slot, std::int16_t state) {
        table->P2PSocket1_PeerState(slot, state);
    };
    relay.FrameArrival = [table](std::int16_t slot, const QByteArray& data) {
        table->P2PSocket1_FrameArrival(slot, data);
    };
    form.ziva1->FrameCaptured = [table](const QByteArray& data) {
        table->ziva1_FrameCaptured(data);
    };
    for (int k = VShowArray::kFirst; k <= VShowArray::kLast; ++k) {
        form.vshow1[k].PaneMouseMove = [table, k](std::int16_t button, std::int16_t shift, float x,
                                                  float y) {
            table->vshow1_PaneMouseMove(k, button, shift, x, y);
        };
    }
}

}  // namespace video
