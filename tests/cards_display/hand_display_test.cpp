// The hand on the table window follows the rules' model: the sorts lay the card images out
// again (the hand row, the revealed rows of the other seats), smart selection and the hint raise
// the images of the cards they choose.
#include <gtest/gtest.h>

#include <QImage>
#include <string>
#include <vector>

#include "cards/card_notation.h"
#include "cards/card_picture.h"
#include "cards/display/card_picture_display.h"
#include "cards/display/hand_sorting.h"
#include "cards/display/hint_display.h"
#include "cards/display/smart_selection_display.h"
#include "cards/hand_notation.h"
#include "client/main_form.h"
#include "connection/client_loading.h"
#include "platform/forms/render.h"
#include "platform/runtime/conversions.h"
#include "platform/runtime/failure.h"
#include "resources/picture_ids.h"
#include "state/shared_state.h"
#include "support/client_harness.h"
#include "support/resource_images.h"
#include "support/temp_folder.h"

namespace cards {
namespace {

using card_notation::Hand;
using enum PatternType;

constexpr int kRestLine = 565;
constexpr float kCardWidth = 92;
constexpr float kCardHeight = 122;

class HandDisplay : public ::testing::Test {
  protected:
    void SetUp() override {
        c.ids = resources::InitImageIds(1.0f);
        c.s.g_nCardBaseTop = kRestLine;
        for (auto* images : {&form.cardImage0, &form.cardImage1, &form.cardImage2}) {
            for (int k = 0; k < 20; ++k) {
                if (!images->exists(k)) images->load(k);
                (*images)[k].setPicture(stale);
                (*images)[k].move(0, 0, kCardWidth, kCardHeight);
            }
        }
    }

    // Deals `notation` into the seat's slots 0.., slot k shown by image k. The local hand lies in
    // its row on the rest line; every image keeps the stale picture until something draws it.
    void deal(int seat, const char* notation) {
        state::SeatRecord& record = c.s.custom[std::size_t(seat)];
        const auto cards = Hand(notation);
        for (std::size_t k = 0; k < cards.size(); ++k) {
            record.slots[k] = {cards[k], std::int16_t(k)};
            if (seat == 0) form.cardImage0[int(k)].move(300 + 20.24f * k, kRestLine);
        }
        record.count = std::int16_t(cards.size());
    }

    // Draws every dealt card, as the deal does.
    void drawFaces(int seat) {
        for (int k = 0; k < c.s.custom[std::size_t(seat)].count; ++k) {
            const state::CardSlot& slot = c.s.custom[std::size_t(seat)].slots[std::size_t(k)];
            const auto suit = std::int16_t(CardSuit(slot.card));
            const auto rank = std::int16_t(CardRank(slot.card));
            ShowCardPicture(c, suit, rank, std::int16_t(seat), slot.image,
                            std::int16_t(CardPictureCodeOf(suit, rank)), 0);
        }
    }

    // The local hand's cards, in slot order.
    std::string handNames() const {
        std::vector<std::int32_t> cards;
        for (int k = 0; k < c.s.custom[0].count; ++k) cards.push_back(c.s.custom[0].slots[k].card);
        return hand_notation::Names(cards);
    }
    forms::Image& slotImage(int slot) { return form.cardImage0[c.s.custom[0].slots[slot].image]; }
    // The cards whose images lie above the rest line, in slot order.
    std::string raisedNames() {
        std::vector<std::int32_t> cards;
        for (int k = 0; k < c.s.custom[0].count; ++k) {
            if (slotImage(k).top() < kRestLine) cards.push_back(c.s.custom[0].slots[k].card);
        }
        return hand_notation::Names(cards);
    }
    // The face picture a card shows.
    QImage face(std::int32_t card) const {
        const auto code =
            CardPictureCodeToShow(std::int16_t(CardSuit(card)), std::int16_t(CardRank(card)),
                                  CardPictureCodeOf(CardSuit(card), CardRank(card)));
        return support::decodedResource(
            platform::textToInteger(c.ids.g_aIdCards[std::size_t(*code)]));
    }
    bool showsStale(const forms::Image& image) const {
        return image.picture().image() == stale.image();
    }

