// The same hand with the connection dropped just before each frame of the table's script in
// turn: the client reconnects with the table's token, the table sends what was waiting, and the
// hand runs to its four results and the next ready. No move reaches the table twice, none that
// waited in the client's send ring is lost, and the person never needs the server to move.
#include <gtest/gtest.h>

#include <cstdio>

#include "served_table.h"

namespace hand_test {
namespace {

namespace wire = tableserver::wire;

constexpr std::uint32_t kSeed = 3;

class DropAtFrame : public ::testing::TestWithParam<int>, protected ServedTable {
  protected:
    DropAtFrame() : ServedTable(kSeed) {}
    int typeCount(std::uint8_t type) const {
        return int(std::count_if(sentToClient.begin(), sentToClient.end(),
                                 [&](const state::Frame& f) { return f[3] == type; }));
    }
};

// Before the login answer there is nothing to reconnect to: the client only waits, unconnected,
// and neither reconnects nor ends.
TEST_F(DropAtFrame, BeforeTheLoginAnswerTheClientWaitsWithoutReconnecting) {
    dropBeforeFrame = 0;
    open();
    ASSERT_FALSE(HasFatalFailure());
    runUntil([] { return false; }, 30000);
    EXPECT_EQ(drops, 1);
    EXPECT_EQ(server.connectionCount(), 1);
    EXPECT_FALSE(c->s.g_bLoggedIn);
    EXPECT_FALSE(c->frmReconnect.isLoaded());
    EXPECT_FALSE(harness.scheduler.hasEnded());
    EXPECT_EQ(harness.scheduler.unhandledFailureCount(), 0);
}

TEST_P(DropAtFrame, TheHandStillCompletesWithEveryMoveOnce) {
    dropBeforeFrame = std::size_t(GetParam());
    open();
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_TRUE(runUntil([&] { return c->s.Player_num == 4; }, 30000)) << logText();
    forms::testing::click(c->MainForm->AnNiu[2]);
    const auto handOver = [&] { return table.handsPlayed() == 1 && typeCount(9) == 4; };
    ASSERT_TRUE(runUntil(handOver, 600000)) << logText();
    if (dropBeforeFrame) GTEST_SKIP() << "the hand has fewer frames";
    EXPECT_EQ(drops, 1);
    EXPECT_GE(server.connectionCount(), 2);
    // The client holds what the table says it holds, and the gold of the results.
    ASSERT_TRUE(runUntil([&] { return caughtUp(); }, 60000));
    expectViewsAgree();
    // The next-hand clock's ready reaches the table after the results.
    ASSERT_TRUE(runUntil([&] { return table.seats()[table.personSeat()].ready; }, 60000))
        << logText();

    expectNoFrameTwice(true);
    EXPECT_FALSE(logHas("moves for the person")) << logText();
    EXPECT_EQ(clientFramesOfType(wire::ClientDealDone).size(), 1u);
    // Every frame that went into the send ring reached the table.
    std::size_t ringFrames = 0;
    for (const auto& f : server.frames())
        if (f[3] != wire::ClientLogin && f[3] != wire::ClientReconnect) ++ringFrames;
    EXPECT_EQ(ringFrames, queued);
    EXPECT_EQ(harness.scheduler.unhandledFailureCount(), 0)
        << harness.scheduler.lastUnhandledFailure();
}

// The seed's hand sends 59 frames (one more for a reconnection).
INSTANTIATE_TEST_SUITE_P(Seed3, DropAtFrame, ::testing::Range(1, 59), [](const auto& info) {
    char name[32];
    std::snprintf(name, sizeof name, "BeforeFrame%03d", info.param);
    return std::string(name);
});

}  // namespace
}  // namespace hand_test
