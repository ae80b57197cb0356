// Deal and declaration frames that break the game's limits: each fails only itself (the hall
// window comes back and the rest of the frame is dropped), and the next frame is handled as
// usual. Run under the sanitizers, a stray read or write here would end the test.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "dealing_fixture.h"

namespace dispatch_test {
namespace {

using platform::SystemCommand;

struct MalformedCase {
    std::string name;
    std::function<void(state::SharedState&)> before;
    std::function<state::Frame()> frame;
    bool fails;
};

state::Frame FirstBatch(int cards) {
    return support::BuildDeal({.seat = kOwnFlag, .dealPhase = 1, .cards = Cards(cards, 0)});
}
state::Frame Patched(state::Frame frame, std::size_t byte, std::uint8_t value) {
    frame[byte] = value;
    return frame;
}
void Nothing(state::SharedState&) {}

const MalformedCase kCases[] = {
    {"DealCountPastThirteen", Nothing, [] { return Patched(FirstBatch(13), 11, 14); }, true},
    {"DealCountOf255", Nothing, [] { return Patched(FirstBatch(13), 11, 255); }, true},
    {"DealOfNoCards", Nothing, [] { return Patched(FirstBatch(1), 11, 0); }, true},
    {"MiddleBatchOverrunningTheHand", [](state::SharedState& s) { s.g_nDealtCards = 10; },
     [] { return support::BuildDeal({.seat = kOwnFlag, .dealPhase = 2, .cards = Cards(5, 10)}); },
     true},
    {"LastBatchOverrunningTheHand", [](state::SharedState& s) { s.g_nDealtCards = 12; },
     [] { return support::BuildDeal({.seat = kOwnFlag, .dealPhase = 3, .cards = Cards(3, 12)}); },
     true},
    {"DealCardIdPast127", Nothing, [] { return Patched(FirstBatch(5), 16 + 4 * 2 + 3, 0x80); },
     true},
    {"DealThreadIndexOutOfRange", Nothing, [] { return Patched(FirstBatch(5), 271, 0x80); }, true},
    {"DealOfUnknownPhase", Nothing, [] { return Patched(FirstBatch(5), 15, 7); }, false},
    {"DeclaredMultiplierOutOfRange", Nothing,
     [] { return Patched(support::BuildDeclared({.seat = SeatFlagOf(1), .action = 4}), 14, 0x80); },
     true},
    {"DeclaredActionOutOfRange", Nothing,
     [] { return Patched(support::BuildDeclared({.seat = SeatFlagOf(1), .action = 4}), 8, 0x80); },
     true},
    {"DeclaredGroupAtUnnumberedSlots",
     [](state::SharedState& s) {
         s.g_bDealPhase2 = true;
         for (auto& slot : s.custom[2].slots) slot.image = -1;
     },
     [] {
         return support::BuildDeclared(
             {.seat = SeatFlagOf(2),
              .action = 4,
              .cards = {Card(Clubs, 7, 1), Card(Hearts, 7, 2), Card(Spades, 7, 3), 0}});
     },
     true},
    {"DeclaredUnknownKind", Nothing,
     [] { return support::BuildDeclared({.seat = SeatFlagOf(1), .action = 0x7E00}); }, false},
    {"PromptSetOutOfRange", Nothing,
     [] { return support::BuildDeclarePrompt({.seat = kOwnFlag, .allowed = 0xFFFF}); }, true},
};

class MalformedDeal : public SeatedDispatchTest,
                      public ::testing::WithParamInterface<MalformedCase> {};

TEST_P(MalformedDeal, FailsOnlyThatFrame) {
    const MalformedCase& t = GetParam();
    t.before(c.s);
    dispatch(t.frame());
    const std::vector<SystemCommand> restored{SystemCommand::Restore};
    EXPECT_EQ(hallCommands(), t.fails ? restored : std::vector<SystemCommand>{});
    EXPECT_FALSE(harness.scheduler.hasEnded());
    for (const auto& seat : c.s.custom) EXPECT_LE(seat.count, 13);

    // The next frame is handled as usual.
    dispatch(support::BuildDeclared({.seat = SeatFlagOf(1), .action = 1, .multiplier = 3}));
    EXPECT_EQ(form().lblfanshu.caption(), "3");
    EXPECT_TRUE(form().Speak[1].visible());
}

INSTANTIATE_TEST_SUITE_P(Frames, MalformedDeal, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return info.param.name; });

using DealSteps = SeatedDispatchTest;

TEST_F(DealSteps, AThreadIndexOutOfRangeFailsBeforeTheTableIsResetOrDealt) {
    dispatch(Patched(FirstBatch(5), 271, 0x80));
    EXPECT_FALSE(c.s.g_bDealPhase1);
    EXPECT_EQ(c.s.custom[0].count, 0);
    EXPECT_FALSE(c.s.g_bResultShown);
}

TEST_F(DealSteps, ADealForAnotherSeatChangesNothing) {
    c.s.g_bResultShown = true;
    dispatch(support::BuildDeal({.seat = SeatFlagOf(2), .dealPhase = 1, .cards = Cards(5, 0)}));
    EXPECT_TRUE(c.s.g_bResultShown);
    EXPECT_EQ(c.s.custom[0].count, 0);
    EXPECT_TRUE(hallCommands().empty());
}

TEST_F(DealSteps, ParkedPropsFramesGoOutOnlyWhenTheirHoldIsLifted) {
    c.s.g_aHeldPropFrameA[3] = 45;
    c.s.g_aHeldPropFrameA[20] = 7;
    c.s.g_bHoldPropFrameA = false;
    c.s.g_bHoldPropFrameB = true;
    c.s.g_aHeldPropFrameB[3] = 45;
    const auto queuedBefore = c.s.g_aSendRing.unread();
    dispatch(FirstBatch(5));
    EXPECT_EQ(c.s.g_aHeldPropFrameA[3], 0);
    EXPECT_EQ(c.s.g_aHeldPropFrameB[3], 45);  // still held when the batch came
    EXPECT_FALSE(c.s.g_bHoldPropFrameB);
    // The parked frame A, then the automatic pass.
    EXPECT_EQ(c.s.g_aSendRing.unread(), queuedBefore + 2 * std::int32_t(state::FrameSize));
    const auto& ring = c.s.g_aSendRing;
    EXPECT_EQ(ring.data[std::size_t((ring.read + queuedBefore + 20) % ring.Size)], 7);
}

TEST_F(DealSteps, AMinimisedTableComesBackUnlessTheBossKeyHidesIt) {
    for (const bool bossKey : {false, true}) {
        SCOPED_TRACE(bossKey);
        form().setWindowState(forms::WindowState::Minimized);
        c.s.g_bBossKey = bossKey;
        harness.desktop.clearRecords(harness.hall);
        dispatch(FirstBatch(5));
        EXPECT_EQ(form().windowState(),
                  bossKey ? forms::WindowState::Minimized : forms::WindowState::Normal);
        // The table's own restore minimises the hall as well.
        const auto commands = hallCommands();
        EXPECT_EQ(commands.empty(), bossKey);
        for (const auto command : commands) EXPECT_EQ(command, SystemCommand::Minimise);
        c.s.g_nDealtCards = 0;
    }
}

}  // namespace
}  // namespace dispatch_test
