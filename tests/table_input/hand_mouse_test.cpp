// The mouse on the hand as a player moves and clicks it: the hover float with its hysteresis
// and bottom band, selecting and putting back with their sounds, smart selection on the turn,
// and the right click that plays.
#include <QPointF>

#include "hand_table.h"
#include "platform/forms/input.h"

namespace table_input {
namespace {

using forms::testing::click;
using forms::testing::moveTo;
using forms::testing::pointOf;
using enum cards::PatternType;

class HandMouse : public HandTable {
  protected:
    void SetUp() override {
        HandTable::SetUp();
        deal("3 4 5 6 7 8 8 9 10 J");
    }
    // A point on the part of slot k's card that no other card covers.
    QPointF on(int slot, float dy = 20) { return pointOf(card(slot), QPointF(10, dy)); }
    void hover(int slot, float dy = 20) { moveTo(form(), on(slot, dy)); }
    float floatTop() { return rest() - 5; }
};

TEST_F(HandMouse, TheCardUnderThePointerFloatsAndHandsTheFloatOn) {
    hover(3);
    EXPECT_EQ(card(3).top(), floatTop());
    EXPECT_EQ(s().RecordUpNumber, 3);
    EXPECT_EQ(card(3).mousePointer(), 99);
    hover(6);
    EXPECT_EQ(card(3).top(), rest());
    EXPECT_EQ(card(6).top(), floatTop());
    EXPECT_EQ(s().RecordUpNumber, 6);
}

// The pointer on the card left of the floating one, near the floating card's left edge.
struct EdgeCase {
    const char* name;
    float pixelsLeftOfEdge;
    bool floatMoves;
};

class HoverAtTheOverlap : public HandMouse, public ::testing::WithParamInterface<EdgeCase> {};

TEST_P(HoverAtTheOverlap, TheFloatMovesOnlyOutsideThreePixelsOfTheEdge) {
    hover(5);
    const QPointF edge = pointOf(card(5), QPointF(0, 30));
    moveTo(form(), edge - QPointF(GetParam().pixelsLeftOfEdge, 0));
    EXPECT_EQ(s().RecordUpNumber, GetParam().floatMoves ? 4 : 5);
    EXPECT_EQ(card(5).top(), GetParam().floatMoves ? rest() : floatTop());
}

INSTANTIATE_TEST_SUITE_P(Hysteresis, HoverAtTheOverlap,
                         ::testing::Values(EdgeCase{"OnePixel", 1, false},
                                           EdgeCase{"TwoPixels", 2, false},
                                           EdgeCase{"ThreePixels", 3, true},
                                           EdgeCase{"TenPixels", 10, true}),
                         [](const auto& info) { return std::string(info.param.name); });

struct BandCase {
    const char* name;
    float pixelsAboveBottom;
    bool floats;
};

class HoverNearTheBottom : public HandMouse, public ::testing::WithParamInterface<BandCase> {};

TEST_P(HoverNearTheBottom, TheLowestSixPixelsStartNoFloat) {
    hover(2, card(2).height() - GetParam().pixelsAboveBottom);
    EXPECT_EQ(card(2).top(), GetParam().floats ? floatTop() : rest());
}

INSTANTIATE_TEST_SUITE_P(BottomBand, HoverNearTheBottom,
                         ::testing::Values(BandCase{"OnePixelUp", 1, false},
                                           BandCase{"FivePixelsUp", 5, false},
                                           BandCase{"SevenPixelsUp", 7, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(HandMouse, AClickSelectsTheFloatingCardAndASecondPutsItBackWithTheirSounds) {
    click(form(), on(2));
    EXPECT_EQ(card(2).top(), rest() - card(2).height() / 5);
    EXPECT_EQ(s().NumSumClickUp, 1);
    EXPECT_TRUE(lastEffect().endsWith("\\..\\common\\pk\\sys020.wav"))
        << lastEffect().toStdString();

    click(form(), on(2, 10));
    EXPECT_EQ(card(2).top(), rest());
    EXPECT_EQ(s().NumSumClickUp, 0);
    EXPECT_EQ(s().NumberClick, 2);
    EXPECT_TRUE(lastEffect().endsWith("\\..\\common\\pk\\sys030.wav"))
        << lastEffect().toStdString();

    // The card just put down does not float again until the pointer has been on another card.
    hover(2, 30);
    EXPECT_EQ(card(2).top(), rest());
    hover(7);
    hover(2);
    EXPECT_EQ(card(2).top(), floatTop());
}

TEST_F(HandMouse, NothingFloatsWhileACardIsSelectedNorOnTheOwnTurn) {
    click(form(), on(1));
    hover(6);
    EXPECT_EQ(card(6).top(), rest());

    click(form(), on(1));
    hover(6);
    ASSERT_EQ(card(6).top(), floatTop());
    s().FlgIsMe = true;  // the turn comes: the next move puts the float down
    hover(8);
    EXPECT_EQ(card(6).top(), rest());
    EXPECT_EQ(card(8).top(), rest());
    EXPECT_EQ(s().RecordUpNumber, -1);
}

TEST_F(HandMouse, TheFirstSelectingClickAgainstAPlayRunsSmartSelection) {
    using card_notation::Card;
    turn(PatternPair, 2, {Card(5, 8), Card(5, 4)});
    click(form(), on(5));  // an 8: its partner rises with it
    EXPECT_EQ(raised(), "5 6");
    EXPECT_EQ(s().clickCardNum, 1);

    click(form(), on(9));  // a second selecting click raises only its own card
    EXPECT_EQ(raised(), "5 6 9");
}

TEST_F(HandMouse, ASelectingClickWhileLeadingRaisesOnlyItsCard) {
    turn();
    click(form(), on(5));
    EXPECT_EQ(raised(), "5");
}

TEST_F(HandMouse, ARightClickOnTheHandPlaysTheRaisedCards) {
    turn();
    click(form(), on(2));
    s().g_nTimeoutCount = 2;
    click(form(), on(7), forms::kRightButton);
    ASSERT_EQ(Calls().plays.size(), 1u);
    EXPECT_EQ(Calls().plays[0], 1ul << 2);
    EXPECT_EQ(s().g_nTimeoutCount, 0);
}

TEST_F(HandMouse, ARightClickOnTheTablePlaysOnlyWhenLoggedIn) {
    turn();
    const QPointF background = pointOf(form().Pic1, QPointF(100, 100));
    s().g_bLoggedIn = false;
    click(form(), on(3), forms::kRightButton);
    click(form(), background, forms::kRightButton);
    EXPECT_TRUE(Calls().plays.empty());

    s().g_bLoggedIn = true;
    click(form(), background, forms::kRightButton);
    EXPECT_EQ(Calls().plays.size(), 1u);
    click(form(), background, forms::kLeftButton);
    EXPECT_EQ(Calls().plays.size(), 1u);
}

TEST_F(HandMouse, ARightClickOnThePictureAreaPlaysEvenWhenNotLoggedIn) {
    turn();
    s().g_bLoggedIn = false;
    s().g_nTimeoutCount = 2;
    form().Pic2.move(0, 0, 200, 150);  // the reduced table's picture area
    form().Pic2.setVisible(true);
    form().Pic2.zOrder(0);
    click(form(), pointOf(form().Pic2), forms::kRightButton);
    EXPECT_EQ(Calls().plays.size(), 1u);
    EXPECT_EQ(s().g_nTimeoutCount, 2);
}

}  // namespace
}  // namespace table_input