    support::ClientHarness harness;
    client::Client& c = harness.make();
    client::MainForm& form = *c.MainForm;
    const forms::Picture stale{QImage(5, 5, QImage::Format_ARGB32_Premultiplied)};
};

TEST_F(HandDisplay, RankOrderLaysTheHandOnTheRestLineAndDrawsOnlyTheMovedCards) {
    deal(0, "Ks 2s Ah Qs Ad 3d");
    slotImage(3).move(slotImage(3).left(), kRestLine - 24.4f);  // a raised Q
    c.s.NumSumClickUp = 1;
    SortHandByRank(c, 0, 6, SuitHearts, 0);

    EXPECT_EQ(handNames(), "Ah Ad 2s Ks Qs 3d");
    EXPECT_EQ(c.s.g_nMarkedAceCount, 2);
    EXPECT_EQ(c.s.NumSumClickUp, 0);
    for (int k = 0; k < 6; ++k) {
        SCOPED_TRACE("slot " + std::to_string(k));
        const forms::Image& image = slotImage(k);
        EXPECT_EQ(c.s.custom[0].slots[k].image, k) << "each slot keeps its image";
        EXPECT_FLOAT_EQ(image.left(), 300 + 0.22f * k * kCardWidth);
        EXPECT_EQ(image.top(), kRestLine);
        EXPECT_TRUE(image.visible());
    }
    // Slot 5 (3d) kept its card: no face was loaded for it.
    EXPECT_TRUE(showsStale(slotImage(5)));
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(slotImage(k).picture().image(), face(c.s.custom[0].slots[k].card)) << k;
    }
}

TEST_F(HandDisplay, TheReducedLayoutSpreadsTheRowWider) {
    c.s.g_fScaleX = 0.78125f;
    deal(0, "3 4 5");
    SortHandByRank(c, 0, 3, 0, 0);
    for (int k = 0; k < 3; ++k) {
        EXPECT_FLOAT_EQ(slotImage(k).left(), 0.78125f * (300 + 0.3f * k * kCardWidth));
    }
}

// After cards have gone to the table, the rank order again keeps every slot on its own image:
// the played cards stay where they lie and every hand card is drawn and laid out in the row.
TEST_F(HandDisplay, ARankSortLaterInTheHandLeavesThePlayedCardsOnTheTable) {
    deal(0, "3 9 K 5 A 7 Q 2 J 4 10 8 6");
    SortHandByRank(c, 0, 13, 0, 0);
    // Slots 0, 3 and 5 (2s, Qs, 10s) are played: their images go to the table and the slots
    // close up, as the play does.
    state::SeatRecord& hand = c.s.custom[0];
    std::vector<int> played;
    for (const int slot : {5, 3, 0}) {
        const int image = hand.slots[std::size_t(slot)].image;
        played.push_back(image);
        form.cardImage0[image].move(400, 330);
        for (int k = slot; k + 1 < hand.count; ++k)
            hand.slots[std::size_t(k)] = hand.slots[std::size_t(k + 1)];
        --hand.count;
    }
    // The second order puts the 4 and the 3 first, so that the rank order has cards to move.
    hand.slots[std::size_t(hand.count - 2)].card |= 1 << 16;
    hand.slots[std::size_t(hand.count - 1)].card |= 1 << 16;
    const std::vector<QImage> playedFaces = {form.cardImage0[played[0]].picture().image(),
                                             form.cardImage0[played[1]].picture().image(),
                                             form.cardImage0[played[2]].picture().image()};
    SortHandByGroup(c, 0, hand.count, 0, 0);
    ASSERT_EQ(handNames(), "4s 3s As Ks Js 9s 8s 7s 6s 5s");
    SortHandByRank(c, 0, hand.count, 0, 0);

    EXPECT_EQ(handNames(), "As Ks Js 9s 8s 7s 6s 5s 4s 3s");
    for (std::size_t k = 0; k < played.size(); ++k) {
        const forms::Image& image = form.cardImage0[played[k]];
        EXPECT_EQ(image.left(), 400) << "played image " << played[k];
        EXPECT_EQ(image.top(), 330);
        EXPECT_EQ(image.picture().image(), playedFaces[k]);
    }
    for (int k = 0; k < hand.count; ++k) {
        SCOPED_TRACE("slot " + std::to_string(k));
        for (const int image : played) EXPECT_NE(hand.slots[std::size_t(k)].image, image);
        EXPECT_EQ(slotImage(k).picture().image(), face(hand.slots[std::size_t(k)].card));
        EXPECT_EQ(slotImage(k).top(), kRestLine);
        EXPECT_FLOAT_EQ(slotImage(k).left(), 300 + 0.22f * k * kCardWidth);
    }
}

TEST_F(HandDisplay, TheRevealOfAnotherSeatCentresItsCardsOnItsPlayPoint) {
    deal(2, "5 K 9 A 2");
    c.s.custom[2].playX = 390;
    c.s.custom[2].playY = 190;
    SortHandByRank(c, 2, 5, SuitClubs, 0);

    EXPECT_EQ(c.s.g_nMarkedAceCount, 1) << "the black ace of spades";
    EXPECT_EQ(c.s.custom[2].slots[0].card % 65536, RankAce * 256 + SuitSpades);
    for (int k = 0; k < 5; ++k) {
        SCOPED_TRACE("card " + std::to_string(k));
        const state::CardSlot& slot = c.s.custom[2].slots[std::size_t(k)];
        const forms::Image& image = form.cardImage2[slot.image];
        EXPECT_NEAR(image.left(), 390 - 84.6 + 0.22 * k * kCardWidth, 1e-3);
        EXPECT_EQ(image.top(), 190);
        EXPECT_TRUE(image.visible());
        EXPECT_EQ(image.picture().image(), face(slot.card)) << "every revealed card is drawn";
    }
    EXPECT_TRUE(showsStale(form.cardImage0[0])) << "the local hand is not touched";
}

TEST_F(HandDisplay, TheGroupOrderKeepsRaisedCardsRaisedAndTheRowInPlace) {
    deal(0, "3 K 7 Q 9");
    const auto hand = Hand("3 K 7 Q 9");
    c.s.custom[0].slots[0].card |= 1 << 16;                     // the 3 heads the second order
    slotImage(1).move(slotImage(1).left(), kRestLine - 24.4f);  // K raised by a click
    slotImage(4).move(slotImage(4).left(), kRestLine - 20);     // 9 raised by the hint
    c.s.NumSumClickUp = 2;
    c.s.g_nMarkedAceCount = 1;
    std::vector<float> lefts;
    for (int k = 0; k < 5; ++k) lefts.push_back(slotImage(k).left());

    SortHandByGroup(c, 0, 5, 0, 0);

    EXPECT_EQ(handNames(), "3s Ks Qs 9s 7s");
    EXPECT_EQ(raisedNames(), "Ks 9s");
    EXPECT_FLOAT_EQ(slotImage(1).top(), kRestLine - 24.4f);
    EXPECT_FLOAT_EQ(slotImage(3).top(), kRestLine - 20);
    EXPECT_EQ(c.s.NumSumClickUp, 2);
    EXPECT_EQ(c.s.g_nMarkedAceCount, 1);
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(slotImage(k).left(), lefts[std::size_t(k)]);
        EXPECT_TRUE(slotImage(k).visible());
    }
    EXPECT_TRUE(showsStale(slotImage(0))) << "the 3 did not move";
    EXPECT_TRUE(showsStale(slotImage(1))) << "nor the K";
    EXPECT_EQ(slotImage(2).picture().image(), face(hand[3]));
}

