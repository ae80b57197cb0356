// Hand after hand at random seeds with the connection dropped before random frames: every drop
// is recovered by the client's reconnection, the table never sees a move twice, and between
// hands the client's cards and gold are the table's. The long run (a thousand drops and more)
// needs KORVASH_LONG_TESTS=1.
#include <gtest/gtest.h>

#include <cstdlib>

#include "served_table.h"

namespace hand_test {
namespace {

struct Run {
    int drops = 0;
    int hands = 0;
};

// Plays `hands` hands at `seed`, dropping before a frame with `perMille` chance in a thousand.
Run PlayWithDrops(std::uint32_t seed, int hands, int perMille) {
    ServedTable t(seed);
    t.network.seed(seed);
    t.dropPerMille = perMille;
    t.open();
    if (::testing::Test::HasFatalFailure()) return {};
    EXPECT_TRUE(t.runUntil([&] { return t.c->s.Player_num == 4; }, 30000)) << t.logText();
    forms::testing::click(t.c->MainForm->AnNiu[2]);
    for (int h = 1; h <= hands; ++h) {
        // A hand is over and its results are all with the client: its view is the table's.
        const auto personReady = [&] { return t.table.seats()[t.table.personSeat()].ready; };
        const bool over =
            t.runUntil([&] { return t.table.handsPlayed() == h && t.caughtUp(); }, 900000);
        EXPECT_TRUE(over) << "seed " << seed << " hand " << h << "\n" << t.logText();
        if (!over) break;
        if (!personReady()) t.expectViewsAgree();
        // The next-hand clock's ready reaches the table.
        const bool ready = t.runUntil(personReady, 120000);
        EXPECT_TRUE(ready) << "seed " << seed << " hand " << h << "\n" << t.logText();
        if (!ready) break;
    }
    t.expectNoFrameTwice(false);
    EXPECT_FALSE(t.logHas("moves for the person")) << "seed " << seed << "\n" << t.logText();
    EXPECT_EQ(t.harness.scheduler.unhandledFailureCount(), 0)
        << t.harness.scheduler.lastUnhandledFailure();
    return {t.drops, t.table.handsPlayed()};
}

TEST(RandomDrops, ShortRunRecoversEveryDrop) {
    int drops = 0;
    for (std::uint32_t seed : {5u, 17u}) drops += PlayWithDrops(seed, 2, 40).drops;
    EXPECT_GE(drops, 4);
}

TEST(RandomDrops, LongRunOfAThousandDrops) {
    if (!std::getenv("KORVASH_LONG_TESTS")) GTEST_SKIP() << "long run: set KORVASH_LONG_TESTS=1";
    int drops = 0;
    for (std::uint32_t seed = 1; drops < 1000 && seed <= 400; ++seed)
        drops += PlayWithDrops(seed * 7919, 3, 50).drops;
    EXPECT_GE(drops, 1000);
}

}  // namespace
}  // namespace hand_test
