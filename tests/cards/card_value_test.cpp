#include "cards/card_value.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "cards/card_picture.h"
#include "platform/runtime/failure.h"

namespace {

using namespace cards;
using platform::RuntimeFailure;

TEST(CardValue, DecodesTheFieldsOfAWireCard) {
    // Queen of hearts, server byte 0x5A, id 77.
    const std::array<std::uint8_t, 4> wire{0x04, 12, 0x5A, 77};
    const CardValue card = CardValueFromWire(wire);
    EXPECT_EQ(card, 0x4D5A0C04);
    EXPECT_EQ(CardSuit(card), SuitHearts);
    EXPECT_EQ(CardRank(card), 12);
    EXPECT_EQ(CardId(card), 77);
    EXPECT_TRUE(IsValidCardValue(card));
}

TEST(CardValue, RefusesValuesNoDeckHolds) {
    struct Case {
        const char* what;
        std::array<std::uint8_t, 4> wire;
    };
    const Case cases[] = {
        {"rank 2 is not a rank (the two is 15)", {8, 2, 0, 1}},
        {"rank 0", {8, 0, 0, 1}},
        {"rank above the marked ace", {8, 17, 0, 1}},
        {"no suit bit", {0, 9, 0, 1}},
        {"two suit bits", {3, 9, 0, 1}},
        {"card id above 127 makes the value negative", {8, 9, 0, 128}},
    };
    for (const Case& c : cases) {
        const CardValue card = CardValueFromWire(c.wire);
        EXPECT_FALSE(IsValidCardValue(card)) << c.what;
        EXPECT_THROW(CheckCardValue(card), RuntimeFailure) << c.what;
    }
    EXPECT_NO_THROW(
        CheckCardValue(CardValueFromWire(std::array<std::uint8_t, 4>{1, 16, 0xFF, 127})));
}

TEST(CardBitIndex, GivesTheHighestSetBit) {
    const std::pair<std::int16_t, int> cases[] = {{1, 0}, {2, 1},  {3, 1},  {4, 2}, {7, 2},
                                                  {8, 3}, {12, 3}, {15, 3}, {0, 0}, {-8, 0}};
    for (const auto& [x, index] : cases) EXPECT_EQ(BitIndex(x), index) << "x = " << x;
}

TEST(CardPicture, CodeIsSuitIndexTimesSixteenPlusRank) {
    EXPECT_EQ(CardPictureCodeOf(SuitDiamonds, 3), 3);
    EXPECT_EQ(CardPictureCodeOf(SuitClubs, 15), 31);
    EXPECT_EQ(CardPictureCodeOf(SuitHearts, 14), 46);
    EXPECT_EQ(CardPictureCodeOf(SuitSpades, 14), 62);
}

TEST(CardPicture, MarkedAceShowsTheAceOfItsSuitWhateverCodeIsPassed) {
    // Callers pass suit index × 16 + 16: 48 for hearts, which alone would be refused, and 16 for
    // diamonds, which would be the black joker.
    EXPECT_EQ(CardPictureCodeToShow(SuitHearts, RankMarkedAce, 48), 46);
    EXPECT_EQ(CardPictureCodeToShow(SuitDiamonds, RankMarkedAce, 16), 14);
    EXPECT_EQ(CardPictureCodeToShow(SuitSpades, RankMarkedAce, 999), 62);
}

TEST(CardPicture, PassesFacesJokersAndTheBack) {
    for (const int code : {3, 15, 19, 31, 35, 47, 51, 63, 16, 17, 18}) {
        EXPECT_EQ(CardPictureCodeToShow(SuitSpades, 9, code), code) << "code " << code;
    }
}

TEST(CardPicture, RefusesCodesWithoutAPicture) {
    for (const int code : {0, 1, 2, 32, 33, 34, 48, 49, 50, 128, 200, 32767}) {
        EXPECT_EQ(CardPictureCodeToShow(SuitSpades, 9, code), std::nullopt) << "code " << code;
    }
}

TEST(CardPicture, CodeOutsideThePictureTableIsARunTimeFailure) {
    for (const int code : {-1, -16, 64, 66, 100, 127}) {
        EXPECT_THROW(CardPictureCodeToShow(SuitSpades, 9, code), RuntimeFailure) << "code " << code;
    }
}

}  // namespace
