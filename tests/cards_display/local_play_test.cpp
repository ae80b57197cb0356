// The local play: a pass, the refusal of a selection that is no legal play, and a legal play that
// goes to the server, moves its cards to the table as the seat's current cards and closes the
// hand up. The turn start then moves them into the seat's previous play.
#include <gtest/gtest.h>

#include <array>

#include "cards/display/chu_pai.h"
#include "cards/display/play_selected_cards.h"
#include "cards/display/trick_bookkeeping.h"
#include "cards/play_cards_frame.h"
#include "connection/client_loading.h"
#include "platform/forms/render.h"
#include "platform/forms/testing/driver.h"
#include "table_play_fixture.h"

namespace cards_display_test {
namespace {

const std::vector<std::string> kHand = {"3d", "9s", "Kh", "8c",  "Ah", "7d", "Qs",
                                        "2h", "Jc", "4s", "10d", "8h", "6c"};

// The send ring's unsent frames, oldest first.
std::vector<state::Frame> Queued(const state::SharedState& s) {
    std::vector<state::Frame> frames;
    for (std::int32_t at = s.g_aSendRing.read; at != s.g_aSendRing.write;
         at = (at + std::int32_t(state::FrameSize)) % state::ByteRing::Size) {
        state::Frame frame{};
        std::copy_n(s.g_aSendRing.data.begin() + at, state::FrameSize, frame.begin());
        frames.push_back(frame);
    }
    return frames;
}

class LocalPlay : public ::testing::TestWithParam<Screen> {
  protected:
    void SetUp() override {
        play.dealHand(kHand);
        c.s.custom[0].seat = 1;
        c.s.g_bTurnOpen = true;
        c.s.g_bCanPlay = true;
        c.s.g_nTurnSeconds = 15;
        c.s.channels.arm(state::ChannelTurnClock);
        for (int k = 0; k <= 2; ++k) {
            play.form.Operation[k].setVisible(true);
            play.form.Operation[k].setEnabled(true);
        }
        play.form.Number.setVisible(true);
        play.form.Time_Img.setVisible(true);
    }
    // Raises the hand cards of the given slots as a selecting click does.
    void raise(std::initializer_list<int> slots) {
        for (const int k : slots) {
            forms::Image& card = play.form.cardImage0[c.s.custom[0].slots[k].image];
            card.setTop(c.s.g_nCardBaseTop - card.height() / 5);
        }
    }
    bool noticeShows() { return c.ChuPai.isLoaded() && c.ChuPai->visible(); }
    void expectTurnOver() {
        EXPECT_FALSE(c.s.g_bCanPlay);
        EXPECT_FALSE(c.s.channels.check[state::ChannelTurnClock]);
        EXPECT_FALSE(play.form.Number.visible());
        EXPECT_FALSE(play.form.Time_Img.visible());
        for (int k = 0; k <= 2; ++k) {
            EXPECT_FALSE(play.form.Operation[k].visible()) << k;
            EXPECT_FALSE(play.form.Operation[k].enabled()) << k;
        }
    }

    TablePlay play{GetParam()};
    client::Client& c = play.c;
};

TEST_P(LocalPlay, NothingRaisedWhileLeadingDoesNothing) {
    cards::PlaySelectedCards(c);
    EXPECT_TRUE(Queued(c.s).empty());
    EXPECT_FALSE(c.ChuPai.isLoaded());
    EXPECT_TRUE(c.s.g_bCanPlay);
    EXPECT_FALSE(c.s.g_bPassed);
}

TEST_P(LocalPlay, NothingRaisedAgainstAPlayIsAPass) {
    c.s.former.formerType = cards::PatternType::PatternSingle;
    cards::PlaySelectedCards(c);
    const auto frames = Queued(c.s);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0], cards::BuildPassFrame(1));
    EXPECT_TRUE(c.s.g_bPassed);
    EXPECT_TRUE(c.soundState.g_sSoundPath.endsWith("sys080.wav"));
    expectTurnOver();
    EXPECT_EQ(c.s.custom[0].count, 13);
}

TEST_P(LocalPlay, APassAfterTheTurnClosedIsNotSent) {
    c.s.former.formerType = cards::PatternType::PatternSingle;
    c.s.g_bTurnOpen = false;
    cards::PlaySelectedCards(c);
    EXPECT_TRUE(Queued(c.s).empty());
    expectTurnOver();
}

