// A hand in play drawn for a look: dealt cards, the three other seats' plays with their piles,
// the local pair on the table and the illegal-play notice; saved under the build folder.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>

#include "cards/display/chu_pai.h"
#include "cards/display/play_selected_cards.h"
#include "cards/display/show_other_player_cards.h"
#include "platform/forms/render.h"
#include "table_play_fixture.h"

namespace cards_display_test {
namespace {

class PlayScreenshot : public ::testing::TestWithParam<Screen> {};

TEST_P(PlayScreenshot, DrawsATrickWithPilesAndTheNotice) {
    TablePlay play(GetParam(), true);
    client::Client& c = play.c;
    play.dealHand({"3d", "9s", "Kh", "8c", "Ah", "7d", "Qs", "2h", "Jc", "4s", "10d", "8h", "6c"});
    const struct {
        std::uint8_t seat;
        std::uint8_t pattern;
        std::vector<std::string> cards;
    } plays[] = {{2, 3, {"3h", "4h", "5h", "6s", "7s"}},
                 {4, 2, {"9h", "9d"}},
                 {8, 6, {"Jd", "Jh", "Js", "Jc"}}};
    for (const auto& p : plays) {
        cards::ShowOtherPlayerCards(
            c, support::BuildTurn(
                   {.seat = p.seat, .cards = WireCards(p.cards), .pattern = p.pattern}));
    }
    c.s.g_bTurnOpen = true;
    c.s.former.formerType = cards::PatternType::PatternInvalid;
    for (const int slot : {3, 11}) {
        forms::Image& card = play.form.cardImage0[slot];
        card.setTop(c.s.g_nCardBaseTop - card.height() / 5);
    }
    cards::PlaySelectedCards(c);
    const QImage table = forms::renderWindow(play.form);
    ASSERT_FALSE(table.isNull());

    cards::ShowIllegalPlayNotice(c);
    const QImage notice = forms::renderWindow(*c.ChuPai);
    EXPECT_EQ(notice.size(), QSize(178, 63));

    const auto folder = std::filesystem::path(KORVASH_BUILD_DIR) / "screenshots";
    std::filesystem::create_directories(folder);
    const std::string name = table_test::ScreenName(GetParam());
    EXPECT_TRUE(table.save(QString::fromStdString((folder / ("trick-" + name + ".png")).string())));
    EXPECT_TRUE(notice.save(QString::fromStdString((folder / "illegal-play-notice.png").string())));
}

INSTANTIATE_TEST_SUITE_P(Cards, PlayScreenshot,
                         ::testing::Values(Screen::Framed1280, Screen::Small800),
                         table_test::LayoutName<::testing::TestParamInfo<Screen>>);

}  // namespace
}  // namespace cards_display_test
