// The score board, the history window and the information card: layout, translucency, moving,
// closing, the history's lists in step and a hand opened from the history.
#include <QApplication>

#include "platform/forms/input.h"
#include "platform/forms/render.h"
#include "platform/forms/testing/driver.h"
#include "platform/forms/units.h"
#include "settlement/hand_history.h"
#include "settlement/information_window.h"
#include "settlement/translucency.h"
#include "settlement_fixture.h"
#include "support/temp_folder.h"

namespace settlement_test {
namespace {

namespace drive = forms::testing;

void ensureApplication() {
    if (QApplication::instance()) return;
    static int argc = 1;
    static char name[] = "test_settlement";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
}

using SettlementWindows = SettlementTest;

TEST_F(SettlementWindows, LayoutAsDesigned) {
    EXPECT_EQ(score().caption(), "战绩板");
    EXPECT_EQ(score().width(), 9585);
    EXPECT_EQ(score().height(), 7200);
    EXPECT_EQ(score().State[3].left(), 120 + 2400 * 3);
    EXPECT_EQ(score().State[7].top(), 6360);
    EXPECT_EQ(score().ID[1].caption(), "玩家1");
    EXPECT_EQ(hero().caption(), "英雄榜");
    EXPECT_EQ(hero().width(), 9825);
    EXPECT_EQ(hero().Grade[2].width(), 1935);
    EXPECT_EQ(hero().Label2.caption(), "输赢总分：");
    auto& card = *c.Information;
    EXPECT_EQ(card.height(), 4965);
    EXPECT_EQ(card.Label9.caption(), "败场次数");
    EXPECT_EQ(card.Inf[8].top(), 600 + 480 * 8);
    EXPECT_TRUE(card.Inf[0].autoSize());
    EXPECT_EQ(card.Inf[0].fontSize(), 12);
    // Hero is centred but not topmost; Score is both.
    EXPECT_FALSE(hero().topmost());
    EXPECT_EQ(hero().left(), form().left() + (form().width() - hero().width()) / 2);
}

TEST_F(SettlementWindows, TranslucentOnlyOnTheSystemsThatLayerWindows) {
    EXPECT_EQ(score().alpha(), 200);
    EXPECT_EQ(hero().alpha(), 200);
    EXPECT_EQ(c.Information->alpha(), 200);
    struct Case {
        platform::SystemVersion version;
        bool translucent;
    };
    for (const Case& t : {Case{{2, 5, 0}, true}, Case{{2, 6, 1}, true}, Case{{2, 4, 0}, false},
                          Case{{2, 10, 0}, false}, Case{{1, 5, 0}, false}}) {
        forms::Form window(c.forms);
        settlement::MakeTranslucentWhereLayered(window, t.version);
        EXPECT_EQ(window.alpha().has_value(), t.translucent) << t.version.major;
    }
}

TEST_F(SettlementWindows, EitherButtonHidesAndTheLeftButtonDragsTheBody) {
    for (int k = 0; k < 2; ++k) {
        score().show();
        drive::click(score().Image1[k]);
        EXPECT_FALSE(score().visible());
        hero().show();
        drive::click(hero().Image1[k]);
        EXPECT_FALSE(hero().visible());
    }
    score().show();
    const float left = score().left();
    drive::drag(score(), {300, 40}, {350, 60}, forms::kRightButton);
    EXPECT_EQ(score().left(), left);
    // The window moves under the pointer, so a position is relative to where it now is.
    drive::press(score(), {300, 40});
    score().mouseMove({350, 60}, forms::kLeftButton, 0);
    drive::release(score(), {350, 60});
    EXPECT_EQ(score().left(), left + forms::pixelsToTwips(50));
}

TEST_F(SettlementWindows, HistoryListsMoveInStepAndADoubleClickOpensTheHand) {
    settleWholeHand();
    dispatch(support::BuildHandResult(result(1, true, 7)));
    dispatch(support::BuildHandResult(result(0, false, 7)));
    dispatch(support::BuildHandResult(result(2, false, 7)));
    dispatch(support::BuildHandResult(result(3, true, 7)));
    ASSERT_EQ(hero().Num.listCount(), 2);
    hero().show();
    score().hide();

    hero().Grade[2].setListIndex(0);
    EXPECT_EQ(hero().Num.listIndex(), 0);
    EXPECT_EQ(hero().Grade[0].listIndex(), 0);
    hero().Num.setListIndex(1);
    EXPECT_EQ(hero().Grade[3].listIndex(), 1);

    // The first hand back in the score board, in front.
    drive::doubleClick(hero(), drive::pointOf(hero().Grade[1], QPointF(5, 5)));
    EXPECT_EQ(hero().Grade[1].listIndex(), 0);
    EXPECT_TRUE(score().visible());
    EXPECT_EQ(score().State[5].items(), QStringList{"最终分：- 200金币"});
    EXPECT_EQ(score().State[4].items(), QStringList{"最终分：300金币"});
    hero().Num.setListIndex(1);
    hero().Num_DblClick();
    EXPECT_EQ(score().State[4].items(), QStringList{"最终分：- 7金币"});
}

TEST_F(SettlementWindows, ADoubleClickWithNothingSelectedShowsTheBoardAsItIs) {
    settleWholeHand();
    score().hide();
    const QStringList before = score().State[0].items();
    hero().Num.setListIndex(-1);
    hero().Num_DblClick();
    EXPECT_TRUE(score().visible());
    EXPECT_EQ(score().State[0].items(), before);
}

TEST_F(SettlementWindows, ALoadedHandReplacesTheLinesAndTheHeads) {
    settleWholeHand();
    score().State[0].addItem(QStringLiteral("surplus"));
    c.s.g_aScoreHeads[0].nickname = QStringLiteral("改名");
    settlement::LoadHandRecord(c, 1);
    EXPECT_EQ(score().ID[0].caption(), "玩家1");
    EXPECT_NE(score().State[0].items().back(), "surplus");
    EXPECT_FALSE(score().Tou[1].picture().isEmpty());
    // Nothing of the history's own picture file is left behind.
    EXPECT_FALSE(std::filesystem::exists(harness.env.programFolder /
                                         (c.ids.g_aIdAvatar[5] + ".GIF").toStdString()));
    const QStringList now = score().State[0].items();
    settlement::LoadHandRecord(c, 0);
    EXPECT_EQ(score().State[0].items(), now);
}

// The three windows drawn, saved for a look (test-tmp/score.png, hero.png, information.png).
TEST_F(SettlementWindows, Screenshots) {
    ensureApplication();
    // A plain hand, then one with bonus items, a cap, the wealth multiplier and a props block
    // in colour, which stays on the board.
    settleWholeHand();
    support::HandResultFrame rich = result(0, true, 1'000'000'000'000'000);
    rich.mengXuan = 1;
    rich.bonusX2 = {1, 0, 0, 1, 0, 1};
    rich.capped = 1;
    rich.subtotalSign = 1;
    rich.subtotalAmount = 500'000'000'000'000;
    c.s.beishu = 2;
    c.s.g_sBeishuText = QStringLiteral("2");
    c.s.g_aScoreLines[2] = QStringLiteral("宝箱奖励：金币 +20016711680|再开一箱");
    c.s.g_aPrizeAmount[2] = 200;
    dispatch(support::BuildHandResult(result(1, false, 500)));
    dispatch(support::BuildHandResult(rich));
    dispatch(support::BuildHandResult(result(3, false, 200)));
    dispatch(support::BuildHandResult(result(2, false, 100)));
    // The history's heads, as the seating fills them.
    for (int k = 0; k < 4; ++k) {
        hero().ID[k].setCaption(c.s.g_aScoreHeads[std::size_t(k)].nickname);
        settlement::ShowAvatar(c, c.s.g_aScoreHeads[std::size_t(k)].avatarIndex, hero().Tou[k],
                               settlement::AvatarFile::Temporary);
    }
    auto& card = *c.Information;
    const QString values[] = {"玩家1", "男", "北京", "1200", "100", "35", "2", "20", "15"};
    for (int r = 0; r < 9; ++r) card.Inf[r].setCaption(values[r]);
    for (auto [window, name] : {std::pair<forms::Form*, const char*>{&score(), "score.png"},
                                {&hero(), "hero.png"},
                                {&card, "information.png"}}) {
        const QImage shot = forms::renderWindow(*window);
        EXPECT_EQ(shot.width(), int(forms::twipsToPixels(window->width())));
        EXPECT_TRUE(
            forms::saveWindowPng(*window, QString::fromStdString((testRoot() / name).string())));
    }
}

}  // namespace
}  // namespace settlement_test
