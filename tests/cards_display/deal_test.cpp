// Dealing: the three batches fill the local hand slot after slot, one card every 200 ms with the
// window's events running in between, and keep the seats' counts and image numbers; a batch that
// breaks the card rules is dropped whole as a failed frame.
#include <gtest/gtest.h>

#include <vector>

#include "connection/hall_link.h"
#include "platform/runtime/scheduler.h"
#include "table_play_fixture.h"

namespace cards_display_test {
namespace {

const std::vector<std::string> kHand = {"3d", "9s", "Kh", "5c",  "Ah", "7d", "Qs",
                                        "2h", "Jc", "4s", "10d", "8h", "6c"};

class Deal : public ::testing::TestWithParam<Screen> {
  protected:
    TablePlay play{GetParam()};
    client::Client& c = play.c;
    float scale() const { return table_test::ScaleOf(GetParam()); }
    int visibleHandCards() {
        int shown = 0;
        for (int k = 0; k < 13; ++k) shown += play.form.cardImage0[k].visible();
        return shown;
    }
};

TEST_P(Deal, ThreeBatchesFillTheHandSlotAfterSlotOnEverySeat) {
    const auto cards = WireCards(kHand);
    const double step = (scale() == 1.0f ? 0.22 : 0.3) * play.form.cardImage0[0].width();

    play.dealBatch(1, {cards.begin(), cards.begin() + 5});
    EXPECT_EQ(c.s.g_nDealtCards, 5);
    EXPECT_EQ(c.s.custom[0].count, 5);
    for (int seat = 0; seat < 4; ++seat) {
        // Slots 0..5: the five dealt and the next free one.
        for (int k = 0; k <= 5; ++k) EXPECT_EQ(c.s.custom[seat].slots[k].image, k) << seat;
        EXPECT_EQ(c.s.custom[seat].slots[6].image, -1) << seat;
    }

    play.dealBatch(2, {cards.begin() + 5, cards.begin() + 9});
    EXPECT_EQ(c.s.g_nDealtCards, 9);
    EXPECT_EQ(c.s.custom[0].count, 9);
    EXPECT_EQ(c.s.custom[2].slots[9].image, 9);
    EXPECT_EQ(c.s.custom[2].count, 0) << "the others' counts wait for the last batch";

    play.dealBatch(3, {cards.begin() + 9, cards.end()});
    for (int seat = 0; seat < 4; ++seat) {
        EXPECT_EQ(c.s.custom[seat].count, 13) << seat;
        for (int k = 0; k < 13; ++k) EXPECT_EQ(c.s.custom[seat].slots[k].image, k);
    }
    for (int k = 0; k < 13; ++k) {
        SCOPED_TRACE("slot " + std::to_string(k));
        EXPECT_EQ(c.s.custom[0].slots[k].card, cards[std::size_t(k)])
            << "the server's order, unsorted";
        const forms::Image& image = play.form.cardImage0[k];
        EXPECT_TRUE(image.visible());
        EXPECT_TRUE(image.stretch());
        EXPECT_NEAR(image.left(), (300 + k * step) * scale(), 1e-3);
        // The middle batch's cards lie on the unrounded rest line.
        const float top = k >= 5 && k < 9 ? 565 * scale() : float(c.s.g_nCardBaseTop);
        EXPECT_FLOAT_EQ(image.top(), top);
    }
    EXPECT_EQ(c.s.g_nDealtCards, 0) << "the dispatcher's end of the deal";
}

TEST_P(Deal, CardsAppear200MsApartWhileTheHallIsAnswered) {
    const auto cards = WireCards(kHand);
    platform::Scheduler& time = play.table.harness.scheduler;
    std::vector<int> shown;  // visible hand cards, halfway between two cards
    std::vector<std::uint32_t> answered;
    platform::Timer sampler(time);
    sampler.onTimer = [&] {
        shown.push_back(visibleHandCards());
        if (shown.size() != 3) return;
        // The hall asks whether a game runs while the third card lies on the table.
        c.s.g_bGameRunning = true;
        connection::MainWndProc(c, {}, connection::HallMsgInGame, 0, 0);
        for (const auto& post : play.table.harness.desktop.posts(play.table.harness.hall))
            answered.push_back(post.message);
    };
    sampler.setInterval(200);
    sampler.setEnabled(true);
    time.advance(100);

    const auto before = time.now();
    play.dealBatch(1, {cards.begin(), cards.begin() + 5});
    EXPECT_EQ(time.now() - before, 5 * 200);
    EXPECT_EQ(shown, (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(answered, std::vector<std::uint32_t>{connection::HallMsgInGame});
}

TEST_P(Deal, AnEmptyFirstBatchStillKeepsItsBookkeeping) {
    const auto before = play.table.harness.scheduler.now();
    play.dealBatch(1, {});
    EXPECT_EQ(play.table.harness.scheduler.now(), before) << "no card, no pause";
    EXPECT_TRUE(c.soundState.g_sSoundPath.endsWith("\\..\\common\\voices\\sys010.wav"));
    EXPECT_EQ(c.s.g_nDealtCards, 0);
    EXPECT_EQ(c.s.custom[0].count, 0);
    for (int seat = 0; seat < 4; ++seat) {
        EXPECT_EQ(c.s.custom[seat].slots[0].image, 0) << seat;
        EXPECT_EQ(c.s.custom[seat].slots[1].image, -1) << seat;
    }
    EXPECT_EQ(visibleHandCards(), 0);
}

TEST_P(Deal, TheLastBatchDeclaresEveryHandFullWhateverCameBefore) {
    const auto cards = WireCards(kHand);
    play.dealBatch(1, {cards.begin(), cards.begin() + 3});
    play.dealBatch(2, {cards.begin() + 3, cards.begin() + 5});
    play.dealBatch(3, {cards.begin() + 5, cards.begin() + 7});
    for (int seat = 0; seat < 4; ++seat) EXPECT_EQ(c.s.custom[seat].count, 13) << seat;
    EXPECT_EQ(visibleHandCards(), 7);
}

TEST_P(Deal, WithoutABatchFlagOnlyTheSoundAndTheFrontOrderHappen) {
    c.soundState.g_bEffectsOn = false;
    const state::Frame frame = support::BuildDeal({.dealPhase = 1, .cards = WireCards({"3d"})});
    cards::ReceiveDealtCards(c, frame, 1);
    EXPECT_EQ(visibleHandCards(), 0);
    EXPECT_EQ(c.s.custom[0].slots[0].card, 0);
    EXPECT_TRUE(c.soundState.g_sSoundPath.isEmpty()) << "effects off: no sound";
}

INSTANTIATE_TEST_SUITE_P(Cards, Deal, ::testing::Values(Screen::Framed1280, Screen::Small800),
                         table_test::LayoutName<::testing::TestParamInfo<Screen>>);

// A batch the client cannot hold is a failed frame: the hall comes back, nothing of the batch is
// stored or shown, the bookkeeping stays where the earlier batches left it.
struct BadDeal {
    const char* name;
    std::uint8_t batch;
    std::vector<std::int32_t> cards;
    std::optional<std::uint8_t> cardCount;
};

class BadDealFrames : public ::testing::TestWithParam<BadDeal> {};

TEST_P(BadDealFrames, AreDroppedWholeAndTheHallRestored) {
    TablePlay play(Screen::Framed1280);
    play.dealBatch(1, WireCards({"3d", "4d", "5d", "6d", "7d", "8d", "9d", "10d", "Jd"}));
    const auto before = play.c.s.custom;
    play.table.harness.desktop.clearRecords(play.table.harness.hall);

    play.dealBatch(GetParam().batch, GetParam().cards, GetParam().cardCount);
    EXPECT_TRUE(play.hallRestored());
    for (int k = 9; k < 13; ++k) {
        EXPECT_EQ(play.c.s.custom[0].slots[k].card, before[0].slots[k].card) << k;
        EXPECT_FALSE(play.form.cardImage0[k].visible()) << k;
    }
    EXPECT_EQ(play.c.s.g_nDealtCards, 9);
    EXPECT_EQ(play.c.s.custom[0].count, 9);
}

INSTANTIATE_TEST_SUITE_P(
    Cards, BadDealFrames,
    ::testing::Values(
        BadDeal{"card_id_128", 2, {support::CardWord(1, 3, 1), support::CardWord(1, 4, 128)}, {}},
        BadDeal{"rank_17", 2, {support::CardWord(1, 17, 1)}, {}},
        BadDeal{"rank_2", 2, {support::CardWord(1, 2, 1)}, {}},
        BadDeal{"suit_of_two_bits", 2, {support::CardWord(6, 5, 1)}, {}},
        BadDeal{"no_suit", 2, {support::CardWord(0, 5, 1)}, {}},
        BadDeal{"past_slot_12", 2, WireCards({"3s", "4s", "5s", "6s", "7s"}), {}},
        BadDeal{"count_byte_far_past_the_cards", 3, WireCards({"3s"}), std::uint8_t(200)}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace cards_display_test
