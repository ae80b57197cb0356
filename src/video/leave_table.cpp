#include "video/leave_table.h"

#include <cstdint>

#include "client/client.h"
#include "client/main_form.h"
#include "video/pane_frames.h"
#include "video/remote_panes.h"
#include "video/video_component.h"
#include "video/zoom_windows.h"

namespace video {

namespace {

void EmptyPane(client::MainForm& table, int k) {
    table.vshow1[k].Visible = false;
    table.PicLocal[k].setVisible(false);
    table.ImgKuang[k].setVisible(false);
    table.ImgShow[k].setVisible(false);
    RedrawTimer(table, k).setEnabled(false);
}

void ClearPaneFlags(state::SharedState& s, int k) {
    s.g_aPaneOpened[std::size_t(k)] = false;
    s.g_aPaneClosed[std::size_t(k)] = false;
    s.g_aPeerSendCount[std::size_t(k)] = 0;
}

}  // namespace

void TakeDownSeatVideo(client::Client& c, int k) {
    EmptyPane(*c.MainForm, k);
    ClearPaneFlags(c.s, k);
    auto slot = static_cast<std::int16_t>(k);
    c.MainForm->P2PSocket1->CloseSlot(slot);
    UnloadZoomWindow(c, k);
}

void HideSeatPanes(client::Client& c, int k) {
    EmptyPane(*c.MainForm, k);
    ClearPaneFlags(c.s, k);
    HideZoomWindow(c, k);
    StoredFrame(c.s, k)->clear();
}

void CloseSlotsOf(client::Client& c, const QString& account) {
    video::P2PSocket& relay = *c.MainForm->P2PSocket1;
    for (std::int16_t j = 1; j <= 3; ++j) {
        std::int16_t slot = j;
        if (relay.UserID(slot) == account) relay.CloseSlot(slot);
    }
}

void DiscardRemoteFrames(client::Client& c) {
    for (int k = 1; k <= 3; ++k) StoredFrame(c.s, k)->clear();
}

}  // namespace video