TEST_F(HandDisplay, SortsOfNoSeatOrPastTheSlotsAreRunTimeFailures) {
    deal(0, "3 4 5");
    EXPECT_THROW(SortHandByRank(c, 4, 3, 0, 0), platform::RuntimeFailure);
    EXPECT_THROW(SortHandByRank(c, 0, 14, 0, 0), platform::RuntimeFailure);
    EXPECT_THROW(SortHandByGroup(c, 0, 3, 0, 11), platform::RuntimeFailure);
    c.s.custom[0].slots[1].image = -1;
    EXPECT_THROW(SortHandByRank(c, 0, 3, 0, 0), platform::RuntimeFailure);
}

TEST_F(HandDisplay, SmartSelectionRaisesTheCardsAsAClickWould) {
    deal(0, "J 4 J 9");
    c.s.former = hand_notation::Former(PatternPair, "8 8");
    slotImage(0).move(slotImage(0).left(), kRestLine - kCardHeight / 5);
    c.s.clickCardNum = 1;
    c.s.NumSumClickUp = 1;
    EXPECT_TRUE(AgileClickCard(c));
    EXPECT_EQ(raisedNames(), "Js Jh");
    EXPECT_FLOAT_EQ(slotImage(2).top(), kRestLine - kCardHeight / 5);
    EXPECT_EQ(c.s.NumSumClickUp, 1);
    EXPECT_EQ(c.s.clickCardNum, 1);

    // A second raised card: nothing more rises.
    slotImage(2).move(slotImage(2).left(), kRestLine);
    slotImage(3).move(slotImage(3).left(), kRestLine - 5);
    EXPECT_FALSE(AgileClickCard(c));
    EXPECT_EQ(raisedNames(), "Js 9s");
}

