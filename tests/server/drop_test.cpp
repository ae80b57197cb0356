// Drops and reconnections: frames meant for the person wait while the person is away and
// follow the reconnect answer; a stale reconnect is refused; many hands with drops at random
// frames end with the client's view of every hand matching the server's.
#include <gtest/gtest.h>

#include <cstdlib>

#include "scripted_client.h"
#include "server/drop_plan.h"

namespace server_test {
namespace {

namespace wire = tableserver::wire;
using tableserver::Phase;
using tableserver::TableOptions;

// Drops the connection at random frames while hands run; every drop is followed by a
// reconnection. Returns the number of drops.
std::uint64_t PlayWithDrops(std::uint32_t seed, int hands, double chance) {
    int refusals = 0;
    Table table(TableOptions{.seed = seed}, [&](const std::string& line) {
        if (line.find("refused") != std::string::npos) ++refusals;
    });
    ScriptedClient client(table, seed + 100);
    tableserver::DropSchedule drops({.chance = chance, .seed = seed});
    client.login();
    client.send(wire::BuildSeatAction(client.seat, true));
    std::size_t seenResults = 0;
    while (table.handsPlayed() < hands || !table.outbox().empty()) {
        // Deliver frame by frame, asking the schedule before each, as the socket server does.
        while (table.linked() && !table.outbox().empty()) {
            if (drops.dropBefore()) {
                table.connectionLost(client.now);
                client.now += 3000;  // the client's reconnection comes three seconds later
                table.advance(client.now);
                client.reconnect();
                EXPECT_EQ(table.outbox().front()[3], 29) << "seed " << seed;
                EXPECT_EQ(table.outbox().front()[15], 1) << "seed " << seed;
                continue;
            }
            client.take(1);
        }
        if (table.handsPlayed() >= hands) break;
        const auto due = table.nextDue();
        if (!due) {
            ADD_FAILURE() << "the table stalls, seed " << seed << " phase " << int(table.phase());
            break;
        }
        client.now = std::max(client.now, *due);
        table.advance(client.now);
        // At the end of every hand the client's view matches the server's.
        if (client.results >= int(seenResults) + 4 && table.phase() == Phase::Waiting &&
            table.outbox().empty()) {
            seenResults = std::size_t(client.results);
            for (const auto& s : table.seats()) {
                EXPECT_EQ(client.gold[s.flag], s.gold)
                    << "seed " << seed << " seat " << int(s.flag);
            }
        }
    }
    EXPECT_EQ(client.results, 4 * hands) << "seed " << seed;
    for (const auto& s : table.seats()) EXPECT_EQ(client.gold[s.flag], s.gold) << "seed " << seed;
    // Every frame the client sent was taken once: no refusal, no frame seen twice.
    EXPECT_EQ(refusals, 0) << "seed " << seed;
    return drops.drops();
}

TEST(DropAndReconnect, FramesWaitForThePersonAndFollowTheReconnectAnswer) {
    Table table(TableOptions{.seed = 5}, {});
    ScriptedClient client(table);
    client.login();
    client.send(wire::BuildSeatAction(client.seat, true));
    ASSERT_TRUE(client.runUntil([&] { return table.phase() == Phase::Playing; }));
    table.connectionLost(client.now);
    // The robots play on while the person is away; nothing goes out.
    client.now += 5000;
    table.advance(client.now);
    EXPECT_FALSE(table.linked());
    const std::size_t waiting = table.outbox().size();
    client.reconnect();
    ASSERT_EQ(table.outbox().size(), waiting + 1);
    EXPECT_EQ(table.outbox().front()[3], 29);
    ASSERT_TRUE(client.runUntil([&] { return table.handsPlayed() == 1; }));
    for (const auto& s : table.seats()) EXPECT_EQ(client.gold[s.flag], s.gold);
}

struct StaleReconnect {
    const char* name;
    std::function<void(ScriptedClient&)> spoil;
    Phase after;  // a stranger's reconnect leaves the seat to its person
};

class RefusedReconnect : public ::testing::TestWithParam<StaleReconnect> {};

TEST_P(RefusedReconnect, IsAnsweredWithAFailure) {
    std::vector<std::string> log;
    Table table(TableOptions{.seed = 6}, [&](const std::string& l) { log.push_back(l); });
    ScriptedClient client(table);
    client.login();
    client.send(wire::BuildSeatAction(client.seat, true));
    ASSERT_TRUE(client.runUntil([&] { return table.phase() == Phase::Playing; }));
    table.connectionLost(client.now);
    GetParam().spoil(client);
    client.reconnect();
    ASSERT_EQ(table.outbox().size(), 1u);
    EXPECT_EQ(table.outbox().front()[3], 29);
    EXPECT_NE(table.outbox().front()[15], 1);
    EXPECT_TRUE(table.wantsClose());
    EXPECT_EQ(table.phase(), GetParam().after);
    EXPECT_NE(log.end(), std::find_if(log.begin(), log.end(), [](const auto& l) {
                  return l.find("refused type 28") != std::string::npos;
              }));
}

INSTANTIATE_TEST_SUITE_P(
    Stale, RefusedReconnect,
    ::testing::Values(
        StaleReconnect{"AnotherToken", [](ScriptedClient& c) { c.token[1] ^= 0xff; }, Phase::Empty},
        StaleReconnect{"AnotherHand", [](ScriptedClient& c) { ++c.threadIndex; }, Phase::Empty},
        StaleReconnect{"AnotherAccount", [](ScriptedClient& c) { c.account = "player2"; },
                       Phase::Playing}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DropAndReconnect, ASeatNotReclaimedWithinTheWindowIsFreed) {
    Table table(TableOptions{.seed = 9, .reconnectWindow = 70000}, {});
    ScriptedClient client(table);
    client.login();
    table.connectionLost(client.now);
    table.advance(client.now + 69999);
    EXPECT_EQ(table.phase(), Phase::Waiting);
    table.advance(client.now + 70000);
    EXPECT_EQ(table.phase(), Phase::Empty);
}

TEST(DropSchedule, DropsAtTheGivenFrameAndSendsTheSameFrameNext) {
    tableserver::DropSchedule schedule({.atFrame = 3});
    std::vector<bool> asked;
    for (int i = 0; i < 5; ++i) asked.push_back(schedule.dropBefore());
    EXPECT_EQ(asked, (std::vector<bool>{false, false, true, false, false}));
    EXPECT_EQ(schedule.framesSent(), 4u);
    EXPECT_EQ(schedule.drops(), 1u);
}

TEST(DropSchedule, NeverDropsTwiceInARowEvenAtCertainty) {
    tableserver::DropSchedule schedule({.chance = 1.0});
    std::vector<bool> asked;
    for (int i = 0; i < 4; ++i) asked.push_back(schedule.dropBefore());
    EXPECT_EQ(asked, (std::vector<bool>{true, false, true, false}));
}

TEST(ManyHandsWithDrops, QuickRun) {
    std::uint64_t drops = 0;
    for (std::uint32_t seed = 1; seed <= 4; ++seed) drops += PlayWithDrops(seed, 3, 0.05);
    EXPECT_GE(drops, 20u);
}

// The long run: set KORVASH_LONG_TESTS=1 to include it.
TEST(ManyHandsWithDrops, LongRunOfAThousandDrops) {
    if (!std::getenv("KORVASH_LONG_TESTS")) GTEST_SKIP() << "long run: set KORVASH_LONG_TESTS=1";
    std::uint64_t drops = 0;
    for (std::uint32_t seed = 1; seed <= 40; ++seed) drops += PlayWithDrops(seed * 7919, 8, 0.05);
    EXPECT_GE(drops, 1000u);
}

}  // namespace
}  // namespace server_test
