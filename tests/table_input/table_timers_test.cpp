// The seat-change caption and the previous trick's three seconds on view.
#include "hand_table.h"

namespace table_input {
namespace {

using forms::testing::click;

TEST_F(HandTable, TheSeatChangeCaptionCyclesThroughItsFourTexts) {
    s().g_nShuffleIndex = 0;
    form().TimerShuffle.setInterval(300);
    form().TimerShuffle.setEnabled(true);
    const char* dots[] = {"..", "...", "....", ".....", ".."};
    for (const char* d : dots) {
        table.harness.scheduler.advance(300);
        EXPECT_EQ(form().LblShuffle.caption(), QStringLiteral("正在随机换座中") + d);
    }
    EXPECT_EQ(s().g_nShuffleIndex, 1);
}

TEST_F(HandTable, ThePreviousTrickShowsForThreeSecondsThenTheCurrentOneAgain) {
    for (auto* images : {&form().cardImage1, &form().cardImage2}) {
        for (int k = 0; k <= 3; ++k) {
            if (!images->exists(k)) images->load(k);
        }
    }
    // Seat 1 played 0 and 1 before and 2 now; seat 2 played 3 before and nothing yet.
    s().g_aPrevTrickCards[1] = {0, 1};
    s().g_aPrevTrickCards[1][27] = 2;
    s().g_aTrickCards[1] = {2};
    s().g_aTrickCards[1][27] = 1;
    s().g_aPrevTrickCards[2] = {3};
    s().g_aPrevTrickCards[2][27] = 1;
    form().cardImage1[2].setVisible(true);
    s().g_bGameRunning = true;
    s().g_bPrevTrickReady = true;
    form().Operation[4].setVisible(true);
    form().Operation[4].setEnabled(true);

    click(form().Operation[4]);
    EXPECT_TRUE(form().cardImage1[0].visible());
    EXPECT_TRUE(form().cardImage1[1].visible());
    EXPECT_FALSE(form().cardImage1[2].visible());
    EXPECT_TRUE(form().cardImage2[3].visible());
    EXPECT_FALSE(s().g_bPrevTrickReady);
    click(form().Operation[4]);  // again before the three seconds: nothing changes
    EXPECT_TRUE(form().Timerformer.enabled());

    table.harness.scheduler.advance(3000);
    EXPECT_FALSE(form().cardImage1[0].visible());
    EXPECT_FALSE(form().cardImage1[1].visible());
    EXPECT_TRUE(form().cardImage1[2].visible());
    EXPECT_FALSE(form().cardImage2[3].visible()) << "seat 2 has not played in this trick";
    EXPECT_TRUE(s().g_bPrevTrickReady);
    EXPECT_FALSE(form().Timerformer.enabled());
}

}  // namespace
}  // namespace table_input
