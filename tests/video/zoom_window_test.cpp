// The four zoom windows: opened, placed and closed by their pane's zoom button; their three size
// steps with backgrounds, display pane and buttons, and where each step puts the window; the
// drag by the window's body; hiding and re-opening. At both scales.
#include "video/zoom_window.h"

#include <gtest/gtest.h>

#include <QImage>
#include <array>
#include <filesystem>
#include <string>
#include <tuple>

#include "table/table_fixture.h"
#include "video/zoom_windows.h"

namespace video_test {
namespace {

using table_test::LoadedTable;
using table_test::Screen;
using video::ZoomStep;
using video::ZoomWindow;

std::string ScaleName(Screen screen) {
    return screen == Screen::Small800 ? "Reduced" : "Full";
}

struct Rect {
    float left, top, width, height;
};

Rect TableRect(client::MainForm& table) {
    return {table.left(), table.top(), table.width(), table.height()};
}

// Where the zoom button puts pane p's window: around the table's centre by these fractions.
constexpr std::array<std::array<float, 2>, 4> kOpenAcrossDown{
    {{-0.2f, 0.2f}, {-0.25f, -0.2f}, {0.0f, -0.2f}, {0.25f, -0.2f}}};

QPointF OpenPlace(int pane, const Rect& t, float w, float h) {
    const auto [across, down] = kOpenAcrossDown[std::size_t(pane)];
    return {(t.width - w) / 2 + t.left + across * t.width,
            (t.height - h) / 2 + t.top + down * t.height};
}

class ZoomTable {
  public:
    explicit ZoomTable(Screen screen) : table(screen) {}
    LoadedTable table;
    client::MainForm& form() { return table.form(); }
    client::Client& c() { return *table.c; }
    ZoomWindow* window(int pane) { return video::ZoomWindowOf(c(), pane).ifLoaded(); }
    void zoomButton(int pane) { form().ImCmd_Click(4 * pane + 1); }
    float sx() { return table.s().g_fScaleX; }
    float sy() { return table.s().g_fScaleY; }
};

// --- Opening and closing by the pane's zoom button -------------------------------------------

class ZoomButton : public ::testing::TestWithParam<std::tuple<int, Screen>> {};

TEST_P(ZoomButton, OpensTopmostAtTheMiddleStepPlacedAroundTheTableAndClosesByTurns) {
    const auto [pane, screen] = GetParam();
    ZoomTable z(screen);
    z.form().Timer_Zoom.setEnabled(false);
    z.zoomButton(pane);
    ZoomWindow* w = z.window(pane);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->visible());
    EXPECT_TRUE(w->topmost());
    EXPECT_EQ(w->m_nPane, pane);
    EXPECT_FLOAT_EQ(w->width(), 4140 * z.sx());
    EXPECT_FLOAT_EQ(w->height(), 3225 * z.sy());
    const QPointF place = OpenPlace(pane, TableRect(z.form()), w->width(), w->height());
    EXPECT_FLOAT_EQ(w->left(), float(place.x()));
    EXPECT_FLOAT_EQ(w->top(), float(place.y()));
    EXPECT_EQ(z.table.s().g_nZoomPane, pane);
    EXPECT_TRUE(z.form().Timer_Zoom.enabled());
    EXPECT_EQ(z.form().Timer_Zoom.interval(), 100);

    z.table.s().g_nZoomPane = 7;
    z.zoomButton(pane);
    EXPECT_EQ(z.window(pane), nullptr) << "the second click unloads it";
    EXPECT_EQ(z.table.s().g_nZoomPane, 7) << "closing leaves the zoom pane alone";

