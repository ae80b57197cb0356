// Where the layout at load puts every control, at both scales, against the design figures.
#include <gtest/gtest.h>

#include <QRectF>
#include <cmath>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "table_fixture.h"

namespace table_test {
namespace {

using Form = client::MainForm;
constexpr float kAny = NAN;  // a figure the layout leaves to the design or the picture

// Which layouts a figure is checked in.
enum Layouts : unsigned { Full = 1, Reduced = 2, Exact = 4, Both = Full | Reduced };
// Figures that are not multiplied by the scale.
enum Fixed : unsigned { None = 0, FixLeft = 1, FixTop = 2, FixWidth = 4, FixHeight = 8 };

struct Figure {
    std::string name;
    std::function<QRectF(Form&)> rect;
    float left, top, width, height;  // design pixels at full scale
    unsigned layouts = Both;
    unsigned fixed = None;
};

QRectF Of(const forms::Control& control) {
    return {control.left(), control.top(), control.width(), control.height()};
}
QRectF Of(const video::VShow& pane) {
    return {pane.Left, pane.Top, pane.Width, pane.Height};
}

// A control picked from the window by a getter.
template <typename Get>
std::function<QRectF(Form&)> Pick(Get get) {
    return [get](Form& form) { return Of(get(form)); };
}

std::vector<Figure> SeatFigures() {
    std::vector<Figure> figures;
    const auto add = [&](std::string name, std::function<QRectF(Form&)> rect, float l, float t,
                         float w, float h, unsigned layouts = Both, unsigned fixed = None) {
        figures.push_back({std::move(name), std::move(rect), l, t, w, h, layouts, fixed});
    };
    struct SeatRow {
        float touL, touT, touW, touH, nidL, nidT, cashT, levelT, okL, okT, baoL, baoT;
    };
    const SeatRow rows[4] = {{10, 668, 85, 90, 181, 700, 724, 744, 460, 630, 390, 510},
                             {7, 15, 70, 62, 165, 15, 40, 64, 60, 280, 30, 240},
                             {350, 15, 70, 62, 509, 15, 40, 64, 460, 112, 410, 112},
                             {693, 15, 70, 62, 852, 15, 40, 64, 900, 280, 770, 240}};
    for (int k = 0; k < 4; ++k) {
        const SeatRow& r = rows[k];
        const std::string seat = std::to_string(k);
        add("Tou" + seat, Pick([k](Form & f) -> auto& { return f.Tou[k]; }), r.touL, r.touT, r.touW,
            r.touH);
        // The seat labels keep their design sizes at both scales.
        add("Nid" + seat, Pick([k](Form & f) -> auto& { return f.Nid[k]; }), r.nidL, r.nidT, 161,
            25, Both, FixWidth | FixHeight);
        add("Cash" + seat, Pick([k](Form & f) -> auto& { return f.Cash[k]; }), r.nidL, r.cashT, 161,
            17, Both, FixWidth | FixHeight);
        add("Level" + seat, Pick([k](Form & f) -> auto& { return f.Level[k]; }), r.nidL, r.levelT,
            161, 17, Both, FixWidth | FixHeight);
        add("OK" + seat, Pick([k](Form & f) -> auto& { return f.OK[k]; }), r.okL, r.okT, 70, 29,
            Both, FixWidth | FixHeight);
        add("first" + seat, Pick([k](Form & f) -> auto& { return f.first[k]; }), r.okL, r.okT, 70,
            29, Both, FixWidth | FixHeight);
        add("Img_bao_shuai" + seat, Pick([k](Form & f) -> auto& { return f.Img_bao_shuai[k]; }),
            r.baoL, r.baoT, 81, 38);
        add("shou" + seat + "Size", Pick([k](Form & f) -> auto& { return f.shou[k]; }), kAny, kAny,
            47, 65);
    }
    const float frameLefts[4] = {0, 0, 342, 685};
    const float barLefts[4] = {9, 126, 468, 811};
    const float reopenLefts[4] = {0, 32, 375, 720};
    for (int k = 1; k <= 3; ++k) {
        const std::string pane = std::to_string(k);
        add("ImgKuang" + pane, Pick([k](Form & f) -> auto& { return f.ImgKuang[k]; }),
            frameLefts[k], 3, 126, 105, Both, FixTop);
        add("ImgShow" + pane, Pick([k](Form & f) -> auto& { return f.ImgShow[k]; }), reopenLefts[k],
            80, 16, 14);
        add("PicLocal" + pane, Pick([k](Form & f) -> auto& { return f.PicLocal[k]; }), barLefts[k],
            88, 145, 17);
    }
    add("PicLocal0", Pick([](Form & f) -> auto& { return f.PicLocal[0]; }), 9, 742, 87, 17);
    // The panes sit inside their frames, 5 in; the frames' Top 3 is not scaled.
    const float s = 0.78125f;
    for (int k = 1; k <= 3; ++k) {
        const std::string pane = std::to_string(k);
        const auto get = [k](Form& f) { return Of(f.vshow1[k]); };
        add("vshow1" + pane, get, frameLefts[k] + 5, 8, 116, 95, Full);
        figures.push_back({"vshow1" + pane, get, (frameLefts[k] + 5) * s, 3 + 5 * s, 116 * s,
                           95 * s, Reduced, FixLeft | FixTop | FixWidth | FixHeight});
    }
    // The toolbar: button 0 beside the chat line, then two rows of four.
    const float toolbar[9][2] = {{573, 730}, {648, 699}, {718, 699}, {788, 699}, {858, 699},
                                 {648, 731}, {718, 731}, {788, 731}, {858, 731}};
    for (int k = 0; k <= 8; ++k) {
        add("AnNiu" + std::to_string(k), Pick([k](Form & f) -> auto& { return f.AnNiu[k]; }),
            toolbar[k][0], toolbar[k][1], k == 0 ? 50 : 60, 30);
    }
    add("Location", Pick([](Form & f) -> auto& { return f.Location; }), 760, 668, 201, 25, Both,
        FixWidth | FixHeight);
    add("imgLocation", Pick([](Form & f) -> auto& { return f.imgLocation; }), 626, 653, 398, 50);
    add("imgword1", Pick([](Form & f) -> auto& { return f.imgword1; }), 640, 659, 57, 13);
    add("imgword2", Pick([](Form & f) -> auto& { return f.imgword2; }), 640, 675, 57, 13);
    add("Bank", Pick([](Form & f) -> auto& { return f.Bank; }), 698, 662, 60, 29);
    // The pane buttons: design places in their bars, scaled once in the reduced layout.
    const float localLefts[4] = {3.33f, 24, 40, 64};
    const float remoteLefts[4] = {8, 40, 72, 104};
    for (int k = 0; k <= 15; ++k) {
        add("ImCmd" + std::to_string(k), Pick([k](Form & f) -> auto& { return f.ImCmd[k]; }),
            k < 4 ? localLefts[k % 4] : remoteLefts[k % 4], 0, 16, 14);
    }
    return figures;
}

std::vector<Figure> PlayAreaFigures() {
    std::vector<Figure> figures;
    const auto add = [&](std::string name, std::function<QRectF(Form&)> rect, float l, float t,
                         float w, float h, unsigned layouts = Both, unsigned fixed = None) {
        figures.push_back({std::move(name), std::move(rect), l, t, w, h, layouts, fixed});
    };
    const float s = 0.78125f;
    const unsigned asGiven = FixLeft | FixTop | FixWidth | FixHeight;
    add("Time_Img", Pick([](Form & f) -> auto& { return f.Time_Img; }), 920, 778, 81, 38);
    add("Number", Pick([](Form & f) -> auto& { return f.Number; }), 968, 783, 24, 24, Full);
    add("Number", Pick([](Form & f) -> auto& { return f.Number; }), 920 * s + 48 * s + 2, 783 * s,
        24 * s, 24 * s, Reduced, asGiven);
    // Action buttons: three under the middle, three in a column on the banner's right end.
    const float actions[6][2] = {{400, 470}, {478, 470}, {556, 470},
                                 {952, 628}, {952, 603}, {952, 578}};
    for (int k = 0; k <= 5; ++k) {
        const auto get = Pick([k](Form & f) -> auto& { return f.Operation[k]; });
        const std::string name = "Operation" + std::to_string(k);
        if (k < 3) {
            add(name, get, actions[k][0], actions[k][1], 60, 40, Both | Exact);
        } else {
            add(name, get, actions[k][0], actions[k][1], 62, 25, Full | Exact);
            // 800 - 62 x s - 10: the 10 is not scaled.
            add(name, get, 800 - 62 * s - 10, actions[k][1] * s, 62 * s, 25 * s, Reduced, asGiven);
        }
    }
    add("shanImage0", Pick([](Form & f) -> auto& { return f.shanImage[0]; }), 10, 240, 200, 200,
        Both, FixLeft);
    add("shanImage1", Pick([](Form & f) -> auto& { return f.shanImage[1]; }), 400, 112, 200, 200);
    add("shanImage2", Pick([](Form & f) -> auto& { return f.shanImage[2]; }), 860, 240, 200, 200);
    for (int k = 0; k <= 3; ++k) {
        add("btnJiaofen" + std::to_string(k),
            Pick([k](Form & f) -> auto& { return f.btnJiaofen[k]; }), kAny, 470, 66, 38);
    }
    const float bubbles[4][2] = {{94, 513}, {8, 280}, {406, 112}, {936, 280}};
    for (int k = 0; k <= 3; ++k) {
        add("Speak" + std::to_string(k), Pick([k](Form & f) -> auto& { return f.Speak[k]; }),
            bubbles[k][0], bubbles[k][1], kAny, kAny);
    }
    add("Sysmsg0", Pick([](Form & f) -> auto& { return f.Sysmsg[0]; }), 312, 696, 281, 13, Full);
    add("Sysmsg1", Pick([](Form & f) -> auto& { return f.Sysmsg[1]; }), 312, 709, 281, 13, Full);
    const float rowHeight = (26 * s + 4) / 2;
    add("Sysmsg0", Pick([](Form & f) -> auto& { return f.Sysmsg[0]; }), 312 * s, 696 * s - 2,
        281 * s, rowHeight, Reduced, asGiven);
    add("Sysmsg1", Pick([](Form & f) -> auto& { return f.Sysmsg[1]; }), 312 * s,
        696 * s - 2 + rowHeight, 281 * s, rowHeight, Reduced, asGiven);
    add("Lbchat", Pick([](Form & f) -> auto& { return f.Lbchat; }), 594, 695, 25, 33);
    // The arrows take their pictures' sizes: 20 x 15 full, 16 x 12 reduced.
    add("sc_chat0", Pick([](Form & f) -> auto& { return f.sc_chat[0]; }), 594, 695, 20, 15, Full);
    add("sc_chat1", Pick([](Form & f) -> auto& { return f.sc_chat[1]; }), 594, 717.5f, 20, 15,
        Full);
    add("sc_chat0", Pick([](Form & f) -> auto& { return f.sc_chat[0]; }), 595, 695, 16, 12, Reduced,
        FixWidth | FixHeight);
    add("sc_chat1", Pick([](Form & f) -> auto& { return f.sc_chat[1]; }), 594, 723, 16, 12, Reduced,
        FixWidth | FixHeight);
    add("Chat", Pick([](Form & f) -> auto& { return f.Chat; }), 312, 732, 250, 33);
    add("Bird", Pick([](Form & f) -> auto& { return f.Bird; }), 934, 680, 82, 80);
    add("WebBrowser1", Pick([](Form & f) -> auto& { return f.WebBrowser1; }), 936, 682, 82, 80,
        Full);
    add("WebBrowser1", Pick([](Form & f) -> auto& { return f.WebBrowser1; }), 934 * s + 2,
        680 * s + 2, 82 * s, 80 * s, Reduced, asGiven);
    // The camera over the local avatar, 7 shorter, and the frame around it.
    const auto camera = [](Form& f) {
        return QRectF(f.ziva1->Left, f.ziva1->Top, f.ziva1->Width, f.ziva1->Height);
    };
    add("ziva1", camera, 10, 668, 85, 83, Full);
    add("ziva1", camera, 10 * s, 668 * s, 85 * s, 90 * s - 7, Reduced, asGiven);
    add("Proponeself", Pick([](Form & f) -> auto& { return f.Proponeself; }), 0, 658, 100, 118,
        Full);
    add("Proponeself", Pick([](Form & f) -> auto& { return f.Proponeself; }), 10 * s - 10,
        668 * s - 10, 85 * s + 15, 90 * s - 7 + 35, Reduced, asGiven);
    add("Imgwealth", Pick([](Form & f) -> auto& { return f.Imgwealth; }), 10, 500, kAny, kAny,
        Full);
    add("Imgwealth", Pick([](Form & f) -> auto& { return f.Imgwealth; }), 10 * s, 490 * s, kAny,
        kAny, Reduced, asGiven);
    add("lbwealth", Pick([](Form & f) -> auto& { return f.lbwealth; }), 62, 285, kAny, kAny, Full);
    add("lbwealth", Pick([](Form & f) -> auto& { return f.lbwealth; }), 56 * s, 285 * s, kAny, kAny,
        Reduced, asGiven);
    const float wealthTops[3] = {280, 312, 344};
    for (int k = 0; k < 3; ++k) {
        const auto get = Pick([k](Form & f) -> auto& { return f.lbfont[k]; });
        add("lbfont" + std::to_string(k), get, 424, wealthTops[k], kAny, kAny, Full);
        add("lbfont" + std::to_string(k), get, 424 * s - 10, wealthTops[k] * s, kAny, kAny, Reduced,
            asGiven);
    }
    // Card backs all on the first one's design place, not scaled.
    for (int k = 0; k <= 7; ++k) {
        add("imgDipai" + std::to_string(k), Pick([k](Form & f) -> auto& { return f.imgDipai[k]; }),
            344, 120, 73, 97, Both, asGiven);
    }
    // The card images of the four seats: sizes only, their places come with the cards.
    for (int k = 0; k <= 12; ++k) {
        const std::string index = std::to_string(k);
        add("cardImage0_" + index, Pick([k](Form & f) -> auto& { return f.cardImage0[k]; }), kAny,
            kAny, 90, 120);
        add("cardImage1_" + index, Pick([k](Form & f) -> auto& { return f.cardImage1[k]; }), kAny,
            kAny, 80, 108);
        add("cardImage2_" + index, Pick([k](Form & f) -> auto& { return f.cardImage2[k]; }), kAny,
            kAny, 80, 108);
        add("cardImage3_" + index, Pick([k](Form & f) -> auto& { return f.cardImage3[k]; }), kAny,
            kAny, 80, 108);
    }
    return figures;
}

struct Case {
    Figure figure;
    Screen screen;
};

std::vector<Case> AllCases() {
    std::vector<Case> cases;
    for (auto source : {SeatFigures, PlayAreaFigures}) {
        for (Figure& figure : source()) {
            if (figure.layouts & Full) cases.push_back({figure, Screen::Framed1280});
            if (figure.layouts & Exact) cases.push_back({figure, Screen::Exact1024});
            if (figure.layouts & Reduced) cases.push_back({figure, Screen::Small800});
        }
    }
    return cases;
}

// One loaded table per screen, shared by the cases: the layout runs once per window.
class LayoutPositions : public ::testing::TestWithParam<Case> {
  protected:
    static void TearDownTestSuite() { tables().clear(); }
    static LoadedTable& table(Screen screen) {
        auto& loaded = tables()[screen];
        if (!loaded) loaded = std::make_unique<LoadedTable>(screen);
        return *loaded;
    }

