// The play area: the turn clock, the action buttons, the card images of the four seats, the
// hand-back pictures, the declaration buttons and bubbles, the system message area and chat
// line, the web pane's picture, the wealth display and the local camera preview. Made and
// placed once, after the table window shows.
#include <array>

#include "client/client.h"
#include "client/main_form.h"
#include "connection/resource_pictures.h"
#include "platform/files/file_system.h"
#include "platform/files/windows_path.h"
#include "resources/resource_store.h"
#include "table/layout_scale.h"
#include "table/local_camera.h"
#include "table/table_layout.h"

namespace table {

namespace {

using connection::IntegerArg;
using connection::ShowResourcePicture;

constexpr int kCardBackPicture = 18;
// The column of action buttons 3 to 5 stands at the table's right edge, 10 pixels in.
constexpr float kTableDesignWidth = 1024;
constexpr float kColumnMargin = 10;  // fixed

void ArrangeTurnClock(const LayoutScale& sc, client::MainForm& form) {
    // Below the table until the turn moves it to a seat: the local avatar's bottom plus 20.
    sc.size(form.Time_Img, 81, 38);
    sc.place(form.Time_Img, 920, 668 + 90 + 20);
    sc.size(form.Number, 24, 24);
    form.Number.setLeft(form.Time_Img.left() + sc.x(48));
    form.Number.setTop(form.Time_Img.top() + sc.y(5));
    if (sc.reduced()) {
        form.Time_Img.setLeft(sc.x(920));
        form.Number.setFontSize(12);
        form.Number.setLeft(form.Time_Img.left() + sc.x(48) + 2);
    }
}

void ArrangeActionButtons(client::Client& c, const LayoutScale& sc, client::MainForm& form) {
    auto& op = form.Operation;
    sc.place(op[0], 400, 470);
    ShowResourcePicture(c, IntegerArg(c.ids.g_aIdOperation[0]).toInteger(), op[0]);
    for (int k = 1; k <= 5; ++k) op.load(k);
    // The previous code took the screen's width for the column's right edge, which put the
    // column off the table on screens wider than the table; the table's own edge is meant.
    const float rightEdge = sc.x(kTableDesignWidth);
    for (int k = 0; k <= 5; ++k) {
        c.s.g_aOperationHover[k] = false;
        if (k < 3) {
            sc.size(op[k], 60, 40);
        } else {
            sc.size(op[k], 62, 25);
        }
        if (k == 1 || k == 2) {
            ShowResourcePicture(c, IntegerArg(c.ids.g_aIdOperation[3 * k]).toInteger(), op[k]);
            op[k].setTop(op[0].top());
            op[k].setLeft(op[k - 1].left() + op[0].width() * 1.3f);
        } else if (k >= 3) {
            ShowResourcePicture(c, IntegerArg(c.ids.g_aIdOperation[2 * k + 3]).toInteger(), op[k]);
            op[k].setTop(form.imgLocation.top() - float(k - 2) * op[k].height());
            op[k].setLeft(rightEdge - op[k].width() - kColumnMargin);
        }
        op[k].setEnabled(false);
        op[k].setVisible(false);
    }
}

// Eight card backs, all on the first one's design place.
void ArrangeCardBacks(client::Client& c, client::MainForm& form) {
    for (int k = 1; k <= 7; ++k) {
        form.imgDipai.load(k);
        form.imgDipai[k].setVisible(false);
        ShowResourcePicture(c, kCardBackPicture, form.imgDipai[k]);
    }
    form.imgDipai[0].setVisible(false);
    form.imgDipai[0].setPicture(form.imgDipai[1].picture());
}

void ArrangeCardImages(const LayoutScale& sc, client::MainForm& form) {
    const std::array seats{&form.cardImage0, &form.cardImage1, &form.cardImage2, &form.cardImage3};
    for (int k = 1; k <= 12; ++k) {
        for (auto* seat : seats) seat->load(k);
    }
    for (int k = 0; k <= 12; ++k) {
        sc.size(form.cardImage0[k], 90, 120);
        for (auto* other : {&form.cardImage1, &form.cardImage2, &form.cardImage3}) {
            sc.size((*other)[k], 80, 108);
        }
        for (auto* seat : seats) (*seat)[k].setVisible(false);
    }
}

void ArrangeDeclarations(client::Client& c, const LayoutScale& sc, client::MainForm& form) {
    auto& button = form.btnJiaofen[0];
    sc.size(button, 66, 38);
    button.setEnabled(false);
    button.setVisible(false);
    button.setTop(sc.y(470));
    button.setStretch(true);
    for (int k = 0; k <= 3; ++k) c.s.g_aJiaofenKind[k] = std::int16_t(k);
    for (int k = 1; k <= 3; ++k) form.btnJiaofen.load(k);

    for (int k = 0; k < 4; ++k) form.Speak[k].setVisible(false);
    sc.place(form.Speak[0], 94, 513);
    sc.place(form.Speak[1], 8, 280);
    form.Speak[2].setTop(form.Tou[2].top() + form.Tou[2].height() + sc.y(35));
    form.Speak[2].setLeft(form.Tou[2].left() + 0.8f * form.Tou[2].width());
    sc.place(form.Speak[3], 936, 280);
}

// Hand-back pictures of the left, top and right seats (elements 0, 1, 2). The left one hugs
// the table's left edge at both scales.
void ArrangeHandBacks(const LayoutScale& sc, client::MainForm& form) {
    for (int k = 0; k < 3; ++k) {
        sc.size(form.shanImage[k], 200, 200);
        form.shanImage[k].setVisible(false);
    }
    form.shanImage[0].setTop(sc.y(240));
    form.shanImage[0].setLeft(10);
    sc.place(form.shanImage[2], 860, 240);
    form.shanImage[1].setTop(form.Tou[2].top() + form.Tou[2].height() + sc.y(35));
    form.shanImage[1].setLeft(sc.x(400));
}

// The arrows take their pictures through files of their own name, "<id>tmp.GIF".
bool ShowArrowPicture(client::Client& c, int id, forms::Image& arrow) {
    const auto file = platform::mapWindowsPath(c.App_Path() + u'\\' + QString::number(id) +
                                               QStringLiteral("tmp.GIF"));
    if (!resources::SaveResToFile(id, "GIF", file)) return false;
    arrow.setPicture(forms::loadPicture(file));
    connection::DeleteTempPicture(file);
    return true;
}

void ArrangeMessageArea(client::Client& c, const LayoutScale& sc, client::MainForm& form) {
    auto& row0 = form.Sysmsg[0];
    auto& row1 = form.Sysmsg[1];
    if (sc.reduced()) {
        row0.setHeight((26 * sc.sy + 4) / 2);
        row0.setTop(sc.y(696) - 2);
    } else {
        row0.setHeight(26.0f / 2);
        row0.setTop(696);
    }
    row1.setHeight(row0.height());
    row1.setTop(row0.top() + row0.height());

    sc.size(form.Lbchat, 25, 33);
    sc.place(form.Lbchat, 594, 695);

    if (sc.reduced()) {
        sc.place(form.sc_chat[0], 595, 695);
        sc.place(form.sc_chat[1], 594, 723);
        ShowArrowPicture(c, 203, form.sc_chat[0]);
        ShowArrowPicture(c, 204, form.sc_chat[1]);
    } else {
        sc.place(form.sc_chat[0], 594, 695);
        sc.place(form.sc_chat[1], 594, 717.5f);
        ShowArrowPicture(c, 201, form.sc_chat[0]);
        ShowArrowPicture(c, 202, form.sc_chat[1]);
    }

    row0.setWidth(sc.x(281));
    row0.setLeft(sc.x(312));
    row1.setWidth(row0.width());
    row1.setLeft(row0.left());
    row0.setVisible(true);
    row1.setVisible(true);
    form.setFontSize(10);
    form.Chat.setVisible(true);
    sc.size(form.Chat, 250, 33);
    sc.place(form.Chat, 312, 732);
}

void ArrangeWebPicture(const LayoutScale& sc, client::MainForm& form) {
    sc.size(form.Bird, 82, 80);
    sc.place(form.Bird, 934, 680);
    form.Bird.zOrder(0);
    form.WebBrowser1.setTop(form.Bird.top() + 2);
    form.WebBrowser1.setLeft(form.Bird.left() + 2);
    sc.size(form.WebBrowser1, 82, 80);
}

void ArrangeWealthDisplay(client::Client& c, const LayoutScale& sc, client::MainForm& form) {
    form.Imgwealth.setLeft(sc.x(10));
    form.Imgwealth.setTop(sc.reduced() ? sc.y(490) : 500);
    form.Imgwealth.zOrder(0);
    form.Imgwealth.setVisible(false);
    form.lbwealth.setLeft(sc.reduced() ? sc.x(56) : 62);
    form.lbwealth.setFontSize(18);
    form.lbwealth.setTop(sc.y(285));
    form.lbwealth.zOrder(0);
    form.lbwealth.setVisible(false);

    constexpr std::array<float, 3> kTops{280, 312, 344};
    for (int k = 0; k < 3; ++k) {
        form.lbfont[k].setVisible(false);
        form.lbfont[k].setTop(sc.y(kTops[k]));
        form.lbfont[k].setLeft(sc.reduced() ? sc.x(424) - 10 : 424);
    }
    c.s.g_aSeatBeishu.fill(0);
}

// The frame around the camera preview, from the preview's place as the camera reports it.
void FrameCameraPreview(client::MainForm& form) {
    const video::Ziva& camera = *form.ziva1;
    form.Proponeself.setTop(camera.Top - 10);
    form.Proponeself.setLeft(camera.Left - 10);
    form.Proponeself.setHeight(camera.Height + 35);
    form.Proponeself.setWidth(camera.Width + 15);
    form.Proponeself.setEnabled(true);
    form.Proponeself.zOrder(0);
}

}  // namespace

void ArrangePlayAreaControls(client::Client& c) {
    auto& form = *c.MainForm;
    const LayoutScale sc(c.s);

    ArrangeTurnClock(sc, form);
    ArrangeActionButtons(c, sc, form);
    ArrangeCardBacks(c, form);
    for (int k = 1; k <= 5; ++k) form.xuan_img.load(k);
    ArrangeCardImages(sc, form);
    ArrangeHandBacks(sc, form);
    ArrangeDeclarations(c, sc, form);
    ArrangeMessageArea(c, sc, form);
    ArrangeWebPicture(sc, form);
    StartLocalCamera(c);
    ArrangeWealthDisplay(c, sc, form);
    FrameCameraPreview(form);
}

}  // namespace table
