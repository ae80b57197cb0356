// Another seat's play: its older cards leave the table, the play becomes the play to beat, its
// cards go on the seat's next images from its play point, the pile shows the cards it has left
// and an emptied hand earns the next place badge. A bad play is dropped before the table changes.
#include <gtest/gtest.h>

#include "cards/display/show_other_player_cards.h"
#include "cards/display/trick_bookkeeping.h"
#include "resources/picture_ids.h"
#include "table_play_fixture.h"

namespace cards_display_test {
namespace {

struct SeatAndScreen {
    int seat;
    Screen screen;
};

class OtherPlays : public ::testing::TestWithParam<SeatAndScreen> {
  protected:
    TablePlay play{GetParam().screen};
    client::Client& c = play.c;
    int seat = GetParam().seat;
    float scaleX() const { return c.s.g_fScaleX; }

    forms::ControlArray<forms::Image>& images() {
        switch (seat) {
            case 1:
                return play.form.cardImage1;
            case 2:
                return play.form.cardImage2;
            default:
                return play.form.cardImage3;
        }
    }
    void turn(std::uint8_t pattern, const std::vector<std::string>& cards,
              std::uint8_t turnKind = 0) {
        const state::Frame frame = support::BuildTurn({.seat = std::uint8_t(1 << seat),
                                                       .turnKind = turnKind,
                                                       .cards = WireCards(cards),
                                                       .pattern = pattern});
        dispatch::RunUnderFailureGuard(c, [&] { cards::ShowOtherPlayerCards(c, frame); });
    }
    // Singles until the seat holds `left` cards.
    void playDownTo(int left) {
        static const char* singles[] = {"3d",  "4d", "5d", "6d", "7d", "8d", "9d",
                                        "10d", "Jd", "Qd", "Kd", "Ad", "2d"};
        for (int k = 13 - c.s.custom[seat].count; c.s.custom[seat].count > left; ++k)
            turn(1, {singles[k]});
    }
    QString pileId(int left) const {
        const resources::PictureIds& ids = c.ids;
        const bool full = c.s.g_fScaleX == 1.0f;
        const std::array<QString, 13>* tables[3] = {full ? &ids.g_aIdPile1 : &ids.g_aIdPile1Small,
                                                    full ? &ids.g_aIdPile2 : &ids.g_aIdPile2Small,
                                                    full ? &ids.g_aIdPile3 : &ids.g_aIdPile3Small};
        return (*tables[seat - 1])[std::size_t(left - 1)];
    }
};

TEST_P(OtherPlays, APairIsLaidOutFromThePlayPointAndBecomesThePlayToBeat) {
    play.dealHand({"3d", "9s", "Kh", "5c", "Ah", "7d", "Qs", "2h", "Jc", "4s", "10d", "8h", "6c"});
    c.s.g_nSpeakSeat = (seat % 3) + 1;
    play.form.Speak[c.s.g_nSpeakSeat].setVisible(true);
    turn(2, {"9h", "9s"});

    const state::SeatRecord& record = c.s.custom[seat];
    const double width = images()[0].width();
    for (int j = 0; j < 2; ++j) {
        const forms::Image& card = images()[j];
        EXPECT_TRUE(card.visible());
        EXPECT_NEAR(card.left(), record.playX + 90 * scaleX() * 0.61 + scaleX() * 0.22 * j * width,
                    1e-3);
        EXPECT_EQ(card.top(), record.playY);
        EXPECT_FLOAT_EQ(card.width(), 80 * scaleX());
        EXPECT_FLOAT_EQ(card.height(), 108 * c.s.g_fScaleY);
    }
    EXPECT_EQ(c.s.former.formerType, cards::PatternType::PatternPair);
    EXPECT_EQ(c.s.former.formerNum, 2);
    EXPECT_EQ(c.s.former.g_aFormerCards[0], 9 * 256 + 4);
    EXPECT_EQ(c.s.former.g_aFormerCards[1], 9 * 256 + 8);
    EXPECT_EQ(c.s.hint.g_nHintType, 2);
    EXPECT_EQ(c.s.hint.g_nHintCursor, 3);
    EXPECT_EQ(record.count, 11);
    EXPECT_EQ(c.s.g_aPlayedCount[seat - 1], 2);
    EXPECT_EQ(c.s.g_aTrickCards[seat][27], 2);
    EXPECT_EQ(c.s.g_nSpeakSeat, seat);
    EXPECT_FALSE(play.form.Speak[(seat % 3) + 1].visible());
    EXPECT_TRUE(play.form.shanImage[seat - 1].visible());
    EXPECT_FALSE(play.form.shanImage[seat - 1].stretch());
    EXPECT_EQ(c.s.g_nResId, pileId(11).toInt());
    EXPECT_TRUE(c.soundState.g_sSoundPath.endsWith("sys070.wav"));

    // The seat's next play moves the pair off the table into its previous play.
    turn(6, {"5d", "5c", "5h", "5s"});
    EXPECT_FALSE(images()[0].visible());
    EXPECT_FALSE(images()[1].visible());
    EXPECT_EQ(c.s.g_aPrevTrickCards[seat][27], 2);
    EXPECT_EQ(c.s.g_aPrevTrickCards[seat][0], 0);
    EXPECT_EQ(c.s.g_aPrevTrickCards[seat][1], 1);
    for (int j = 2; j < 6; ++j) EXPECT_TRUE(images()[j].visible()) << j;
    EXPECT_TRUE(c.soundState.g_sSoundPath.endsWith("sys060.wav")) << "a bomb";
    EXPECT_EQ(c.s.former.formerType, cards::PatternType::PatternFour);
}

TEST_P(OtherPlays, ThePileShrinksToOneCardThenTheSeatFinishesWithABadge) {
    play.dealHand({"3d", "9s", "Kh", "5c", "Ah", "7d", "Qs", "2h", "Jc", "4s", "10d", "8h", "6c"});
    forms::Image& pile = play.form.shanImage[seat - 1];
    playDownTo(2);
    EXPECT_TRUE(pile.visible());
    const QPointF twoCards(pile.left(), pile.top());
    EXPECT_EQ(c.s.g_nResId, pileId(2).toInt());

    // The one-card picture sits apart.
    playDownTo(1);
    EXPECT_TRUE(pile.visible());
    EXPECT_EQ(c.s.g_nResId, pileId(1).toInt());
    if (seat == 2) {
        EXPECT_EQ(pile.top(), twoCards.y());
        EXPECT_FLOAT_EQ(pile.left(), 434 * scaleX());
    } else {
        EXPECT_EQ(pile.left(), twoCards.x());
        EXPECT_FLOAT_EQ(pile.top(), 360 * c.s.g_fScaleY);
    }

    c.s.g_nFinishedCount = 1;
    playDownTo(0);
    EXPECT_FALSE(pile.visible());
    EXPECT_EQ(c.s.custom[seat].count, 0);
    EXPECT_TRUE(play.form.first[seat].visible());
    EXPECT_EQ(c.s.g_nFinishedCount, 2);
    EXPECT_EQ(c.s.g_nResId, c.ids.g_aIdPlaceBadge[1].toInt()) << "the second place";
    EXPECT_FALSE(play.hallRestored());
}

std::string SeatName(const ::testing::TestParamInfo<SeatAndScreen>& info) {
    static const char* seats[] = {"", "Left", "Opposite", "Right"};
    return std::string(seats[info.param.seat]) +
           (info.param.screen == Screen::Small800 ? "Reduced" : "Full");
}

INSTANTIATE_TEST_SUITE_P(
    Cards, OtherPlays,
    ::testing::Values(SeatAndScreen{1, Screen::Framed1280}, SeatAndScreen{2, Screen::Framed1280},
                      SeatAndScreen{3, Screen::Framed1280}, SeatAndScreen{1, Screen::Small800},
                      SeatAndScreen{2, Screen::Small800}, SeatAndScreen{3, Screen::Small800}),
    SeatName);

class OtherPlaysEdges : public ::testing::Test {
  protected:
    TablePlay play{Screen::Framed1280};
    client::Client& c = play.c;
    void turn(std::uint8_t seatFlag, std::uint8_t pattern, std::vector<std::int32_t> cards,
              std::uint8_t turnKind = 0, std::optional<std::uint8_t> count = {}) {
        state::Frame frame = support::BuildTurn({.seat = seatFlag,
                                                 .turnKind = turnKind,
                                                 .cards = std::move(cards),
                                                 .pattern = pattern});
        // A count byte that is not the number of cards given makes a malformed frame.
        if (count) frame[17] = *count;
        dispatch::RunUnderFailureGuard(c, [&] { cards::ShowOtherPlayerCards(c, frame); });
    }
};

TEST_F(OtherPlaysEdges, TheLocalPlayersOwnPlayOnlySounds) {
    c.s.former.formerType = cards::PatternType::PatternSingle;
    turn(1, 5, WireCards({"9h", "9s", "9d"}));
    EXPECT_EQ(c.s.former.formerType, cards::PatternType::PatternSingle) << "unchanged";
    EXPECT_TRUE(c.soundState.g_sSoundPath.endsWith("sys060.wav"));
    turn(1, 1, WireCards({"3h"}), 9);
    EXPECT_EQ(c.s.former.formerType, cards::PatternType::PatternInvalid) << "the table cleared";
}

TEST_F(OtherPlaysEdges, AfterTheTableIsClearedTheNewPlayIsThePlayToBeat) {
    play.dealHand({"3d", "9s", "Kh", "5c", "Ah", "7d", "Qs", "2h", "Jc", "4s", "10d", "8h", "6c"});
    turn(4, 1, WireCards({"3h"}), 10);
    EXPECT_EQ(c.s.former.formerType, cards::PatternType::PatternSingle);
}

struct BadTurn {
    const char* name;
    std::vector<std::int32_t> cards;
    std::uint8_t pattern;
    std::optional<std::uint8_t> count;
};

class BadTurnFrames : public OtherPlaysEdges, public ::testing::WithParamInterface<BadTurn> {};

TEST_P(BadTurnFrames, AreDroppedBeforeTheTableChanges) {
    play.dealHand({"3d", "9s", "Kh", "5c", "Ah", "7d", "Qs", "2h", "Jc", "4s", "10d", "8h", "6c"});
    turn(8, 1, WireCards({"3h"}));  // the right seat has played one card
    play.table.harness.desktop.clearRecords(play.table.harness.hall);
    const auto former = c.s.former;
    turn(8, GetParam().pattern, GetParam().cards, 0, GetParam().count);
    EXPECT_TRUE(play.hallRestored());
    EXPECT_EQ(c.s.custom[3].count, 12);
    EXPECT_EQ(c.s.g_aPlayedCount[2], 1);
    EXPECT_TRUE(play.form.cardImage3[0].visible()) << "the card before stays on the table";
    EXPECT_FALSE(play.form.cardImage3[1].visible());
    EXPECT_EQ(c.s.former.formerType, former.formerType);
}

INSTANTIATE_TEST_SUITE_P(
    Cards, BadTurnFrames,
    ::testing::Values(BadTurn{"thirteen_cards_after_one", WireCards({"4h"}), 3, std::uint8_t(13)},
                      BadTurn{"rank_17", {support::CardWord(4, 17, 0)}, 1, {}},
                      BadTurn{"rank_0", {support::CardWord(4, 0, 0)}, 1, {}},
                      BadTurn{"suit_of_two_bits", {support::CardWord(12, 9, 0)}, 1, {}},
                      BadTurn{"pattern_9", WireCards({"4h"}), 9, {}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace cards_display_test
