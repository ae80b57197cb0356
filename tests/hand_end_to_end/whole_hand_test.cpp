// One whole hand end to end: the real client, on virtual time over loopback, against the local
// table server with three robots. The person logs in, gets ready, declares what the deal offers,
// plays every turn with the mouse on the cards and the buttons, sees the four results on the
// settlement sheet, and the next-hand clock sends the ready for the next hand.
#include <gtest/gtest.h>

#include <set>

#include "served_table.h"

namespace hand_test {
namespace {

namespace wire = tableserver::wire;
using tableserver::Phase;

class WholeHand : public ::testing::TestWithParam<std::uint32_t>, protected ServedTable {
  protected:
    WholeHand() : ServedTable(GetParam()) {}

    std::uint8_t seat() const { return std::uint8_t(table.seats()[table.personSeat()].flag); }
    int typeCount(std::uint8_t type) const {
        return int(std::count_if(sentToClient.begin(), sentToClient.end(),
                                 [&](const state::Frame& f) { return f[3] == type; }));
    }
};

TEST_P(WholeHand, PlaysOneHandByClicksToTheSettlementAndTheNextReady) {
    open();
    ASSERT_FALSE(HasFatalFailure());
    // The login went first, and the table seated the person with three robots.
    ASSERT_GE(server.frameCount(), 1u);
    EXPECT_EQ(server.frames()[0][3], wire::ClientLogin);
    ASSERT_TRUE(runUntil([&] { return c->s.Player_num == 4; }, 10000));
    EXPECT_EQ(c->s.custom[0].seat, seat());

    // Ready with the mouse.
    forms::testing::click(c->MainForm->AnNiu[2]);
    ASSERT_TRUE(runUntil([&] { return table.phase() != Phase::Waiting; }, 10000)) << logText();

    // The deal: thirteen cards in hand, put in rank order once the marked colour is known.
    ASSERT_TRUE(runUntil(
        [&] { return c->s.custom[0].count == 13 && typeCount(4) == 1 && caughtUp(); }, 60000))
        << logText();
    screenshot(*c->MainForm, "whole-hand-deal.png");
    EXPECT_EQ(typeCount(1), 3) << "three deal batches";

    // Halfway through the play.
    ASSERT_TRUE(runUntil([&] { return table.phase() == Phase::Playing; }, 60000)) << logText();
    const auto cardsLeft = [&] {
        int n = 0;
        for (const auto& s : table.seats()) n += int(s.hand.size());
        return n;
    };
    ASSERT_TRUE(runUntil([&] { return cardsLeft() <= 26 || table.handsPlayed() == 1; }, 300000));
    screenshot(*c->MainForm, "whole-hand-mid.png");

    // Every trick, to the four results and the sheet.
    ASSERT_TRUE(runUntil([&] { return table.handsPlayed() == 1 && typeCount(9) == 4; }, 600000))
        << logText();
    ASSERT_TRUE(runUntil([&] { return c->Score.isLoaded() && c->Score->visible(); }, 20000));
    screenshot(*c->MainForm, "whole-hand-settlement-table.png");
    screenshot(*c->Score, "whole-hand-settlement-sheet.png");

    // Nothing the client sent was refused, and every one of its frames is one the server's
    // own builder makes for the same move.
    EXPECT_FALSE(refused()) << logText();
    const auto frames = clientFrames();
    std::set<std::uint8_t> types;
    for (const auto& f : frames) {
        types.insert(f[3]);
        if (f[3] == wire::ClientDealDone) {
            EXPECT_EQ(f, wire::BuildDealDone(seat()));
        }
        if (f[3] == wire::ClientKeepAlive) {
            EXPECT_EQ(f, wire::BuildKeepAlive(seat()));
        }
        // A pass, or the cards as the table read them, byte for byte as its own builder.
        if (f[3] == wire::ClientPlayCards && f != wire::BuildPass(seat())) {
            const auto play = wire::ReadPlay(f);
            EXPECT_EQ(f, wire::BuildPlay(seat(), play.pattern, play.cardIds));
        }
    }
    EXPECT_TRUE(types.count(wire::ClientSeatAction));
    EXPECT_TRUE(types.count(wire::ClientDeclare));
    EXPECT_TRUE(types.count(wire::ClientDealDone));
    EXPECT_TRUE(types.count(wire::ClientPlayCards));
    EXPECT_GT(clicksOnCards + playClicks, 0);
    EXPECT_EQ(clientFramesOfType(wire::ClientDealDone).size(), 1u);

    // The client's view agrees with the server's: the cards left in hand, gold as the results.
    expectViewsAgree();
    expectNoFrameTwice(true);
    EXPECT_FALSE(logHas("moves for the person")) << "every move was the person's own";

    // The next-hand clock runs out and sends the ready for the next hand.
    const std::size_t readies = clientFramesOfType(wire::ClientSeatAction).size();
    ASSERT_TRUE(runUntil(
        [&] { return clientFramesOfType(wire::ClientSeatAction).size() > readies; }, 60000));
    EXPECT_EQ(clientFramesOfType(wire::ClientSeatAction).back(),
              wire::BuildSeatAction(seat(), true));
    EXPECT_EQ(harness.scheduler.unhandledFailureCount(), 0)
        << harness.scheduler.lastUnhandledFailure();
}

INSTANTIATE_TEST_SUITE_P(Seeds, WholeHand, ::testing::Values(3u, 11u),
                         [](const auto& info) { return "Seed" + std::to_string(info.param); });

}  // namespace
}  // namespace hand_test