    // The third click opens it anew, placed against where the table is now.
    z.form().move(z.form().left() + 1500, z.form().top() + 900);
    z.zoomButton(pane);
    w = z.window(pane);
    ASSERT_NE(w, nullptr);
    const QPointF moved = OpenPlace(pane, TableRect(z.form()), w->width(), w->height());
    EXPECT_FLOAT_EQ(w->left(), float(moved.x()));
    EXPECT_FLOAT_EQ(w->top(), float(moved.y()));
}

INSTANTIATE_TEST_SUITE_P(Panes, ZoomButton,
                         ::testing::Combine(::testing::Values(0, 1, 2, 3),
                                            ::testing::Values(Screen::Framed1280,
                                                              Screen::Small800)),
                         [](const auto& info) {
                             return "Pane" + std::to_string(std::get<0>(info.param)) +
                                    ScaleName(std::get<1>(info.param));
                         });

// --- The three size steps ----------------------------------------------------------------------

struct StepLook {
    float width, height;                    // design twips
    float paneLeft, paneTop, paneW, paneH;  // design twips
    int background;                         // full layout; the reduced one adds 3
};
const StepLook kSmall{2625, 2070, 110, 230, 2400, 1800, 870};
const StepLook kMiddle{4140, 3225, 150, 240, 3840, 2880, 871};
const StepLook kLarge{6510, 5115, 240, 480, 6000, 4500, 872};

enum class Press { None, Enlarge, Shrink };

// A walk through the steps: each press and the step the window is at afterwards (a press that
// changes nothing loads no picture).
struct WalkStep {
    const char* name;
    Press press;
    const StepLook* look;
    bool changes;
};
const WalkStep kWalk[] = {
    {"Loaded", Press::None, &kMiddle, false},
    {"ShrinkToSmall", Press::Shrink, &kSmall, true},
    {"ShrinkAtSmall", Press::Shrink, &kSmall, false},
    {"EnlargeToMiddle", Press::Enlarge, &kMiddle, true},
    {"EnlargeToLarge", Press::Enlarge, &kLarge, true},
    {"EnlargeAtLarge", Press::Enlarge, &kLarge, false},
    {"ShrinkToMiddle", Press::Shrink, &kMiddle, true},
    {"ShrinkToSmallAgain", Press::Shrink, &kSmall, true},
};

class ZoomSteps : public ::testing::TestWithParam<Screen> {};

TEST_P(ZoomSteps, EnlargeAndShrinkWalkTheThreeStepsWithTheirBackgroundsPanesAndButtons) {
    ZoomTable z(GetParam());
    const float sx = z.sx(), sy = z.sy();
    const int offset = GetParam() == Screen::Small800 ? 3 : 0;
    z.table.s().g_nResId = 0;
    ZoomWindow& w = z.c().frm_Remote2.get();
    EXPECT_EQ(z.table.s().g_nResId, 871 + offset) << "the middle background at load";
    EXPECT_EQ(w.m_nBackIdOffset, offset);
    EXPECT_FALSE(w.visible()) << "creating never shows it";
    for (const WalkStep& step : kWalk) {
        SCOPED_TRACE(step.name);
        z.table.s().g_nResId = 0;
        z.table.s().g_nZoomPane = 9;
        z.form().Timer_Zoom.setEnabled(false);
        if (step.press == Press::Enlarge) w.ImgCmd_Click(1);
        if (step.press == Press::Shrink) w.ImgCmd_Click(2);
        const StepLook& look = *step.look;
        EXPECT_FLOAT_EQ(w.width(), look.width * sx);
        EXPECT_FLOAT_EQ(w.height(), look.height * sy);
        EXPECT_FLOAT_EQ(w.vshow1->Left, look.paneLeft * sx);
        EXPECT_FLOAT_EQ(w.vshow1->Top, look.paneTop * sy);
        EXPECT_FLOAT_EQ(w.vshow1->Width, look.paneW * sx);
        EXPECT_FLOAT_EQ(w.vshow1->Height, look.paneH * sy);
        if (step.changes) {
            EXPECT_EQ(z.table.s().g_nResId, look.background + offset);
            EXPECT_EQ(z.table.s().g_nZoomPane, 2);
            EXPECT_TRUE(z.form().Timer_Zoom.enabled());
        } else {
            EXPECT_EQ(z.table.s().g_nResId, 0) << "no picture loaded";
            EXPECT_EQ(z.table.s().g_nZoomPane, 9);
            EXPECT_FALSE(z.form().Timer_Zoom.enabled());
        }
    }
}

// The buttons keep their proportion to the window: 150 x 160, 225 x 240, 337.5 x 360 design
// twips, in a row along the top edge from the close button leftwards.
TEST_P(ZoomSteps, ButtonsFollowTheStepAlongTheTopEdge) {
    ZoomTable z(GetParam());
    const float sx = z.sx(), sy = z.sy();
    ZoomWindow& w = z.c().frm_Local.get();
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_FLOAT_EQ(w.ImgCmd[i].width(), 225 * sx);
        EXPECT_FLOAT_EQ(w.ImgCmd[i].height(), 240 * sy);
        EXPECT_FLOAT_EQ(w.ImgCmd[i].left(), w.width() - w.vshow1->Left - float(i + 1) * 225 * sx -
                                                float(i) * 112.5f * sx);
        EXPECT_FLOAT_EQ(w.ImgCmd[i].top(), 0);
    }
    w.ImgCmd_Click(2);  // small
    EXPECT_NEAR(w.ImgCmd[0].width(), 150 * sx, 1e-3);
    EXPECT_NEAR(w.ImgCmd[0].height(), 160 * sy, 1e-3);
    EXPECT_FLOAT_EQ(w.ImgCmd[0].left(), w.width() - w.ImgCmd[0].width() - 80 * sx);
    for (int i = 1; i < 3; ++i) {
        EXPECT_FLOAT_EQ(w.ImgCmd[i].left(), w.ImgCmd[i - 1].left() - w.ImgCmd[i].width() - 60 * sx);
        EXPECT_FLOAT_EQ(w.ImgCmd[i].top(), 30 * sy);
    }
    w.ImgCmd_Click(1);  // middle
    const std::array<float, 3> lefts{3750, 3380, 3000};
    for (int i = 0; i < 3; ++i) {
        EXPECT_FLOAT_EQ(w.ImgCmd[i].left(), lefts[std::size_t(i)] * sx);
        EXPECT_NEAR(w.ImgCmd[i].width(), 225 * sx, 1e-3);
        EXPECT_FLOAT_EQ(w.ImgCmd[i].top(), 0);
    }
    w.ImgCmd_Click(1);  // large
    EXPECT_NEAR(w.ImgCmd[0].width(), 337.5 * sx, 1e-3);
    EXPECT_NEAR(w.ImgCmd[0].height(), 360 * sy, 1e-3);
    EXPECT_FLOAT_EQ(w.ImgCmd[0].left(), w.width() - w.ImgCmd[0].width() - 150 * sx);
    EXPECT_FLOAT_EQ(w.ImgCmd[2].top(), 80 * sy);
}