TEST_P(LocalPlay, ASelectionThatIsNoPlayShowsTheNoticeAndSendsNothing) {
    raise({0, 1, 2});  // 3 9 K
    cards::PlaySelectedCards(c);
    EXPECT_TRUE(noticeShows());
    EXPECT_EQ(c.ChuPai->Label2.caption(), QStringLiteral("不符合规则！"));
    EXPECT_TRUE(c.ChuPai->topmost());
    EXPECT_TRUE(Queued(c.s).empty());
    EXPECT_TRUE(c.s.g_bCanPlay);
    EXPECT_TRUE(c.s.channels.check[state::ChannelTurnClock]) << "the clock keeps running";
    EXPECT_LT(play.form.cardImage0[2].top(), c.s.g_nCardBaseTop) << "still raised";

    // The drawn buttons hide it; the window stays where its load put it.
    const float left = c.ChuPai->left();
    forms::testing::click(c.ChuPai->Label1);
    EXPECT_FALSE(noticeShows());
    cards::PlaySelectedCards(c);
    EXPECT_TRUE(noticeShows());
    EXPECT_EQ(c.ChuPai->left(), left);
}

TEST_P(LocalPlay, APlayThatDoesNotBeatTheTableIsRefused) {
    c.s.former = {cards::PatternType::PatternSingle, 1, {15 * 256 + 8}};  // a 2
    raise({2});                                                           // K
    cards::PlaySelectedCards(c);
    EXPECT_TRUE(noticeShows());
    EXPECT_TRUE(Queued(c.s).empty());
}

TEST_P(LocalPlay, ALegalPairGoesOutMovesToTheTableAndClosesTheHand) {
    raise({3, 11});  // 8c, 8h
    std::array<float, 13> topOfImage{};
    for (int k = 0; k < 13; ++k) topOfImage[k] = play.form.cardImage0[k].top();
    const std::int16_t left8 = c.s.custom[0].slots[3].image;
    const std::int16_t right8 = c.s.custom[0].slots[11].image;
    c.s.NumSumClickUp = 2;
    cards::PlaySelectedCards(c);

    const auto frames = Queued(c.s);
    ASSERT_EQ(frames.size(), 1u);
    const auto fields = support::ReadPlay(frames[0]);
    EXPECT_EQ(fields.playKind, 2);
    EXPECT_EQ(fields.cardCount, 2);
    EXPECT_EQ(fields.pattern, 2);
    EXPECT_EQ(fields.cardIds, (std::vector<std::uint8_t>{3, 11})) << "the card further left first";
    EXPECT_EQ(c.s.former.formerType, cards::PatternType::PatternPair);
    EXPECT_EQ(c.s.former.formerNum, 2);
    EXPECT_EQ(c.s.NumSumClickUp, 0);
    EXPECT_EQ(c.s.g_nCountdown, 15);
    expectTurnOver();

    const state::SeatRecord& local = c.s.custom[0];
    const double scaleX = c.s.g_fScaleX;
    int k = 0;
    for (const std::int16_t image : {left8, right8}) {
        const forms::Image& card = play.form.cardImage0[image];
        EXPECT_TRUE(card.visible());
        EXPECT_EQ(card.top(), local.playY);
        EXPECT_EQ(card.width(), play.form.cardImage1[0].width());
        EXPECT_NEAR(card.left(), local.playX - 0.61 * 90 * scaleX + 0.22 * k * card.width(), 1e-3);
        EXPECT_EQ(c.s.g_aTrickCards[0][k], image);
        ++k;
    }
    EXPECT_EQ(c.s.g_aTrickCards[0][27], 2);
    EXPECT_EQ(c.s.g_aPrevTrickCards[0][27], 0) << "the previous play is the turn start's";
    EXPECT_EQ(c.s.g_aPrevTrickCards[0][0], 0);

    ASSERT_EQ(local.count, 11);
    for (int slot = 0; slot < 11; ++slot) {
        SCOPED_TRACE("slot " + std::to_string(slot));
        const forms::Image& card = play.form.cardImage0[local.slots[slot].image];
        EXPECT_NE(local.slots[slot].image, left8);
        EXPECT_NE(local.slots[slot].image, right8);
        EXPECT_NEAR(
            card.left(),
            local.playX - (0.11 * 11 + 0.39) * 90 * scaleX + 0.22 * slot * card.width() - 20, 1e-3);
        EXPECT_EQ(card.top(), topOfImage[local.slots[slot].image]) << "the hand keeps its Tops";
    }
    EXPECT_EQ(local.slots[3].card % 65536, 14 * 256 + 4) << "Ah moved down into slot 3";
    EXPECT_EQ(local.slots[10].card % 65536, 6 * 256 + 2) << "6c, the last card";
}

