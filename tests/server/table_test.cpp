// The table server alone, driven by a scripted client on virtual time: whole hands run to their
// four results, gold moves as the results say, and the server's and the client's views agree.
#include <gtest/gtest.h>

#include <numeric>
#include <set>

#include "scripted_client.h"

namespace server_test {
namespace {

using tableserver::Phase;
using tableserver::TableOptions;

struct Logged {
    std::vector<std::string> lines;
    tableserver::Logger logger() {
        return [this](const std::string& line) { lines.push_back(line); };
    }
    bool has(const std::string& part) const {
        return std::any_of(lines.begin(), lines.end(),
                           [&](const std::string& l) { return l.find(part) != std::string::npos; });
    }
};

std::vector<std::uint8_t> Types(const std::vector<state::Frame>& frames) {
    std::vector<std::uint8_t> types;
    for (const auto& f : frames) types.push_back(f[3]);
    return types;
}

TEST(TableLogin, SeatsThePersonWithThreeRobotsAndAnswersWithTheTableToken) {
    Logged log;
    Table table(TableOptions{.seed = 3}, log.logger());
    ScriptedClient client(table);
    client.login();
    EXPECT_EQ(Types(client.received), (std::vector<std::uint8_t>{18, 20, 20, 20, 20}));
    EXPECT_EQ(client.received[0][15], 1);   // accepted
    EXPECT_EQ(client.received[0][11], 20);  // the turn clock's seconds
    std::set<std::uint8_t> described;
    for (const auto& f : client.ofType(20)) {
        EXPECT_EQ(f[6], client.seat);  // every record names the receiver's own seat
        EXPECT_EQ(tableserver::wire::FrameToken(f), table.token());
        described.insert(f[226]);
    }
    EXPECT_EQ(described, (std::set<std::uint8_t>{1, 2, 4, 8}));
    EXPECT_EQ(table.phase(), Phase::Waiting);
    EXPECT_EQ(table.seats()[table.personSeat()].account, "player1");
}

class WholeHands : public ::testing::TestWithParam<std::uint32_t> {};

TEST_P(WholeHands, RunHandAfterHandToTheFourResultsWithGoldAsTheResultsSay) {
    Logged log;
    Table table(TableOptions{.seed = GetParam()}, log.logger());
    ScriptedClient client(table, GetParam() * 31 + 1);
    client.login();
    client.send(tableserver::wire::BuildSeatAction(client.seat, true));
    ASSERT_TRUE(client.runUntil([&] { return table.handsPlayed() == 3; }));

    EXPECT_EQ(client.ofType(9).size(), 12u);
    EXPECT_EQ(client.ofType(16).size(), 3u);
    EXPECT_EQ(client.ofType(1).size(), 9u);  // three batches a hand
    EXPECT_EQ(client.ofType(4).size(), 3u);  // marked aces
    EXPECT_EQ(client.ofType(2).size(), 3u);  // one prompt a hand
    // Each hand's results name the four seats once, with places 1 to 4 or 5 for a give-up.
    const auto results = client.ofType(9);
    for (std::size_t h = 0; h < 3; ++h) {
        std::set<std::uint8_t> seats, places;
        for (std::size_t k = 0; k < 4; ++k) {
            seats.insert(results[4 * h + k][6]);
            places.insert(results[4 * h + k][72]);
        }
        EXPECT_EQ(seats, (std::set<std::uint8_t>{1, 2, 4, 8}));
        EXPECT_TRUE(places.count(1)) << "hand " << h;
    }
    // The client's running gold, from the results and the gold changes, is the server's.
    for (const auto& s : table.seats())
        EXPECT_EQ(client.gold[s.flag], s.gold) << "seat " << int(s.flag);
    EXPECT_FALSE(log.has("refused")) << log.lines.front();
}

INSTANTIATE_TEST_SUITE_P(Seeds, WholeHands, ::testing::Values(1u, 2u, 17u, 99u, 2024u),
                         [](const auto& info) { return "Seed" + std::to_string(info.param); });

TEST(TableRepeatability, OneSeedGivesTheSameFramesTwice) {
    auto run = [](std::uint32_t seed) {
        Table table(TableOptions{.seed = seed}, {});
        ScriptedClient client(table, 5);
        client.login();
        client.send(tableserver::wire::BuildSeatAction(client.seat, true));
        client.runUntil([&] { return table.handsPlayed() == 1; });
        return client.received;
    };
    EXPECT_EQ(run(11), run(11));
    EXPECT_NE(run(11), run(12));
}

TEST(TableRobots, SayAQuickPhraseNowAndThen) {
    Table table(TableOptions{.seed = 8, .phrasePercent = 100}, {});
    ScriptedClient client(table);
    client.login();
    client.send(tableserver::wire::BuildSeatAction(client.seat, true));
    ASSERT_TRUE(client.runUntil([&] { return table.handsPlayed() == 1; }));
    const auto chats = client.ofType(19);
    ASSERT_FALSE(chats.empty());
    EXPECT_EQ(chats.front()[9], 1);  // a quick phrase of the first list
    EXPECT_GE(chats.front()[15], 1);
    EXPECT_NE(chats.front()[6], client.seat);
}

TEST(TableLeaving, TheLeaveFrameUnseatsThePersonAndALaterLoginSeatsAfresh) {
    Logged log;
    Table table(TableOptions{.seed = 4}, log.logger());
    ScriptedClient client(table);
    client.login();
    client.send(tableserver::wire::BuildSeatAction(client.seat, false));
    EXPECT_EQ(table.phase(), Phase::Empty);
    EXPECT_TRUE(table.wantsClose());
    EXPECT_TRUE(log.has("the client left"));
    client.received.clear();
    client.seat = 0;
    client.login();
    EXPECT_EQ(Types(client.received), (std::vector<std::uint8_t>{18, 20, 20, 20, 20}));
}

}  // namespace
}  // namespace server_test