TEST_P(ZoomSteps, AWindowWhoseWidthIsNoStepIgnoresEnlargeAndShrink) {
    ZoomTable z(GetParam());
    ZoomWindow& w = z.c().frm_Remote1.get();
    w.setWidth(4000);
    z.table.s().g_nResId = 0;
    w.ImgCmd_Click(1);
    w.ImgCmd_Click(2);
    EXPECT_FLOAT_EQ(w.width(), 4000);
    EXPECT_EQ(z.table.s().g_nResId, 0);
    EXPECT_EQ(w.SizeStep(), std::nullopt);
}

TEST_P(ZoomSteps, ABackgroundThatCannotBeWrittenKeepsTheOldOneWhileTheSizeChanges) {
    ZoomTable z(GetParam());
    ZoomWindow& w = z.c().frm_Remote3.get();
    const int small = GetParam() == Screen::Small800 ? 873 : 870;
    // A folder where the temporary picture file would go: the extraction fails.
    std::filesystem::create_directories(z.table.harness.env.programFolder /
                                        ("tmp" + std::to_string(small) + ".GIF"));
    const QImage before = w.picture().image();
    w.ImgCmd_Click(2);
    EXPECT_EQ(w.picture().image(), before);
    EXPECT_FLOAT_EQ(w.width(), 2625 * z.sx());
    EXPECT_EQ(w.SizeStep(), ZoomStep::Small);
}

