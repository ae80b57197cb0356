// The remote panes opening, re-opening and redrawing their stored frames, and the zoom
// window's refresh.
#include "video/remote_panes.h"

#include "client/client.h"
#include "client/main_form.h"
#include "table/table_layout.h"
#include "video/pane_frames.h"
#include "video/zoom_windows.h"

namespace video {

namespace {

constexpr std::int16_t kVideoPaneKind = 2;

void TellPlugInPaneOpen(client::Client& c, int k) {
    if (c.s.g_nPropState > 0 && c.g_oPropDll) {
        c.g_oPropDll->rec_state(kVideoPaneKind, false, std::int16_t(k));
    }
}

void RedrawPane(client::MainForm& form, int k) {
    RedrawTimer(form, k).setEnabled(false);
    if (form.PicLocal[k].visible()) form.vshow1[k].ShowFrame(*StoredFrame(form.c.s, k));
}

}  // namespace

forms::Timer& RedrawTimer(client::MainForm& form, int k) {
    return k == 1 ? form.Timer_Vshow1 : k == 2 ? form.Timer_Vshow2 : form.Timer_Vshow3;
}

void OpenRemotePane(client::Client& c, int k) {
    auto& form = *c.MainForm;
    TellPlugInPaneOpen(c, k);
    form.ImgKuang[k].setVisible(true);
    form.PicLocal[k].setVisible(true);
    RedrawTimer(form, k).setEnabled(true);
    form.vshow1[k].Visible = true;
    form.vshow1[k].ZOrder(0);
}

}  // namespace video

namespace client {

void MainForm::ImgShow_Click(int Index) {
    c.s.g_aPaneClosed.at(std::size_t(Index)) = false;
    ImgKuang[Index].setVisible(true);
    PicLocal[Index].setVisible(true);
    vshow1[Index].Visible = true;
    vshow1[Index].ZOrder(0);
    video::RedrawTimer(*this, Index).setEnabled(true);
    video::TellPlugInPaneOpen(c, Index);
}

void MainForm::Timer_Vshow1_Timer() {
    video::RedrawPane(*this, 1);
}

void MainForm::Timer_Vshow2_Timer() {
    video::RedrawPane(*this, 2);
}

void MainForm::Timer_Vshow3_Timer() {
    video::RedrawPane(*this, 3);
}

void MainForm::Timer_Zoom_Timer() {
    Timer_Zoom.setEnabled(false);
    const QByteArray* frame = video::StoredFrame(c.s, c.s.g_nZoomPane);
    if (frame) video::ShowZoomFrame(c, c.s.g_nZoomPane, *frame);
}

void MainForm::ShowPhotoSavedNotice() {
    table::AddSystemMessage(c, QStringLiteral("照相成功,照片保存在本机相册中。"));
}

}  // namespace client
