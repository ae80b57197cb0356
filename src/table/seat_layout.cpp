// The seat panels, the toolbar, the location banner, the remote video panes and the bank
// button: made and placed once at load, before the table window shows.
#include <array>

#include "client/client.h"
#include "client/main_form.h"
#include "connection/resource_pictures.h"
#include "table/layout_scale.h"
#include "table/table_layout.h"

namespace table {

namespace {

using connection::IntegerArg;
using connection::ShowResourcePicture;

struct Point {
    float left;
    float top;
};

// Design places by relative seat (0 bottom, 1 left, 2 top, 3 right).
constexpr std::array<Point, 4> kNid{{{181, 700}, {165, 15}, {509, 15}, {852, 15}}};
constexpr std::array<Point, 4> kCash{{{181, 724}, {165, 40}, {509, 40}, {852, 40}}};
constexpr std::array<Point, 4> kLevel{{{181, 744}, {165, 64}, {509, 64}, {852, 64}}};
constexpr std::array<float, 4> kRemoteAvatarLefts{0, 7, 350, 693};
constexpr float kRemoteAvatarTop = 15;
constexpr std::array<float, 4> kFrameLefts{0, 0, 342, 685};
constexpr float kFrameTop = 3;  // fixed: the frames hug the table's top edge at both scales
constexpr std::array<float, 4> kReopenLefts{0, 32, 375, 720};

void ArrangeAvatars(const LayoutScale& sc, client::MainForm& form) {
    sc.place(form.Tou[0], 10, 668);
    sc.size(form.Tou[0], 85, 90);
    form.Tou[0].zOrder(0);
    for (int k = 1; k <= 3; ++k) {
        form.Tou.load(k);
        sc.size(form.Tou[k], 70, 62);
        form.Tou[k].setVisible(true);
        form.Tou[k].zOrder(0);
    }
    for (int k = 1; k <= 3; ++k) sc.place(form.Tou[k], kRemoteAvatarLefts[k], kRemoteAvatarTop);
}

// The marks of the marked aces' holders are placed by the table reset.
void ArrangeMarkBadges(const LayoutScale& sc, client::MainForm& form) {
    sc.size(form.shou[0], 47, 65);
    form.shou[0].zOrder(0);
    form.shou[0].setStretch(true);
    for (int k = 1; k <= 3; ++k) {
        form.shou.load(k);
        sc.size(form.shou[k], 47, 65);
        form.shou[k].setVisible(false);
        form.shou[k].zOrder(0);
        form.shou[k].setStretch(true);
    }
    sc.size(form.Img_bao_shuai[0], 81, 38);
    for (int k = 1; k <= 3; ++k) {
        form.Img_bao_shuai.load(k);
        sc.size(form.Img_bao_shuai[k], 81, 38);
    }
    sc.place(form.Img_bao_shuai[0], 390, 510);
    sc.place(form.Img_bao_shuai[1], 30, 240);
    form.Img_bao_shuai[2].setLeft(sc.x(410));
    form.Img_bao_shuai[2].setTop(form.Tou[2].top() + form.Tou[2].height() + sc.y(35));
    sc.place(form.Img_bao_shuai[3], 770, 240);
}

void ArrangeToolbar(client::Client& c, const LayoutScale& sc, client::MainForm& form) {
    auto& s = c.s;
    for (int k = 1; k <= 8; ++k) {
        form.AnNiu.load(k);
        form.AnNiu[k].setVisible(true);
        form.AnNiu[k].zOrder(0);
    }
    for (int k = 0; k <= 8; ++k) {
        s.g_aAnNiuState[k] = false;
        s.g_aAnNiuHover[k] = false;
        sc.size(form.AnNiu[k], k == 0 ? 50 : 60, 30);
        // Elements 6 and 7 are the ready button's second pair, shown once it is taken.
        const int entry = k <= 2 ? 2 * k : 2 * k + 2;
        ShowResourcePicture(c, IntegerArg(c.ids.g_aIdAnNiu[entry]).toInteger(), form.AnNiu[k]);
    }
    s.g_aAnNiuState[2] = true;  // the ready button starts out taken
    sc.place(form.AnNiu[0], 573, 730);
    sc.place(form.AnNiu[1], 648, 699);
    // Two rows of four, 70 apart: 1 to 4 on top, 5 to 8 below.
    const auto rightOfPrevious = [&](int k) {
        form.AnNiu[k].setTop(form.AnNiu[k - 1].top());
        form.AnNiu[k].setLeft(form.AnNiu[k - 1].left() + sc.x(70));
    };
    for (int k = 2; k <= 4; ++k) rightOfPrevious(k);
    form.AnNiu[5].setLeft(form.AnNiu[1].left());
    form.AnNiu[5].setTop(form.AnNiu[1].top() + sc.y(32));
    for (int k = 6; k <= 8; ++k) rightOfPrevious(k);
}

void ArrangeSeatLabels(const LayoutScale& sc, client::MainForm& form) {
    for (int k = 1; k <= 3; ++k) {
        form.Nid.load(k);
        form.Cash.load(k);
        form.Level.load(k);
        form.Nid[k].setVisible(true);
        form.Cash[k].setVisible(true);
        form.Level[k].setVisible(true);
        if (sc.reduced()) {
            form.Cash[k].setFontSize(8);
            form.Level[k].setFontSize(8);
            form.Level[0].setFontSize(8);
        }
    }
    for (int k = 0; k < 4; ++k) {
        sc.place(form.Nid[k], kNid[k].left, kNid[k].top);
        sc.place(form.Cash[k], kCash[k].left, kCash[k].top);
        sc.place(form.Level[k], kLevel[k].left, kLevel[k].top);
    }
}

void ArrangeLocationBanner(const LayoutScale& sc, client::MainForm& form) {
    sc.place(form.Location, 760, 668);
    form.Location.zOrder(0);
    sc.place(form.imgword1, 640, 659);
    sc.size(form.imgword1, 57, 13);
    sc.place(form.imgword2, 640, 675);
    sc.size(form.imgword2, 57, 13);
    form.imgLocation.setStretch(true);
    sc.place(form.imgLocation, 626, 653);
    sc.size(form.imgLocation, 398, 50);
}

// The ready mark and the finishing-place badge of a seat share one place.
void ArrangeReadyMarks(const LayoutScale& sc, client::MainForm& form) {
    for (int k = 1; k <= 3; ++k) form.OK.load(k);
    for (int k = 1; k <= 3; ++k) form.first.load(k);
    const float topSeatTop = form.Tou[2].top() + form.Tou[2].height() + sc.y(35);
    const std::array<Point, 4> places{{{sc.x(460), sc.y(630)},
                                       {sc.x(60), sc.y(280)},
                                       {sc.x(460), topSeatTop},
                                       {sc.x(900), sc.y(280)}}};
    for (int k = 0; k < 4; ++k) {
        for (forms::Image* mark : {&form.OK[k], &form.first[k]}) {
            mark->setLeft(places[k].left);
            mark->setTop(places[k].top);
        }
    }
}

void ArrangeVideoPanes(const LayoutScale& sc, client::MainForm& form) {
    for (int k = 1; k <= 3; ++k) {
        auto& frame = form.ImgKuang[k];
        sc.size(frame, 126, 105);
        frame.setTop(kFrameTop);
        frame.setVisible(false);
        frame.setLeft(sc.x(kFrameLefts[k]));
    }
    sc.size(form.PicLocal[0], 87, 17);
    for (int k = 1; k <= 3; ++k) sc.size(form.PicLocal[k], 145, 17);
    sc.place(form.PicLocal[0], 9, 742);
    for (int k = 1; k <= 3; ++k) {
        form.PicLocal[k].setTop(sc.y(88));
        form.PicLocal[k].setLeft(form.ImgKuang[k].left() + form.ImgKuang[k].width());
    }
    for (int k = 0; k <= 3; ++k) form.PicLocal[k].setVisible(false);
    for (int k = 1; k <= 3; ++k) form.ImgShow[k].setVisible(false);
    for (int k = 1; k <= 3; ++k) {
        video::VShow& pane = form.vshow1[k];
        const auto& frame = form.ImgKuang[k];
        pane.DisplayFlag1 = true;
        pane.Top = frame.top() + sc.y(5);
        pane.Left = frame.left() + sc.x(5);
        pane.Width = frame.width() - sc.x(10);
        pane.Height = frame.height() - sc.y(10);
    }
    for (int k = 1; k <= 3; ++k) form.vshow1[k].Visible = false;
    for (int k = 1; k <= 3; ++k) {
        sc.size(form.ImgShow[k], 16, 14);
        form.ImgShow[k].setTop(sc.y(80));
        form.ImgShow[k].setLeft(sc.x(kReopenLefts[k]));
    }
}

// Every pane button shows the hand cursor of the first; in the reduced layout the buttons
// shrink with their bars.
void ArrangePaneButtons(const LayoutScale& sc, client::MainForm& form) {
    for (int k = 1; k <= 15; ++k) {
        form.ImCmd[k].setMouseIcon(form.ImCmd[0].mouseIcon());
        form.ImCmd[k].setMousePointer(form.ImCmd[0].mousePointer());
    }
    if (!sc.reduced()) return;
    for (int k = 0; k <= 15; ++k) {
        auto& button = form.ImCmd[k];
        button.setStretch(true);
        button.setWidth(sc.x(button.width()));
        button.setHeight(sc.y(button.height()));
        button.setLeft(sc.x(button.left()));
        button.setTop(sc.y(button.top()));
    }
}

void ArrangeBankAndPhrases(client::Client& c, const LayoutScale& sc, client::MainForm& form) {
    if (sc.reduced()) {
        form.Bank.setWidth(sc.x(form.Bank.width()));
        form.Bank.setHeight(sc.y(form.Bank.height()));
    }
    ShowResourcePicture(c, 508, form.imgword1);
    ShowResourcePicture(c, 509, form.imgword2);
    sc.place(form.Bank, 698, 662);
    form.Bank.setVisible(true);
    form.Bank.zOrder(0);
}

}  // namespace

void ArrangeSeatControls(client::Client& c) {
    auto& s = c.s;
    auto& form = *c.MainForm;
    const LayoutScale sc(s);

    s.g_nPlayCount = 0;
    s.g_bDealPhase1 = false;
    s.g_bDealPhase2 = false;
    s.g_bDealPhase3 = false;
    ArrangeAvatars(sc, form);
    s.g_aMarkedSeats[0] = 0;
    s.g_aMarkedSeats[1] = 0;
    ArrangeMarkBadges(sc, form);
    ArrangeToolbar(c, sc, form);
    ArrangeSeatLabels(sc, form);
    ArrangeLocationBanner(sc, form);
    ArrangeReadyMarks(sc, form);
    ArrangeVideoPanes(sc, form);
    ArrangePaneButtons(sc, form);
    s.g_bPropShowPending = false;
    s.g_nPropShowState = 0;
    ArrangeBankAndPhrases(c, sc, form);
}

}  // namespace table