INSTANTIATE_TEST_SUITE_P(Scales, ZoomSteps, ::testing::Values(Screen::Framed1280, Screen::Small800),
                         [](const auto& info) { return ScaleName(info.param); });

// --- Where a size change puts the window --------------------------------------------------------

// To the small or middle step: around the centre by these fractions; to the large step: in a
// corner, 5 % of the table's width from a side and 7 % of its height from an end.
struct PlaceCase {
    int pane;
    float across, down;      // small and middle
    bool rightSide, bottom;  // large
};
const PlaceCase kPlaces[] = {
    {0, -0.2f, 0.2f, false, true},
    {1, -0.2f, -0.2f, false, false},
    {2, 0.2f, -0.2f, true, false},
    {3, -0.2f, -0.2f, false, false},
};

class ZoomPlacement : public ::testing::TestWithParam<std::tuple<PlaceCase, Screen>> {};

TEST_P(ZoomPlacement, EachStepPlacesTheWindowAgainstTheTablesCurrentPlace) {
    const auto& [k, screen] = GetParam();
    ZoomTable z(screen);
    z.zoomButton(k.pane);
    ZoomWindow& w = *z.window(k.pane);
    // The table has been dragged since the window opened.
    z.form().move(z.form().left() + 2250, z.form().top() + 1200);
    const Rect t = TableRect(z.form());

    w.ImgCmd_Click(2);  // small
    EXPECT_FLOAT_EQ(w.left(), t.left + (t.width - w.width()) / 2 + k.across * t.width);
    EXPECT_FLOAT_EQ(w.top(), t.top + (t.height - w.height()) / 2 + k.down * t.height);
    w.ImgCmd_Click(1);  // middle
    EXPECT_FLOAT_EQ(w.left(), t.left + (t.width - w.width()) / 2 + k.across * t.width);
    EXPECT_FLOAT_EQ(w.top(), t.top + (t.height - w.height()) / 2 + k.down * t.height);
    w.ImgCmd_Click(1);  // large
    EXPECT_FLOAT_EQ(w.left(), k.rightSide ? t.left + t.width - w.width() - 0.05f * t.width
                                          : t.left + 0.05f * t.width);
    EXPECT_FLOAT_EQ(w.top(), k.bottom ? t.top + t.height - w.height() - 0.07f * t.height
                                      : t.top + 0.07f * t.height);
}

INSTANTIATE_TEST_SUITE_P(Panes, ZoomPlacement,
                         ::testing::Combine(::testing::ValuesIn(kPlaces),
                                            ::testing::Values(Screen::Framed1280,
                                                              Screen::Small800)),
                         [](const auto& info) {
                             return "Pane" + std::to_string(std::get<0>(info.param).pane) +
                                    ScaleName(std::get<1>(info.param));
                         });

// --- Drag, close, hide and re-open -------------------------------------------------------------

struct DragCase {
    const char* name;
    int button;
    bool onButton;  // the press lands on the close button instead of the background
    bool onPane;    // the press lands on the display pane
    bool moves;
};

class ZoomDrag : public ::testing::TestWithParam<DragCase> {};

TEST_P(ZoomDrag, OnlyTheLeftButtonOnTheBackgroundDragsTheWindow) {
    const DragCase& k = GetParam();
    ZoomTable z(Screen::Framed1280);
    z.zoomButton(0);
    ZoomWindow& w = *z.window(0);
    const float left = w.left(), top = w.top();
    QPointF at(3, w.height() / 15 - 3);  // the frame's bottom edge
    if (k.onButton) at = w.ImgCmd[0].rectInForm().center();
    if (k.onPane) {
        at = QPointF((w.vshow1->Left + w.vshow1->Width / 2) / 15,
                     (w.vshow1->Top + w.vshow1->Height / 2) / 15);
    }
    w.mouseDown(at, k.button);
    w.mouseMove(at + QPointF(40, 20), k.button);
    w.mouseUp(at + QPointF(40, 20), k.button);
    ASSERT_NE(z.window(0), nullptr) << "a press that leaves the button before release is no click";
    EXPECT_FLOAT_EQ(w.left(), k.moves ? left + 600 : left);
    EXPECT_FLOAT_EQ(w.top(), k.moves ? top + 300 : top);
}

