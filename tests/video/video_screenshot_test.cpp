// Pictures for a look: the table with its four video panes' button strips, one local and one
// remote button hovered (the local one with its tooltip box); and a zoom window at each of its
// three steps, at both scales. Saved under the build folder's screenshots/.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <filesystem>

#include "platform/forms/render.h"
#include "table/table_fixture.h"
#include "table/table_scene.h"
#include "video/zoom_window.h"
#include "video_table.h"

namespace video_test {
namespace {

using table_test::LoadedTable;
using table_test::Screen;

std::filesystem::path ShotFolder() {
    const auto folder = std::filesystem::path(KORVASH_BUILD_DIR) / "screenshots";
    std::filesystem::create_directories(folder);
    return folder;
}

std::string ScaleName(Screen screen) {
    return screen == Screen::Small800 ? "reduced" : "full";
}

class PaneScreenshot : public ::testing::TestWithParam<Screen> {};

TEST_P(PaneScreenshot, PaneStripsWithAHoveredButtonAndTheTooltipBox) {
    LoadedTable table(GetParam(), true);
    table_test::SetUpScene(table);
    auto& form = table.form();
    for (int k = 0; k <= 3; ++k) {
        form.PicLocal[k].setVisible(true);
        form.PicLocal[k].zOrder(0);
    }
    for (int k = 1; k <= 3; ++k) form.ImgKuang[k].setVisible(true);
    form.ImCmd_MouseMove(9, 0, 0, 1, 1);
    form.ImCmd_MouseMove(1, 0, 0, 1, 1);
    const QImage shot = forms::renderWindow(form);
    ASSERT_FALSE(shot.isNull());

    // The tooltip box lies on the table where its handler put it, pale yellow behind "放大".
    const QRectF tip = form.Tiplbl.rectInForm();
    const QColor inside(shot.pixel(QPoint(int(tip.right()) - 2, int(tip.top()) + 2)));
    EXPECT_GT(inside.red(), 230);
    EXPECT_GT(inside.green(), 230);
    EXPECT_LT(inside.blue(), 240);
    const std::string scale = ScaleName(GetParam());
    EXPECT_TRUE(shot.save(
        QString::fromStdString((ShotFolder() / ("video-pane-strips-" + scale + ".png")).string())));
    // The local strip with its tooltip and the opposite seat's strip, four times as large.
    const auto closeUp = [&](const QRectF& area, const std::string& name) {
        const QImage part = shot.copy(area.toAlignedRect().adjusted(-6, -6, 6, 6));
        EXPECT_TRUE(part.scaled(part.size() * 4)
                        .save(QString::fromStdString(
                            (ShotFolder() / ("video-pane-strip-" + name + "-" + scale + ".png"))
                                .string())));
    };
    closeUp(form.PicLocal[0].rectInForm().united(tip), "local");
    closeUp(form.PicLocal[2].rectInForm(), "opposite");
}

TEST_P(PaneScreenshot, AZoomWindowAtEachOfItsSteps) {
    LoadedTable table(GetParam(), true);
    auto& form = table.form();
    form.ImCmd_Click(9);
    video::ZoomWindow& w = table.c->frm_Remote2.get();
    const char* names[] = {"small", "middle", "large"};
    w.ImgCmd_Click(2);
    for (int step = 0; step < 3; ++step) {
        if (step > 0) w.ImgCmd_Click(1);
        const QImage shot = forms::renderWindow(w);
        ASSERT_FALSE(shot.isNull());
        EXPECT_NEAR(shot.width(), w.width() / 15, 1);
        EXPECT_NEAR(shot.height(), w.height() / 15, 1);
        // The black field in the middle, the wooden frame at the bottom edge.
        EXPECT_LT(QColor(shot.pixel(shot.width() / 2, shot.height() / 2)).lightness(), 40);
        EXPECT_GT(QColor(shot.pixel(shot.width() / 2, shot.height() - 2)).lightness(), 40);
        EXPECT_TRUE(shot.save(
            QString::fromStdString((ShotFolder() / (std::string("zoom-window-") + names[step] +
                                                    "-" + ScaleName(GetParam()) + ".png"))
                                       .string())));
    }
}

INSTANTIATE_TEST_SUITE_P(Scales, PaneScreenshot,
                         ::testing::Values(Screen::Framed1280, Screen::Small800),
                         [](const auto& info) {
                             return info.param == Screen::Small800 ? std::string("Reduced")
                                                                   : std::string("Full");
                         });

// The local camera's test pattern in its zoom window at the large step: the frames the camera
// captures reach the visible window.
TEST(PaneScreenshot, TheCamerasTestPatternInItsLargeZoomWindow) {
    relayserver::RelayServer relay({.port = 0});
    ASSERT_TRUE(relay.listening());
    relay.start();
    VideoClient alice("alice", Qt::red, relay.port(), true, true);
    ASSERT_TRUE(alice.s().g_bLocalVideoOk);
    alice.form().ImCmd_Click(1);
    video::ZoomWindow& w = alice.c->frm_Local.get();
    w.ImgCmd_Click(1);
    PlayFor({&alice}, 5 * platform::kCameraFrameIntervalMs);
    const auto& display = dynamic_cast<const platform::FrameDisplay&>(*w.vshow1);
    EXPECT_GT(display.framesShown(), 3u);
    const QImage shot = forms::renderWindow(w);
    ASSERT_FALSE(shot.isNull());
    EXPECT_GT(QColor(shot.pixel(shot.width() / 2, shot.height() / 2)).saturation(), 60)
        << "the pattern, not the black field";
    EXPECT_TRUE(shot.save(
        QString::fromStdString((ShotFolder() / "zoom-window-camera-large.png").string())));
}

}  // namespace
}  // namespace video_test