  private:
    static std::map<Screen, std::unique_ptr<LoadedTable>>& tables() {
        static std::map<Screen, std::unique_ptr<LoadedTable>> loaded;
        return loaded;
    }
};

TEST_P(LayoutPositions, MatchesTheDesignFigure) {
    const Case& param = GetParam();
    const Figure& f = param.figure;
    const float s = ScaleOf(param.screen);
    const QRectF got = f.rect(table(param.screen).form());
    const auto expect = [&](const char* what, double actual, float design, unsigned fixedBit) {
        if (std::isnan(design)) return;
        const double want = (f.fixed & fixedBit) ? design : design * s;
        EXPECT_NEAR(actual, want, 1e-3) << what;
    };
    expect("Left", got.left(), f.left, FixLeft);
    expect("Top", got.top(), f.top, FixTop);
    expect("Width", got.width(), f.width, FixWidth);
    expect("Height", got.height(), f.height, FixHeight);
}

INSTANTIATE_TEST_SUITE_P(Table, LayoutPositions, ::testing::ValuesIn(AllCases()),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             std::string screen = ScreenName(info.param.screen);
                             return info.param.figure.name + "_at_" +
                                    screen.replace(screen.find('x'), 1, "by");
                         });

}  // namespace
}  // namespace table_test
