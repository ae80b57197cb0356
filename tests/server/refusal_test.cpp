// Frames the client should never send are refused with a log line and change nothing, so the
// server also checks what the client sends.
#include <gtest/gtest.h>

#include <functional>

#include "scripted_client.h"
#include "server/robot.h"

namespace server_test {
namespace {

namespace wire = tableserver::wire;

struct Refusal {
    const char* name;
    // Where the table stands when the frame comes: before the login, waiting for ready, in the
    // first batch, or at the person's turn to lead.
    enum Moment { BeforeLogin, Waiting, FirstBatch, PersonLeads } moment;
    std::function<state::Frame(const ScriptedClient&, const Table&)> frame;
    const char* logged;
};

// A play of the person's first `n` cards in hand order, whatever they make.
state::Frame FirstCards(const ScriptedClient& c, std::size_t n, std::uint8_t pattern) {
    std::vector<std::uint8_t> ids;
    for (std::size_t i = 0; i < n; ++i) ids.push_back(c.hand[i].id);
    return wire::BuildPlay(c.seat, pattern, ids);
}

// The person's lowest single, as a legal lead.
state::Frame LowestSinglePlay(const ScriptedClient& c) {
    const auto play = tableserver::LowestSingle(c.hand);
    return wire::BuildPlay(c.seat, 1, {play.cards[0].id});
}

const Refusal kRefusals[] = {
    {"FrameBeforeLogin", Refusal::BeforeLogin,
     [](const auto&, const auto&) { return wire::BuildKeepAlive(1); }, "not logged in"},
    {"UnknownType", Refusal::Waiting,
     [](const auto& c, const auto&) {
         auto f = wire::BuildKeepAlive(c.seat);
         f[3] = 99;
         return f;
     },
     "no such client frame"},
    {"AnotherSeatsByte", Refusal::Waiting,
     [](const auto& c, const auto&) {
         return wire::BuildKeepAlive(std::uint8_t(c.seat == 1 ? 2 : 1));
     },
     "is not the person's"},
    {"ReadyWithoutASeat", Refusal::Waiting,
     [](const auto&, const auto&) { return wire::BuildSeatAction(0, true); },
     "is not the person's"},
    {"PlayWhileWaiting", Refusal::Waiting,
     [](const auto& c, const auto&) { return wire::BuildPass(c.seat); }, "outside the play"},
    {"DeclarationWhileNoneIsOpen", Refusal::Waiting,
     [](const auto& c, const auto&) { return wire::BuildDeclare(c.seat, tableserver::ActionPass); },
     "while none is open"},
    {"ReadyDuringAHand", Refusal::FirstBatch,
     [](const auto& c, const auto&) { return wire::BuildSeatAction(c.seat, true); },
     "a ready during a hand"},
    {"AceDeclarationWithACardNotOffered", Refusal::FirstBatch,
     [](const auto& c, const auto&) {
         return wire::BuildDeclare(c.seat, tableserver::ActionXuan,
                                   {tableserver::wire::CardWord(1, 3, 60)});
     },
     "was not offered"},
    {"DealAcknowledgementTooEarly", Refusal::FirstBatch,
     [](const auto& c, const auto&) { return wire::BuildDealDone(c.seat); },
     "outside the last batch"},
    {"PassWhenLeading", Refusal::PersonLeads,
     [](const auto& c, const auto&) { return wire::BuildPass(c.seat); }, "a pass when leading"},
    {"CardNotInTheHand", Refusal::PersonLeads,
     [](const auto& c, const auto&) { return wire::BuildPlay(c.seat, 1, {200}); },
     "is not in the person's hand"},
    {"SameCardTwice", Refusal::PersonLeads,
     [](const auto& c, const auto&) {
         return wire::BuildPlay(c.seat, 2, {c.hand[0].id, c.hand[0].id});
     },
     "is not in the person's hand"},
    {"CardsThatMakeNoPlay", Refusal::PersonLeads,
     [](const auto& c, const auto&) { return FirstCards(c, 13, 3); }, "make no play"},
    {"PatternByteThatDoesNotFit", Refusal::PersonLeads,
     [](const auto& c, const auto&) {
         auto f = LowestSinglePlay(c);
         f[18] = 2;
         return f;
     },
     "pattern 2 for a play of kind 1"},
    {"TooManyCards", Refusal::PersonLeads,
     [](const auto& c, const auto&) {
         auto f = LowestSinglePlay(c);
         f[17] = 14;
         return f;
     },
     "a play of 14 cards"},
};

class Refused : public ::testing::TestWithParam<Refusal> {};

TEST_P(Refused, WithALogLineAndNothingChanged) {
    const Refusal& r = GetParam();
    std::vector<std::string> log;
    // A seed whose first hand the person leads, so the person's turn comes at once.
    std::uint32_t seed = 1;
    std::unique_ptr<Table> table;
    std::unique_ptr<ScriptedClient> client;
    for (;; ++seed) {
        log.clear();
        table = std::make_unique<Table>(tableserver::TableOptions{.seed = seed},
                                        [&](const std::string& l) { log.push_back(l); });
        client = std::make_unique<ScriptedClient>(*table);
        if (r.moment == Refusal::BeforeLogin) {
            client->connect();
            break;
        }
        client->login();
        if (r.moment == Refusal::Waiting) break;
        client->autoPlay = r.moment == Refusal::PersonLeads;
        client->playTurns = false;
        client->send(wire::BuildSeatAction(client->seat, true));
        const bool stopped = client->runUntil([&] {
            return r.moment == Refusal::FirstBatch
                       ? table->phase() == tableserver::Phase::FirstBatch
                       : table->phase() == tableserver::Phase::Playing;
        });
        ASSERT_TRUE(stopped);
        if (r.moment == Refusal::FirstBatch || table->toAct() == table->personSeat()) break;
    }
    const auto phase = table->phase();
    const auto outgoing = table->outbox().size();
    const auto hand = table->seats()[table->personSeat()].hand;
    const std::size_t linesBefore = log.size();
    table->receive(r.frame(*client, *table), client->now);
    ASSERT_EQ(log.size(), linesBefore + 1);
    EXPECT_NE(log.back().find("refused"), std::string::npos) << log.back();
    EXPECT_NE(log.back().find(r.logged), std::string::npos) << log.back();
    EXPECT_EQ(table->phase(), phase);
    EXPECT_EQ(table->outbox().size(), outgoing);
    EXPECT_EQ(table->seats()[table->personSeat()].hand, hand);
}

INSTANTIATE_TEST_SUITE_P(BadFrames, Refused, ::testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

// The client's keep-alive clock starts with the login answer, before the person's record tells
// the client its seat: a keep-alive without a seat is taken, without a log line.
TEST(KeepAlive, WithoutASeatBeforeTheClientKnowsItIsTaken) {
    std::vector<std::string> log;
    Table table(tableserver::TableOptions{.seed = 3},
                [&](const std::string& l) { log.push_back(l); });
    ScriptedClient client(table);
    client.login();
    const std::size_t linesBefore = log.size();
    table.receive(wire::BuildKeepAlive(0), client.now);
    table.receive(wire::BuildKeepAlive(client.seat), client.now);
    EXPECT_EQ(log.size(), linesBefore);
}

TEST(RefusedPlay, LeavesThePersonsTurnOpenUntilTheServerMovesForThePerson) {
    std::vector<std::string> log;
    for (std::uint32_t seed = 1;; ++seed) {
        log.clear();
        Table table(tableserver::TableOptions{.seed = seed},
                    [&](const std::string& l) { log.push_back(l); });
        ScriptedClient client(table);
        client.playTurns = false;
        client.login();
        client.send(wire::BuildSeatAction(client.seat, true));
        client.runUntil([&] { return table.phase() == tableserver::Phase::Playing; });
        if (table.toAct() != table.personSeat()) continue;
        client.send(wire::BuildPass(client.seat));
        EXPECT_EQ(table.toAct(), table.personSeat());
        // Past the turn clock and the grace the server leads the lowest single for the person.
        client.runUntil([&] { return table.toAct() != table.personSeat(); }, 40000);
        EXPECT_NE(table.toAct(), table.personSeat());
        EXPECT_EQ(table.seats()[table.personSeat()].hand.size(), 12u);
        EXPECT_NE(std::find_if(
                      log.begin(), log.end(),
                      [](const auto& l) { return l.find("clock ran out") != std::string::npos; }),
                  log.end());
        return;
    }
}

}  // namespace
}  // namespace server_test