INSTANTIATE_TEST_SUITE_P(Presses, ZoomDrag,
                         ::testing::Values(DragCase{"LeftOnBackground", 1, false, false, true},
                                           DragCase{"RightOnBackground", 2, false, false, false},
                                           DragCase{"LeftOnCloseButton", 1, true, false, false},
                                           DragCase{"LeftOnDisplayPane", 1, false, true, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ZoomClose, TheCloseButtonUnloadsAndLeavesTheZoomPaneAndTimer) {
    ZoomTable z(Screen::Framed1280);
    z.zoomButton(3);
    z.window(3)->ImgCmd_Click(1);  // large: the zoom timer runs
    z.window(3)->ImgCmd_Click(0);
    EXPECT_EQ(z.window(3), nullptr);
    EXPECT_EQ(z.table.s().g_nZoomPane, 3);
    EXPECT_TRUE(z.form().Timer_Zoom.enabled());
    z.zoomButton(3);
    EXPECT_FLOAT_EQ(z.window(3)->width(), 4140) << "a new window starts at the middle step";
}

class ZoomReopen : public ::testing::TestWithParam<Screen> {};

TEST_P(ZoomReopen, AWindowHiddenByItsPanesCloseButtonReopensAtItsStepPlacedAnew) {
    ZoomTable z(GetParam());
    z.zoomButton(2);
    ZoomWindow& w = *z.window(2);
    w.ImgCmd_Click(1);        // large
    z.form().ImCmd_Click(8);  // the pane is closed: its zoom window hides
    ASSERT_EQ(z.window(2), &w);
    EXPECT_FALSE(w.visible());
    z.zoomButton(2);
    ASSERT_EQ(z.window(2), &w) << "shown, not created anew";
    EXPECT_TRUE(w.visible());
    EXPECT_FLOAT_EQ(w.width(), 6510 * z.sx());
    EXPECT_EQ(w.SizeStep(), ZoomStep::Large);
    const QPointF place = OpenPlace(2, TableRect(z.form()), w.width(), w.height());
    EXPECT_FLOAT_EQ(w.left(), float(place.x()));
    EXPECT_FLOAT_EQ(w.top(), float(place.y()));
    w.ImgCmd_Click(2);
    EXPECT_FLOAT_EQ(w.width(), 4140 * z.sx()) << "it still changes size";
}

INSTANTIATE_TEST_SUITE_P(Scales, ZoomReopen,
                         ::testing::Values(Screen::Framed1280, Screen::Small800),
                         [](const auto& info) { return ScaleName(info.param); });

TEST(ZoomWindows, TwoWindowsChangeSizeApartAndTheZoomPaneNamesTheLastOne) {
    ZoomTable z(Screen::Small800);
    z.zoomButton(1);
    z.zoomButton(2);
    EXPECT_EQ(z.table.s().g_nZoomPane, 2);
    z.window(1)->ImgCmd_Click(2);
    EXPECT_EQ(z.table.s().g_nZoomPane, 1);
    EXPECT_EQ(z.window(1)->SizeStep(), ZoomStep::Small);
    EXPECT_EQ(z.window(2)->SizeStep(), ZoomStep::Middle);
}

TEST(ZoomWindows, MinimisingTheTableUnloadsTheVisibleOnesOnly) {
    ZoomTable z(Screen::Framed1280);
    z.zoomButton(0);
    z.zoomButton(2);
    z.zoomButton(3);
    z.form().ImCmd_Click(12);  // pane 3 closed: its window hidden, still loaded
    z.c().frm_Remote1.get();   // created, never shown
    z.form().setWindowState(forms::WindowState::Minimized);
    EXPECT_EQ(z.window(0), nullptr);
    EXPECT_EQ(z.window(2), nullptr);
    EXPECT_NE(z.window(1), nullptr);
    EXPECT_NE(z.window(3), nullptr);
}

}  // namespace
}  // namespace video_test