TEST_F(HandDisplay, TheHintRaisesItsCardsTwentyPixels) {
    deal(0, "9 J J Q");
    c.s.former = hand_notation::Former(PatternSingle, "10");
    c.s.hint.g_nHintType = 1;
    c.s.hint.g_nHintLen = 1;
    PromptBeat(c, 1, 1, c.s.former.g_aFormerCards);
    EXPECT_TRUE(c.s.hint.g_bHintFound);
    EXPECT_EQ(raisedNames(), "Jh");
    EXPECT_EQ(slotImage(2).top(), kRestLine - 20);
    EXPECT_EQ(c.s.hint.g_nHintCursor, 12);

    slotImage(2).move(slotImage(2).left(), kRestLine);
    PromptLead(c);
    EXPECT_EQ(raisedNames(), "9s");
    EXPECT_EQ(slotImage(0).top(), kRestLine - 20);
}

// A look at the hand as the player sees it (test-tmp/hand-sorted-with-hint.png): sorted with the
// marked aces in front, a revealed row at the opposite seat and the hint's pair raised.
TEST_F(HandDisplay, RendersTheSortedHandWithTheHintRaised) {
    form.move(0, 0, 1024 * 15, 768 * 15);
    form.Pic1.move(0, 0, 1024 * 15, 768 * 15);
    form.Pic1.setBackColor(0x306000);
    deal(0, "3 9 K 5 Ah 7 Q Ad J 4 10 8 6");
    drawFaces(0);
    deal(2, "5 K 9 A 2");
    c.s.custom[2].playX = 390;
    c.s.custom[2].playY = 190;
    SortHandByRank(c, 0, 13, SuitDiamonds, 0);
    SortHandByRank(c, 2, 5, 0, 0);
    c.s.former = hand_notation::Former(PatternStraight, "4 5 6");
    PromptBeat(c, 3, 3, c.s.former.g_aFormerCards);
    EXPECT_EQ(raisedNames(), "7s 6s 5s");
    support::ensureApplication();
    EXPECT_TRUE(forms::saveWindowPng(
        form, QString::fromStdString((testRoot() / "hand-sorted-with-hint.png").string())));
}

}  // namespace
}  // namespace cards
