// The information card over a remote pane.
#include "video/pane_hover.h"

#include <gtest/gtest.h>

#include "settlement/information_window.h"
#include "table/table_fixture.h"
#include "video_fakes.h"

namespace {

struct PlaceCase {
    std::string name;
    int index;
    table::TwipsRect window;
    float expectedLeft;
    float expectedTop;
};

class PaneCardPlace : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(PaneCardPlace, SitsAThirdOfTheTableApartPerPane) {
    const PlaceCase& c = GetParam();
    const table::CardPlace place = video::VideoPaneCardPlace(c.index, c.window, 30, 45);
    EXPECT_FLOAT_EQ(place.left, c.expectedLeft);
    EXPECT_FLOAT_EQ(place.top, c.expectedTop);
}

INSTANTIATE_TEST_SUITE_P(
    Panes, PaneCardPlace,
    ::testing::Values(
        PlaceCase{"Left", 1, {600, 300, 15600, 11940}, 630, 345 + 0.14f * 11940},
        PlaceCase{"Opposite", 2, {600, 300, 15600, 11940}, 630 + 5200, 345 + 0.14f * 11940},
        PlaceCase{"Right", 3, {0, 0, 15601, 9000}, 30 + 10400, 45 + 1260},
        // (3 - 1) x 15001 = 30002, and 30002 \ 3 = 10000.
        PlaceCase{"RightOfAnOddWidth", 3, {0, 0, 15001, 9000}, 30 + 10000, 45 + 1260}),
    [](const auto& info) { return info.param.name; });

class PaneHover : public ::testing::Test {
  protected:
    table_test::LoadedTable table{table_test::Screen::Framed1280};
    client::MainForm& form = table.form();
    video_test::RecordingVideo video{form};
};

TEST_F(PaneHover, ShowsTheSeatsCardOnceUntilItCloses) {
    table.s().g_aPlayerInfo[2].nickname = QStringLiteral("对家");
    table.s().g_aPlayerInfo[2].wins = 12;
    form.vshow1[2].PaneMouseMove(0, 0, 150, 150);
    auto& card = *table.c->Information;
    ASSERT_TRUE(card.visible());
    EXPECT_EQ(card.Inf[0].caption(), QStringLiteral("对家"));
    EXPECT_EQ(card.Inf[7].caption(), QStringLiteral("12"));
    const table::CardPlace place =
        video::VideoPaneCardPlace(2, {form.left(), form.top(), form.width(), form.height()},
                                  form.Pic1.left(), form.Pic1.top());
    EXPECT_FLOAT_EQ(card.left(), place.left);
    EXPECT_FLOAT_EQ(card.top(), place.top);
    card.setLeft(0);
    form.vshow1[2].PaneMouseMove(0, 0, 150, 150);
    EXPECT_FLOAT_EQ(card.left(), 0);
}

TEST_F(PaneHover, ASeatWithoutANicknameShowsNoCard) {
    form.vshow1[1].PaneMouseMove(0, 0, 150, 150);
    EXPECT_FALSE(table.c->Information->visible());
}

}  // namespace
