#include "video/leave_table.h"

#include <cstdint>

#include "client/client.h"
#include "client/main_form.h"
#include "video/video_component.h"

namespace video {

// The pane counters, the zoom windows and the received frames come with the video chat; the
// panes on the table and the relay socket stand already.
void TakeDownSeatVideo(client::Client& c, int k) {
    HideSeatPanes(c, k);
    auto slot = static_cast<std::int16_t>(k);
    c.MainForm->P2PSocket1->CloseSlot(slot);
}

void HideSeatPanes(client::Client& c, int k) {
    auto& table = *c.MainForm;
    table.vshow1[k].Visible = false;
    table.PicLocal[k].setVisible(false);
    table.ImgKuang[k].setVisible(false);
    table.ImgShow[k].setVisible(false);
}

void CloseSlotsOf(client::Client& c, const QString& account) {
    video::P2PSocket& relay = *c.MainForm->P2PSocket1;
    for (std::int16_t j = 1; j <= 3; ++j) {
        std::int16_t slot = j;
        if (relay.UserID(slot) == account) relay.CloseSlot(slot);
    }
}

void DiscardRemoteFrames(client::Client&) {}

}  // namespace video
