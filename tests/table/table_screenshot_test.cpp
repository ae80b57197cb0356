// The table window drawn with four seated players, a hand of thirteen cards and a trick on the
// table, at both scales; the pictures are saved under the build folder for a look.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>

#include "table_scene.h"

namespace table_test {
namespace {

class TableScreenshot : public ::testing::TestWithParam<Screen> {};

TEST_P(TableScreenshot, DrawsFourSeatsAHandAndATrick) {
    LoadedTable table(GetParam(), true);
    SetUpScene(table);
    const QImage shot = forms::renderWindow(table.form());
    ASSERT_FALSE(shot.isNull());
    const QSize screen = ScreenSize(GetParam());
    // A framed window on a large screen, the whole screen otherwise.
    EXPECT_EQ(shot.size(), GetParam() == Screen::Framed1280 ? QSize(1040, 796) : screen);

    // The last card of the hand lies on top, where the scene put it: white beside its middle.
    const QRectF card = table.form().cardImage0[12].rectInForm();
    const QPoint blank(int(card.left() + card.width() * 0.8), int(card.center().y()));
    EXPECT_GT(QColor(shot.pixel(blank)).lightness(), 200);

    const auto folder = std::filesystem::path(KORVASH_BUILD_DIR) / "screenshots";
    std::filesystem::create_directories(folder);
    const auto file = folder / (std::string("table-") + ScreenName(GetParam()) + ".png");
    EXPECT_TRUE(shot.save(QString::fromStdString(file.string())));
}

INSTANTIATE_TEST_SUITE_P(Table, TableScreenshot,
                         ::testing::Values(Screen::Framed1280, Screen::Small800),
                         LayoutName<::testing::TestParamInfo<Screen>>);

}  // namespace
}  // namespace table_test
