// Malformed frames of the marked-aces, turn, result, gold, departure and readiness types: each
// fails only its own frame (the hall window is restored, the rest of that frame is dropped) and
// the next frame is handled as usual. Run under the sanitizers, no case may read or write
// outside its arrays.
#include <gtest/gtest.h>

#include <functional>

#include "hand_table.h"

namespace dispatch_test {
namespace {

using namespace support;

struct MalformedCase {
    const char* name;
    std::function<void(HandTable&)> setUp;
    std::function<state::Frame()> frame;
    bool fails;  // some malformed frames have a defined outcome and do not fail
};

void Dealt(HandTable& t) {
    t.dealHand({"3d", "9s", "Kh", "8c", "Ah", "7d", "Qs", "2h", "Jc", "4s", "10d", "8h", "6c"});
}
void OwnFlagNoSeat(HandTable& t) {
    Dealt(t);
    t.c.s.custom[0].seat = 0x80;
}

class MalformedFrames : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedFrames, FailOnlyTheirOwnFrame) {
    const MalformedCase& k = GetParam();
    HandTable table;
    k.setUp(table);
    table.dispatch(k.frame());
    EXPECT_EQ(table.hallRestored(), k.fails);

    // The client goes on: a gold change is the next frame.
    table.c.s.custom[0].seat = 1;
    table.dispatch(BuildGoldChange({.amount = 5}));
    EXPECT_DOUBLE_EQ(table.c.s.g_aPlayerInfo[0].gold, 1005);
}

state::Frame Turn(TurnFrame fields) {
    return BuildTurn(fields);
}

INSTANTIATE_TEST_SUITE_P(
    Frame, MalformedFrames,
    ::testing::Values(
        MalformedCase{"OpeningMultiplierAbove32767", Dealt,
                      [] {
                          state::Frame f = Turn({.seat = 2, .nextSeat = 4, .turnKind = 1});
                          f[73] = 0x80;
                          return f;
                      },
                      true},
        MalformedCase{"TurnWithOwnFlagNoSeat", OwnFlagNoSeat,
                      [] { return Turn({.seat = 2, .nextSeat = 4, .turnKind = 4}); }, true},
        MalformedCase{"PlayWithARankOutsideTheCards", Dealt,
                      [] {
                          state::Frame f = Turn({.seat = 2,
                                                 .nextSeat = 4,
                                                 .turnKind = 4,
                                                 .cards = Cards({"3c"}),
                                                 .pattern = 1});
                          f[21] = 40;
                          return f;
                      },
                      true},
        MalformedCase{"CardCountOf255", Dealt,
                      [] {
                          state::Frame f = Turn({.seat = 2,
                                                 .nextSeat = 4,
                                                 .turnKind = 4,
                                                 .cards = Cards({"3c"}),
                                                 .pattern = 1});
                          f[17] = 255;
                          return f;
                      },
                      true},
        MalformedCase{
            "SeatBytesWithHighBits", Dealt,
            [] { return Turn({.seat = 0xF2, .nextSeat = 0xF4, .turnKind = 255, .seconds = 255}); },
            false},
        MalformedCase{"MarkedAcesWithOwnFlagNoSeat", OwnFlagNoSeat,
                      [] { return BuildMarkedAces({.colourMask = 4, .holder1 = 2, .suit1 = 4}); },
                      true},
        MalformedCase{
            "MarkedAcesWithOddSuits", Dealt,
            [] { return BuildMarkedAces({.colourMask = 255, .holder1 = 0xFF, .suit1 = 0xFF}); },
            false},
        MalformedCase{
            "BadgeWithOwnFlagNoSeat", OwnFlagNoSeat,
            [] { return BuildBaoShuai({.badgeCount = 2, .badge = 1, .seat1 = 2, .seat2 = 4}); },
            true},
        MalformedCase{"AntiCheatDepartureWithZeroFirstByte", Dealt,
                      [] { return BuildPlayerLeft({.antiCheat = 1, .account = ""}); }, true},
        MalformedCase{"ReadyWithAFullAccountWindow", Dealt,
                      [] {
                          state::Frame f = BuildPlayerReady({.account = "x"});
                          std::fill(f.begin() + 16, f.begin() + 32, 0xFF);
                          return f;
                      },
                      false},
        MalformedCase{"GoldForAFullAccountWindowOfHighBytes", Dealt,
                      [] {
                          state::Frame f = BuildGoldChange({.amount = 1, .account = "x"});
                          std::fill(f.begin() + 25, f.begin() + 42, 0xFF);
                          return f;
                      },
                      false},
        MalformedCase{"ResultNoteAllLeadBytes", Dealt,
                      [] {
                          state::Frame f = BuildHandResult({.seat = 2});
                          std::fill(f.begin() + 226, f.begin() + 247, 0xFF);
                          return f;
                      },
                      false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace dispatch_test