TEST_P(LocalPlay, TheTurnStartMovesTheLocalPlayIntoThePreviousTrick) {
    raise({3, 11});
    cards::PlaySelectedCards(c);
    const auto played = c.s.g_aTrickCards[0];

    cards::StartSeatTurn(c, 0);
    EXPECT_EQ(c.s.g_aTrickCards[0][27], 0) << "nothing of the seat on the table";
    EXPECT_EQ(c.s.g_aPrevTrickCards[0][27], 2);
    EXPECT_EQ(c.s.g_aPrevTrickCards[0][0], played[0]);
    EXPECT_EQ(c.s.g_aPrevTrickCards[0][1], played[1]);
    EXPECT_FALSE(play.form.cardImage0[played[0]].visible());
    EXPECT_FALSE(play.form.cardImage0[played[1]].visible());

    // A pass in the next turn leaves the table alone; the turn after keeps the same previous
    // play and no stale card comes back.
    cards::StartSeatTurn(c, 0);
    EXPECT_EQ(c.s.g_aPrevTrickCards[0][27], 0);
    EXPECT_FALSE(play.form.cardImage0[played[0]].visible());
}

TEST_P(LocalPlay, TheLastCardEarnsTheNextBadgeButAFourthPlayerGetsNone) {
    state::SeatRecord& local = c.s.custom[0];
    local.count = 1;
    c.s.g_nFinishedCount = 2;
    raise({0});
    cards::PlaySelectedCards(c);
    EXPECT_EQ(local.count, 0);
    EXPECT_TRUE(play.form.first[0].visible());
    EXPECT_EQ(c.s.g_nFinishedCount, 3);

    TablePlay other(GetParam());
    other.dealHand(kHand);
    other.c.s.custom[0].count = 1;
    other.c.s.g_nFinishedCount = 3;
    other.c.s.g_bTurnOpen = true;
    forms::Image& card = other.form.cardImage0[other.c.s.custom[0].slots[0].image];
    card.setTop(other.c.s.g_nCardBaseTop - 30);
    cards::PlaySelectedCards(other.c);
    EXPECT_EQ(other.c.s.custom[0].count, 0);
    EXPECT_FALSE(other.form.first[0].visible());
    EXPECT_EQ(other.c.s.g_nFinishedCount, 3);
}

TEST_P(LocalPlay, AnAcceptedPlayAfterTheTurnClosedStaysInTheHand) {
    c.s.g_bTurnOpen = false;
    raise({3, 11});
    cards::PlaySelectedCards(c);
    EXPECT_TRUE(Queued(c.s).empty());
    expectTurnOver();
    EXPECT_EQ(c.s.custom[0].count, 13);
    EXPECT_LT(play.form.cardImage0[3].top(), c.s.g_nCardBaseTop);
}

INSTANTIATE_TEST_SUITE_P(Cards, LocalPlay, ::testing::Values(Screen::Framed1280, Screen::Small800),
                         table_test::LayoutName<::testing::TestParamInfo<Screen>>);

// The play reaches the game server as the frame says, one frame per tick after the login.
TEST(LocalPlayOnTheWire, TheServerReceivesTheExactPlayFrame) {
    support::DirectTable table;
    ASSERT_TRUE(table.loaded);
    ASSERT_TRUE(table.loggedIn());
    client::Client& c = table.c();
    table::ResetPlayersForNewHand(c);
    table::ResetTableForNewHand(c);
    c.s.custom[0].seat = 4;
    c.s.g_bDealPhase1 = true;
    const state::Frame deal =
        support::BuildDeal({.dealPhase = 1,
                            .cards = {support::CardWord(8, 8, 40), support::CardWord(4, 12, 41),
                                      support::CardWord(2, 8, 42), support::CardWord(1, 3, 43)}});
    cards::ReceiveDealtCards(c, deal, 4);
    c.s.g_bTurnOpen = true;
    for (const int slot : {0, 2}) {
        forms::Image& card = table.form().cardImage0[slot];
        card.setTop(c.s.g_nCardBaseTop - 24);
    }
    table.server->clearFrames();
    cards::PlaySelectedCards(c);
    table.ticks(2);
    ASSERT_TRUE(table.server->waitForFrames(1));
    state::Frame expected{};
    expected[3] = 7;
    expected[6] = 4;
    expected[15] = 2;
    expected[17] = 2;
    expected[18] = 2;
    expected[20] = 40;
    expected[21] = 42;
    const auto received = table.server->frames().front();
    EXPECT_TRUE(std::equal(received.begin(), received.end(), expected.begin()));
    EXPECT_EQ(c.s.custom[0].count, 2);
}

}  // namespace
}  // namespace cards_display_test
