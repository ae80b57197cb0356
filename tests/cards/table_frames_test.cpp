// The cards of the server's deal and turn frames are checked whole before the client keeps any
// of them, and the local play's frame carries the ids in the order of the play's ranks.
#include "cards/table_frames.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cards/card_notation.h"
#include "cards/play_analysis.h"
#include "cards/play_cards_frame.h"
#include "platform/runtime/failure.h"

namespace cards {
namespace {

using card_notation::Hand;

struct Wire {
    std::uint8_t suit = 0, rank = 0, spare = 0, id = 0;
};

state::Frame FrameWithCards(std::size_t at, const std::vector<Wire>& cards) {
    state::Frame frame{};
    for (std::size_t i = 0; i < cards.size(); ++i) {
        frame[at + 4 * i] = cards[i].suit;
        frame[at + 4 * i + 1] = cards[i].rank;
        frame[at + 4 * i + 2] = cards[i].spare;
        frame[at + 4 * i + 3] = cards[i].id;
    }
    return frame;
}

TEST(DealtCards, AWellFormedBatchKeepsEveryByteOfEachCard) {
    const auto frame = FrameWithCards(16, {{8, 14, 0x35, 127}, {1, 3, 0, 0}, {4, 16, 0, 9}});
    const auto batch = DecodeDealtCards(frame, 10, 3);
    ASSERT_EQ(batch.count, 3u);
    EXPECT_EQ(batch.items[0], 8 | 14 << 8 | 0x35 << 16 | 127 << 24);
    EXPECT_EQ(batch.items[1], 1 | 3 << 8);
    EXPECT_EQ(batch.items[2], 4 | 16 << 8 | 9 << 24);
    EXPECT_EQ(DecodeDealtCards(frame, 13, 0).count, 0u) << "an empty batch after a full hand";
}

struct BadBatch {
    const char* name;
    std::vector<Wire> cards;
    int start;
    int count;
};

class DealtCardsRefused : public ::testing::TestWithParam<BadBatch> {};

TEST_P(DealtCardsRefused, AsARunTimeFailure) {
    const auto frame = FrameWithCards(16, GetParam().cards);
    EXPECT_THROW(DecodeDealtCards(frame, GetParam().start, GetParam().count),
                 platform::RuntimeFailure);
}

INSTANTIATE_TEST_SUITE_P(
    Cards, DealtCardsRefused,
    ::testing::Values(BadBatch{"id_128", {{1, 3, 0, 0}, {1, 4, 0, 128}}, 0, 2},
                      BadBatch{"id_255", {{1, 3, 0, 255}}, 0, 1},
                      BadBatch{"rank_2", {{1, 2, 0, 0}}, 0, 1},
                      BadBatch{"rank_17", {{1, 17, 0, 0}}, 0, 1},
                      BadBatch{"rank_0_of_an_empty_card", {{0, 0, 0, 0}}, 0, 1},
                      BadBatch{"suit_0", {{0, 5, 0, 0}}, 0, 1},
                      BadBatch{"suit_of_two_bits", {{3, 5, 0, 0}}, 0, 1},
                      BadBatch{"past_slot_12", {{1, 5, 0, 0}, {1, 6, 0, 0}}, 12, 2},
                      BadBatch{"count_above_13", {}, 0, 14},
                      BadBatch{"start_below_0", {{1, 5, 0, 0}}, -1, 1},
                      BadBatch{"start_past_the_hand", {}, 14, 0}),
    [](const auto& info) { return std::string(info.param.name); });

state::Frame TurnFrame(int count, int pattern, const std::vector<Wire>& cards) {
    state::Frame frame = FrameWithCards(20, cards);
    frame[17] = std::uint8_t(count);
    frame[18] = std::uint8_t(pattern);
    return frame;
}

TEST(OtherSeatPlays, KeepTheLowNibbleOfTheSuitAndTheRankInFrameOrder) {
    const auto play = DecodeOtherSeatPlay(TurnFrame(2, 2, {{0xF4, 9, 7, 200}, {8, 9, 0, 0}}), 11);
    EXPECT_EQ(play.pattern, PatternType::PatternPair);
    ASSERT_EQ(play.cards.count, 2u);
    EXPECT_EQ(play.cards.items[0].recorded(), 9 * 256 + 4) << "no id, the suit's low bits only";
    EXPECT_EQ(play.cards.items[1].recorded(), 9 * 256 + 8);
}

struct BadPlay {
    const char* name;
    int count;
    int pattern;
    std::vector<Wire> cards;
    int playedBefore;
};

class OtherSeatPlaysRefused : public ::testing::TestWithParam<BadPlay> {};

TEST_P(OtherSeatPlaysRefused, AsARunTimeFailure) {
    const BadPlay& bad = GetParam();
    EXPECT_THROW(
        DecodeOtherSeatPlay(TurnFrame(bad.count, bad.pattern, bad.cards), bad.playedBefore),
        platform::RuntimeFailure);
}

INSTANTIATE_TEST_SUITE_P(
    Cards, OtherSeatPlaysRefused,
    ::testing::Values(BadPlay{"more_cards_than_images_left", 2, 2, {{1, 5}, {2, 5}}, 12},
                      BadPlay{"fourteen_cards", 14, 3, {}, 0},
                      BadPlay{"pattern_8", 1, 8, {{1, 5}}, 0}, BadPlay{"rank_2", 1, 1, {{1, 2}}, 0},
                      BadPlay{"rank_200", 1, 1, {{1, 200}}, 0},
                      BadPlay{"suit_0", 1, 1, {{0x10, 5}}, 0},
                      BadPlay{"suit_of_two_bits", 1, 1, {{5, 5}}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PlayCardsFrame, APassCarriesOnlyTypeSeatAndKind) {
    const state::Frame frame = BuildPassFrame(4);
    state::Frame expected{};
    expected[3] = 7;
    expected[6] = 4;
    expected[15] = 1;
    EXPECT_EQ(frame, expected);
}

TEST(PlayCardsFrame, APlayCarriesTheIdsInTheOrderOfTheAnalysedRanks) {
    // 5 5 5 4 4 as the hand holds them; the analysis lists the triple first.
    const auto selection = Hand("4 5 4 5 5");
    PlayAnalysis analyzed;
    analyzed.g_nAnalyzedCount = 1;
    analyzed.type = PatternType::PatternTriple;
    analyzed.rankCount = 5;
    analyzed.ranks = {5, 5, 5, 4, 4};
    const PlayOrder order = OrderPlayedCards(selection, analyzed);
    ASSERT_EQ(order.count, 5u);
    std::vector<std::size_t> taken(order.selectionIndex.begin(), order.selectionIndex.begin() + 5);
    EXPECT_EQ(taken, (std::vector<std::size_t>{1, 3, 4, 0, 2})) << "equal ranks left to right";

    std::vector<CardValue> played;
    for (const std::size_t i : taken) played.push_back(selection[i]);
    const state::Frame frame = BuildPlayFrame(2, analyzed.type, played);
    EXPECT_EQ(frame[15], 2);
    EXPECT_EQ(frame[17], 5);
    EXPECT_EQ(frame[18], 5);
    EXPECT_EQ(frame[19], 0);
    for (std::size_t k = 0; k < 5; ++k) EXPECT_EQ(frame[20 + k], CardId(played[k])) << k;
    EXPECT_EQ(frame[25], 0);
}

TEST(PlayCardsFrame, AnAnalysisThatDoesNotMatchTheSelectionIsRefused) {
    PlayAnalysis analyzed;
    analyzed.g_nAnalyzedCount = 1;
    analyzed.rankCount = 1;
    analyzed.ranks = {9};
    EXPECT_THROW(OrderPlayedCards(Hand("8"), analyzed), platform::RuntimeFailure);
    EXPECT_THROW(OrderPlayedCards(Hand("9 9"), analyzed), platform::RuntimeFailure);
}

}  // namespace
}  // namespace cards
