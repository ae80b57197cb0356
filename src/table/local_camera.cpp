#include "table/local_camera.h"

#include "client/client.h"
#include "client/main_form.h"
#include "table/table_layout.h"
#include "video/video_component.h"

namespace table {

void StartLocalCamera(client::Client& c, float bottomMargin) {
    auto& form = *c.MainForm;
    video::Ziva& ziva1 = *form.ziva1;
    const auto& avatar = form.Tou[0];
    ziva1.InitCapture();
    ziva1.Top = avatar.top();
    ziva1.Left = avatar.left();
    ziva1.Height = avatar.height() - bottomMargin;
    ziva1.Width = avatar.width();
    ziva1.CaptureFlag4 = true;
    ziva1.CaptureFlag2 = true;
    ziva1.CaptureMode = 2;
    ziva1.CaptureFlag1 = false;
    ziva1.Visible = false;
    if (ziva1.StartCapture() == 0) {
        c.s.g_bLocalVideoOk = true;
        form.PicLocal[0].setVisible(true);
        ziva1.Visible = true;
        ziva1.ZOrder(0);
        form.PicLocal[0].zOrder(0);
    } else {
        c.s.g_bLocalVideoOk = false;
        ziva1.Visible = false;
    }
    if (!c.s.g_bLocalVideoOk) {
        AddSystemMessage(c, QStringLiteral("您没有视频设备或您的视频源正在使用。"));
    }
}

}  // namespace table
