// Turn frames through the dispatcher on a dealt table: the kind byte's matrix (trick cleared,
// buttons, automatic lead, hint reset, the play to beat), the opening multiplier, the bubbles,
// the clock, the local turn start and the marked aces taking their top rank once per hand.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>

#include "cards/play_comparison.h"
#include "hand_table.h"
#include "platform/forms/render.h"

namespace dispatch_test {
namespace {

using support::BuildTurn;
using support::TurnFrame;

const std::vector<std::string> kHand = {"3d", "9s", "Kh", "8c",  "Ah", "7d", "Qs",
                                        "2h", "Jc", "4s", "10d", "8h", "6c"};
constexpr std::uint8_t Me = 1, Left = 2, Top = 4, Right = 8;

class TurnTable : public ::testing::Test {
  protected:
    void SetUp() override { table.dealHand(kHand); }
    // The opening turn of the hand: no cards, the multiplier, the lead to `next`.
    void open(std::uint8_t next = Top, std::int16_t multiplier = 2) {
        table.dispatch(
            BuildTurn({.seat = Me, .nextSeat = next, .turnKind = 1, .multiplier = multiplier}));
    }
    HandTable table;
    client::Client& c = table.c;
    client::MainForm& form = table.form;
};

// What one turn frame leaves, by its kind and by who is next.
struct KindCase {
    const char* name;
    std::uint8_t turnKind;
    bool localNext;
    bool trickCleared;
    bool playAndHintShown;
    bool passShown;
    bool autoLead;
    bool playToBeatCleared;
    bool hintReset;
};

class TurnKindMatrix : public TurnTable, public ::testing::WithParamInterface<KindCase> {};

TEST_P(TurnKindMatrix, MovesTheTurnOnAsItsKindSays) {
    const KindCase& k = GetParam();
    open(Top);
    // The opposite seat leads a single, the right seat beats it with a pair in the case's frame.
    table.dispatch(BuildTurn({.seat = Top,
                              .nextSeat = Right,
                              .turnKind = 4,
                              .cards = Cards({"5d"}),
                              .pattern = 1,
                              .seconds = 15}));
    const std::int16_t topCard = c.s.g_aTrickCards[2][0];
    ASSERT_EQ(c.s.g_aTrickCards[2][27], 1);
    ASSERT_TRUE(form.cardImage2[topCard].visible());
    c.s.hint.g_bHintPlayed = true;
    for (int i = 0; i <= 2; ++i) form.Operation[i].setVisible(false);

    table.dispatch(BuildTurn({.seat = Right,
                              .nextSeat = k.localNext ? Me : Left,
                              .turnKind = k.turnKind,
                              .cards = Cards({"7c", "7h"}, 70),
                              .pattern = 2,
                              .seconds = 12}));
    ASSERT_FALSE(table.hallRestored());
    EXPECT_EQ(!form.cardImage2[topCard].visible(), k.trickCleared);
    EXPECT_EQ(form.Operation[0].visible(), k.playAndHintShown);
    EXPECT_EQ(form.Operation[1].visible(), k.playAndHintShown);
    EXPECT_EQ(form.Operation[2].visible(), k.passShown);
    EXPECT_EQ(c.s.g_bAutoLead, k.autoLead);
    EXPECT_EQ(c.s.former.formerType == cards::PatternType::PatternInvalid, k.playToBeatCleared);
    EXPECT_EQ(c.s.former.formerNum, 2) << "the pair stays recorded either way";
    EXPECT_EQ(!c.s.hint.g_bHintPlayed, k.hintReset);
    // The local turn is open whatever the kind: the right-button play may act.
    EXPECT_EQ(c.s.FlgIsMe, k.localNext);
    EXPECT_EQ(c.s.g_bCanPlay, k.localNext);
    EXPECT_EQ(c.s.g_bTurnToAct, k.localNext);
    EXPECT_TRUE(c.s.channels.check[state::ChannelTurnClock]);
    EXPECT_EQ(c.s.g_nCountdown, 12);
}

INSTANTIATE_TEST_SUITE_P(
    Turn, TurnKindMatrix,
    ::testing::Values(
        //       name                 kind  local  clear  p+h    pass   lead   cleared hint
        KindCase{"Kind1LocalLeads", 1, true, true, true, false, true, true, true},
        KindCase{"Kind9LocalLeads", 9, true, true, true, false, true, true, true},
        KindCase{"Kind10LocalNoButtons", 10, true, true, false, false, false, true, false},
        KindCase{"Kind11LocalNothingCleared", 11, true, false, false, false, false, false, false},
        KindCase{"Kind4LocalFollows", 4, true, false, true, true, false, false, true},
        KindCase{"Kind0LocalFollows", 0, true, false, true, true, false, false, true},
        KindCase{"Kind4OtherNext", 4, false, false, false, false, false, false, false},
        KindCase{"Kind1OtherNext", 1, false, true, false, false, false, true, false},
        KindCase{"Kind10OtherNext", 10, false, true, false, false, false, true, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TurnTable, TheOpeningTurnShowsTheMultiplierAndNoBubble) {
    struct Case {
        std::uint8_t low, high;
        const char* shown;
    };
    for (const Case& k : {Case{3, 0, "3"}, Case{0, 1, "256"}, Case{255, 127, "32767"}}) {
        c.s.g_nPlayCount = 0;
        state::Frame frame = BuildTurn({.seat = Left, .nextSeat = Top, .turnKind = 1});
        frame[72] = k.low;
        frame[73] = k.high;
        table.dispatch(frame);
        EXPECT_EQ(form.lblfanshu.caption(), QString::fromLatin1(k.shown));
        EXPECT_FALSE(form.Speak[1].visible()) << "the opening is no pass";
    }
    // A later frame without cards is a pass: bubble at once, the multiplier stays.
    table.dispatch(BuildTurn({.seat = Top, .nextSeat = Right, .turnKind = 4, .multiplier = 9}));
    EXPECT_TRUE(form.Speak[2].visible());
    EXPECT_EQ(form.lblfanshu.caption(), QStringLiteral("32767"));
}

TEST_F(TurnTable, AFirstTurnWithCardsLeavesTheMultiplierAlone) {
    form.lblfanshu.setCaption(QStringLiteral("old"));
    table.dispatch(BuildTurn({.seat = Left,
                              .nextSeat = Top,
                              .turnKind = 4,
                              .cards = Cards({"9c"}),
                              .pattern = 1,
                              .multiplier = 5}));
    EXPECT_EQ(form.lblfanshu.caption(), QStringLiteral("old"));
}

TEST_F(TurnTable, BombsOfOtherSeatsShowTheirBubbleAfterAPause) {
    struct Case {
        std::uint8_t actor;
        int seat;
        bool bubble;
    };
    open(Left);
    for (const Case& k : {Case{Left, 1, true}, Case{Top, 2, true}, Case{Right, 3, true}}) {
        SCOPED_TRACE(k.seat);
        const auto before = c.sys.scheduler.now();
        table.dispatch(BuildTurn({.seat = k.actor,
                                  .nextSeat = Me,
                                  .turnKind = 1,
                                  .cards = Cards({"Jd", "Jc", "Jh"}, std::uint8_t(80 + 3 * k.seat)),
                                  .pattern = 5}));
        EXPECT_TRUE(form.Speak[k.seat].visible());
        EXPECT_GE(c.sys.scheduler.now() - before, 300);
    }
    // The local player's own bomb: no bubble, no pause.
    const auto before = c.sys.scheduler.now();
    table.dispatch(BuildTurn({.seat = Me,
                              .nextSeat = Left,
                              .turnKind = 1,
                              .cards = Cards({"Kd", "Kc", "Ks"}, 100),
                              .pattern = 5}));
    for (int k = 0; k < 4; ++k) EXPECT_FALSE(form.Speak[k].visible()) << k;
    EXPECT_LT(c.sys.scheduler.now() - before, 300);
}

TEST_F(TurnTable, TheClockGoesToTheNextPlayerWithItsSeconds) {
    struct Case {
        std::uint8_t next;
        std::uint8_t seconds;
        bool bossKey;
        std::int16_t countdown;
    };
    open(Left);
    for (const Case& k : {Case{Me, 0, false, 20}, Case{Left, 1, false, 20}, Case{Top, 2, false, 2},
                          Case{Right, 30, true, 1}}) {
        c.s.g_bBossKey = k.bossKey;
        table.dispatch(
            BuildTurn({.seat = Left, .nextSeat = k.next, .turnKind = 4, .seconds = k.seconds}));
        EXPECT_EQ(c.s.g_nCountdown, k.countdown);
        EXPECT_EQ(form.Number.caption(), QString::number(k.countdown));
        EXPECT_TRUE(form.Time_Img.visible());
        EXPECT_FLOAT_EQ(form.Number.left(), form.Time_Img.left() + 48);
        EXPECT_FLOAT_EQ(form.Number.top(), form.Time_Img.top() + 5);
    }
    table.dispatch(BuildTurn({.seat = Left, .nextSeat = Top, .turnKind = 4}));
    EXPECT_FLOAT_EQ(form.Time_Img.left(), 336);
    EXPECT_FLOAT_EQ(form.Time_Img.top(), 150);
    table.dispatch(BuildTurn({.seat = Left, .nextSeat = Me, .turnKind = 4}));
    EXPECT_FLOAT_EQ(form.Time_Img.left(), 800);
    EXPECT_FLOAT_EQ(form.Time_Img.top(), 550);
}

TEST_F(TurnTable, TheLocalTurnStartMovesTheLocalTrickIntoThePreviousOne) {
    open(Left);
    auto& s = c.s;
    s.g_aTrickCards[0][0] = 3;
    s.g_aTrickCards[0][1] = 4;
    s.g_aTrickCards[0][27] = 2;
    form.cardImage0[3].setVisible(true);
    form.cardImage0[4].setVisible(true);

    table.dispatch(BuildTurn({.seat = Right, .nextSeat = Me, .turnKind = 4}));
    EXPECT_EQ(s.g_aPrevTrickCards[0][27], 2);
    EXPECT_EQ(s.g_aPrevTrickCards[0][0], 3);
    EXPECT_EQ(s.g_aPrevTrickCards[0][1], 4);
    EXPECT_EQ(s.g_aTrickCards[0][27], 0) << "the current trick of the seat is empty";
    EXPECT_FALSE(form.cardImage0[3].visible());

    // The local player passes, and the turn comes round again: nothing stale is shown again.
    table.dispatch(BuildTurn({.seat = Me, .nextSeat = Left, .turnKind = 4}));
    table.dispatch(BuildTurn({.seat = Right, .nextSeat = Me, .turnKind = 4}));
    EXPECT_FALSE(form.cardImage0[3].visible());
    EXPECT_FALSE(form.cardImage0[4].visible());
    EXPECT_FALSE(table.hallRestored());
}

// The table mid-trick after a few turns, drawn for a look.
TEST(TurnScreenshot, ATrickInProgress) {
    HandTable table(Screen::Exact1024, true);
    table.dealHand(kHand);
    table.dispatch(BuildTurn({.seat = Me, .nextSeat = Left, .turnKind = 1, .multiplier = 4}));
    table.dispatch(BuildTurn({.seat = Left,
                              .nextSeat = Top,
                              .turnKind = 4,
                              .cards = Cards({"9c", "9d"}),
                              .pattern = 2,
                              .seconds = 15}));
    table.dispatch(BuildTurn({.seat = Top,
                              .nextSeat = Right,
                              .turnKind = 4,
                              .cards = Cards({"Kc", "Kd"}, 90),
                              .pattern = 2,
                              .seconds = 15}));
    table.dispatch(BuildTurn({.seat = Right, .nextSeat = Me, .turnKind = 4, .seconds = 15}));
    ASSERT_FALSE(table.hallRestored());
    EXPECT_TRUE(table.form.Speak[3].visible()) << "the right seat passed";
    EXPECT_TRUE(table.form.Operation[2].visible());

    const QImage shot = forms::renderWindow(table.form);
    ASSERT_FALSE(shot.isNull());
    const auto folder = std::filesystem::path(KORVASH_BUILD_DIR) / "screenshots";
    std::filesystem::create_directories(folder);
    EXPECT_TRUE(shot.save(QString::fromStdString((folder / "turn-mid-trick.png").string())));
}

}  // namespace
}  // namespace dispatch_test
