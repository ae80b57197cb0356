// Departures (21) and readiness (23) through the dispatcher on a seated table: who is cleared,
// the once-per-hand end of the running game with the next-hand clock, the keep-alive, the
// program's end for the local player's own departure, and the ready marks.
#include <gtest/gtest.h>

#include <QTime>
#include <functional>

#include "hand_table.h"
#include "platform/runtime/failure.h"
#include "seating_fixture.h"

namespace dispatch_test {
namespace {

using support::BuildPlayerLeft;
using support::BuildPlayerReady;

struct LeftCase {
    const char* name;
    std::function<void(HandTable&)> setUp;
    support::PlayerLeftFrame frame;
    std::array<bool, 4> cleared;
    std::int16_t playersAfter;
    bool clockStarts;
    std::int16_t countdown;
};

void Running(HandTable& t) {
    t.c.s.g_bTimeLimit = true;
}
void Stays(HandTable&) {}

class Departures : public ::testing::TestWithParam<LeftCase> {};

TEST_P(Departures, ClearTheSeatAndEndTheRunningGameOnce) {
    const LeftCase& k = GetParam();
    HandTable table;
    auto& s = table.c.s;
    table.c.sys.env.timeOfDay = [] { return QTime(9, 5, 7); };
    table.form.TimerKeepAlive.setEnabled(false);
    for (int seat = 0; seat < 4; ++seat) table.form.OK[seat].setVisible(true);
    k.setUp(table);

    table.dispatch(BuildPlayerLeft(k.frame));
    ASSERT_FALSE(table.hallRestored());
    for (int seat = 1; seat < 4; ++seat) {
        SCOPED_TRACE(seat);
        const bool cleared = k.cleared[std::size_t(seat)];
        EXPECT_EQ(s.custom[std::size_t(seat)].name.isEmpty(), cleared);
        EXPECT_EQ(table.form.OK[seat].visible(), !cleared);
        EXPECT_EQ(table.form.Nid[seat].caption().isEmpty(), cleared);
        EXPECT_EQ(s.g_aPlayerInfo[std::size_t(seat)].nickname.isEmpty(), cleared);
        // The account stays with the seat's profile.
        EXPECT_FALSE(s.g_aPlayerInfo[std::size_t(seat)].account.isEmpty());
    }
    EXPECT_EQ(s.Player_num, k.playersAfter);
    EXPECT_EQ(s.channels.check[state::ChannelReadyClock], k.clockStarts);
    if (k.clockStarts) {
        EXPECT_EQ(s.g_nCountdown, k.countdown);
        EXPECT_EQ(table.form.Number.caption(), QString::number(k.countdown));
        EXPECT_FALSE(s.g_bGameRunning);
        EXPECT_FALSE(s.g_bTimeLimit);
    }
    EXPECT_TRUE(table.form.TimerKeepAlive.enabled());
}

INSTANTIATE_TEST_SUITE_P(
    Frame, Departures,
    ::testing::Values(LeftCase{"LeftSeatTenSeconds",
                               Running,
                               {.readySeconds = 1, .account = "left02"},
                               {false, true, false, false},
                               3,
                               true,
                               10},
                      LeftCase{"OtherReadySecondsFifteen",
                               Running,
                               {.readySeconds = 2, .account = "top03"},
                               {false, false, true, false},
                               3,
                               true,
                               15},
                      LeftCase{"BossKeyOneSecond",
                               [](HandTable& t) {
                                   Running(t);
                                   t.c.s.g_bBossKey = true;
                               },
                               {.readySeconds = 1, .account = "right04"},
                               {false, false, false, true},
                               3,
                               true,
                               1},
                      LeftCase{"SecondDepartureOnlyEmptiesTheSeat",
                               Stays,
                               {.account = "left02"},
                               {false, true, false, false},
                               3,
                               false,
                               0},
                      LeftCase{"AntiCheatLowersTheFirstCharacter",
                               Running,
                               {.antiCheat = 1, .readySeconds = 1, .account = "uop03"},
                               {false, false, true, false},
                               3,
                               true,
                               10},
                      LeftCase{"SameAccountOnTwoSeats",
                               [](HandTable& t) { t.c.s.custom[3].name = QStringLiteral("top03"); },
                               {.account = "top03"},
                               {false, false, true, true},
                               2,
                               false,
                               0},
                      LeftCase{"UnknownAccountClearsNothing",
                               Running,
                               {.account = "nobody"},
                               {false, false, false, false},
                               4,
                               true,
                               10},
                      LeftCase{"ZeroFirstByteMatchesNoSeat",
                               Stays,
                               {.account = ""},
                               {false, false, false, false},
                               4,
                               false,
                               0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Departure, SystemLineAndWealthDisplay) {
    HandTable table;
    auto& s = table.c.s;
    table.c.sys.env.timeOfDay = [] { return QTime(9, 5, 7); };
    s.beishu = 2;
    s.g_aSeatBeishu = {0, 3, 120, 0};
    table.dispatch(BuildPlayerLeft({.account = "left02"}));
    EXPECT_EQ(table.form.Sysmsg[0].list(0), QStringLiteral("左家退出了游戏 9:5:7"));
    EXPECT_EQ(table.form.Sysmsg[1].listCount(), 0);
    EXPECT_EQ(s.g_aSeatBeishu[1], 0);
    EXPECT_EQ(table.form.lbwealth.caption(), QStringLiteral("120"));
    EXPECT_FLOAT_EQ(table.form.lbwealth.fontSize(), 13);
    EXPECT_TRUE(table.form.Imgwealth.visible());

    s.beishu = 0;
    table.dispatch(BuildPlayerLeft({.account = "top03"}));
    EXPECT_FALSE(table.form.Imgwealth.visible());
    EXPECT_FALSE(table.form.lbwealth.visible());
}

TEST(Departure, ThePluginForgetsTheSeat) {
    HandTable table;
    RecordingPropDll& plugin = table.loadPropPlugin();
    table.dispatch(BuildPlayerLeft({.account = "right04"}));
    EXPECT_EQ(plugin.clearedSeats, std::vector<std::int16_t>{3});
}

TEST(Departure, TheRelayDropsEverySlotThatHoldsTheLeavingPlayer) {
    HandTable table;
    auto relay = std::make_unique<ScriptedRelay>();
    ScriptedRelay& scripted = *relay;
    scripted.users = {QString(), QStringLiteral("right04"), QStringLiteral("left02"),
                      QStringLiteral("right04")};
    table.form.P2PSocket1 = std::move(relay);
    table.dispatch(BuildPlayerLeft({.account = "right04"}));
    EXPECT_EQ(scripted.closedSlots, (std::vector<std::int16_t>{1, 3}));
    // An empty account names no slot, not even a free one.
    scripted.closedSlots.clear();
    scripted.users[2].clear();
    table.dispatch(BuildPlayerLeft({.account = ""}));
    EXPECT_TRUE(scripted.closedSlots.empty());
}

TEST(Departure, TheLocalPlayersOwnEndsTheProgramBeforeAnySeatIsTouched) {
    HandTable table;
    EXPECT_THROW(table.dispatch(BuildPlayerLeft({.account = "me01"})), platform::ProgramEnd);
    EXPECT_EQ(table.c.s.Player_num, 4);
}

struct ReadyCase {
    const char* name;
    std::array<bool, 4> shownBefore;
    std::uint8_t readyState;
    const char* account;
    bool handStarted;
    std::array<bool, 4> shownAfter;
    bool prepared;
};

class Readiness : public ::testing::TestWithParam<ReadyCase> {};

TEST_P(Readiness, MarksTheSeatAndPreparesTheTableWhenTheOthersAreReady) {
    const ReadyCase& k = GetParam();
    HandTable table;
    auto& s = table.c.s;
    s.Inited = false;
    s.g_bHandStarted = k.handStarted;
    for (int seat = 0; seat < 4; ++seat)
        table.form.OK[seat].setVisible(k.shownBefore[std::size_t(seat)]);
    table.form.lblfanshu.setVisible(true);
    table.dispatch(BuildPlayerReady({.readyState = k.readyState, .account = k.account}));
    for (int seat = 0; seat < 4; ++seat)
        EXPECT_EQ(table.form.OK[seat].visible(), k.shownAfter[std::size_t(seat)]) << seat;
    EXPECT_EQ(s.Inited, k.prepared);
    EXPECT_EQ(!table.form.lblfanshu.visible(), k.prepared) << "the table reset ran";
}

INSTANTIATE_TEST_SUITE_P(
    Frame, Readiness,
    ::testing::Values(
        ReadyCase{"OneSeatReady", {}, 1, "top03", false, {false, false, true, false}, false},
        ReadyCase{"LocalMarkDoesNotCount",
                  {false, true, true, false},
                  1,
                  "me01",
                  false,
                  {true, true, true, false},
                  false},
        ReadyCase{"ThirdOtherPrepares",
                  {false, true, true, false},
                  1,
                  "right04",
                  false,
                  {false, true, true, true},
                  true},
        ReadyCase{"StateZeroStillPrepares",
                  {false, true, true, true},
                  0,
                  "right04",
                  false,
                  {false, true, true, true},
                  true},
        ReadyCase{
            "StateZeroMarksNothing", {}, 0, "top03", false, {false, false, false, false}, false},
        ReadyCase{"NotAfterAHandWasDealt",
                  {false, true, true, false},
                  1,
                  "right04",
                  true,
                  {false, true, true, true},
                  false},
        ReadyCase{"UnknownAccount", {}, 1, "nobody", false, {false, false, false, false}, false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace dispatch_test
