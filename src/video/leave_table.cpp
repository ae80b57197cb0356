#include "video/leave_table.h"

#include <cstdint>

#include "client/client.h"
#include "client/main_form.h"
#include "video/video_component.h"

namespace video {

// The panes, their counters, the zoom windows and the received frames come with the video
// chat; what stands already is the relay socket.
void TakeDownSeatVideo(client::Client& c, int k) {
    auto slot = static_cast<std::int16_t>(k);
    c.MainForm->P2PSocket1->CloseSlot(slot);
}

void ClearSeatVideo(client::Client& c, int k) {
    auto& form = *c.MainForm;
    form.vshow1[k].Visible = false;
    form.PicLocal[k].setVisible(false);
    form.ImgKuang[k].setVisible(false);
    form.ImgShow[k].setVisible(false);
}

void DiscardRemoteFrames(client::Client&) {}

}  // namespace video
