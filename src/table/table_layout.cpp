#include "table/table_layout.h"

#include "client/client.h"
#include "client/main_form.h"
#include "video/video_component.h"

namespace table {

namespace {

float scaled(float design, float scale) {
    return design * scale;
}

// The camera preview over the local avatar. The avatar comes with the seat panels; its design
// place (left 10, top 668, 85 x 90) stands in until then.
void StartLocalCamera(client::Client& c, client::MainForm& form) {
    video::Ziva& ziva1 = *form.ziva1;
    const float s = c.s.g_fScaleX;
    ziva1.InitCapture();
    ziva1.Top = scaled(668, s);
    ziva1.Left = scaled(10, s);
    ziva1.Height = scaled(90, s) - 7;
    ziva1.Width = scaled(85, s);
    ziva1.CaptureFlag4 = true;
    ziva1.CaptureFlag2 = true;
    ziva1.CaptureMode = 2;
    ziva1.CaptureFlag1 = false;
    ziva1.Visible = false;
    if (ziva1.StartCapture() == 0) {
        c.s.g_bLocalVideoOk = true;
        ziva1.Visible = true;
    } else {
        c.s.g_bLocalVideoOk = false;
        ziva1.Visible = false;
    }
    if (!c.s.g_bLocalVideoOk)
        AddSystemMessage(c, QStringLiteral("您没有视频设备或您的视频源正在使用。"));
}

}  // namespace

void ArrangeSeatControls(client::Client& c) {
    auto& form = *c.MainForm;
    const float s = c.s.g_fScaleX;
    form.Location.move(scaled(760, s), scaled(668, s));
    form.Location.zOrder(0);
}

void ArrangePlayAreaControls(client::Client& c) {
    auto& form = *c.MainForm;
    const float s = c.s.g_fScaleX;
    if (s < 1.0f) {
        form.Sysmsg[0].setHeight((26 * s + 4) / 2);
        form.Sysmsg[0].setTop(696 * s - 2);
    } else {
        form.Sysmsg[0].setHeight(26.0f / 2);
        form.Sysmsg[0].setTop(696);
    }
    form.Sysmsg[1].setHeight(form.Sysmsg[0].height());
    form.Sysmsg[1].setTop(form.Sysmsg[0].top() + form.Sysmsg[0].height());
    form.Sysmsg[0].setWidth(scaled(281, s));
    form.Sysmsg[0].setLeft(scaled(312, s));
    form.Sysmsg[1].setWidth(form.Sysmsg[0].width());
    form.Sysmsg[1].setLeft(form.Sysmsg[0].left());
    form.Sysmsg[0].setVisible(true);
    form.Sysmsg[1].setVisible(true);
    form.setFontSize(10);
    form.Chat.move(scaled(312, s), scaled(732, s), scaled(250, s), scaled(33, s));
    form.Chat.setVisible(true);
    StartLocalCamera(c, form);
}

void ResetPlayersOnLeave(client::Client&) {}

void ResetTableForNewHand(client::Client&) {}

void AddSystemMessage(client::Client& c, const QString& line) {
    auto& form = *c.MainForm;
    auto& row0 = form.Sysmsg[0];
    auto& row1 = form.Sysmsg[1];
    if (row1.listCount() > 0) {
        const QString moved = row1.list(0);
        row0.clear();
        row0.addItem(moved);
        row1.clear();
        row1.addItem(line);
    } else if (row0.listCount() > 0) {
        row1.clear();
        row1.addItem(line);
    } else {
        row0.clear();
        row0.addItem(line);
    }
}

}  // namespace table
