#include "resources/picture_ids.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

namespace resources {
namespace {

constexpr float kFull = 1.0f;
constexpr float kReduced = 0.78125f;

struct IdCase {
    const char* label;
    float scale;
    std::function<QString(const PictureIds&)> entry;
    const char* expected;
};

void PrintTo(const IdCase& c, std::ostream* os) {
    *os << c.label;
}

class PictureIdTables : public testing::TestWithParam<IdCase> {};

TEST_P(PictureIdTables, HoldTheLayoutsPictureNumber) {
    const PictureIds ids = InitImageIds(GetParam().scale);
    EXPECT_EQ(GetParam().entry(ids), QString::fromLatin1(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, PictureIdTables,
    testing::Values(
        IdCase{"full card 19 is suit 1's three", kFull, [](auto& t) { return t.g_aIdCards[19]; },
               "19"},
        IdCase{"full card 30 is suit 1's ace", kFull, [](auto& t) { return t.g_aIdCards[30]; },
               "30"},
        IdCase{"reduced card 19", kReduced, [](auto& t) { return t.g_aIdCards[19]; }, "316"},
        IdCase{"reduced card 30", kReduced, [](auto& t) { return t.g_aIdCards[30]; }, "314"},
        IdCase{"full back", kFull, [](auto& t) { return t.g_aIdCards[18]; }, "18"},
        IdCase{"reduced back", kReduced, [](auto& t) { return t.g_aIdCards[18]; }, "18"},
        IdCase{"full black joker", kFull, [](auto& t) { return t.g_aIdCards[16]; }, "16"},
        IdCase{"reduced black joker", kReduced, [](auto& t) { return t.g_aIdCards[16]; }, "353"},
        IdCase{"reduced red joker", kReduced, [](auto& t) { return t.g_aIdCards[17]; }, "354"},
        IdCase{"reduced ace of hearts", kReduced, [](auto& t) { return t.g_aIdCards[46]; }, "327"},
        IdCase{"reduced ace of spades", kReduced, [](auto& t) { return t.g_aIdCards[62]; }, "340"},
        IdCase{"reduced diamond two", kReduced, [](auto& t) { return t.g_aIdCards[15]; }, "302"},
        IdCase{"reduced spade king", kReduced, [](auto& t) { return t.g_aIdCards[61]; }, "352"},
        IdCase{"full spade two", kFull, [](auto& t) { return t.g_aIdCards[63]; }, "63"},
        IdCase{"reduced toolbar 1 keeps 151", kReduced, [](auto& t) { return t.g_aIdAnNiu[1]; },
               "151"},
        IdCase{"reduced toolbar 2 switches", kReduced, [](auto& t) { return t.g_aIdAnNiu[2]; },
               "283"},
        IdCase{"reduced toolbar 19", kReduced, [](auto& t) { return t.g_aIdAnNiu[19]; }, "300"},
        IdCase{"full toolbar 19", kFull, [](auto& t) { return t.g_aIdAnNiu[19]; }, "169"},
        IdCase{"ready badge 3 repeats 0", kFull, [](auto& t) { return t.g_aIdReadyBadge[3]; },
               "280"},
        IdCase{"ready badge 2", kReduced, [](auto& t) { return t.g_aIdReadyBadge[2]; }, "282"},
        IdCase{"right seat's one-card small pile", kReduced,
               [](auto& t) { return t.g_aIdPile3Small[0]; }, "975"},
        IdCase{"left pile of 11", kFull, [](auto& t) { return t.g_aIdPile1[10]; }, "910"},
        IdCase{"top small pile of 13", kFull, [](auto& t) { return t.g_aIdPile2Small[12]; }, "957"},
        IdCase{"last call badge", kFull, [](auto& t) { return t.g_aIdCallBadge[26]; }, "476"},
        IdCase{"last declaration hover", kReduced, [](auto& t) { return t.g_aIdJiaofen[17]; },
               "447"},
        IdCase{"last action picture", kFull, [](auto& t) { return t.g_aIdOperation[14]; }, "192"},
        IdCase{"last dialog picture", kFull, [](auto& t) { return t.g_aIdDialog[7]; }, "177"},
        IdCase{"last avatar", kReduced, [](auto& t) { return t.g_aIdAvatar[19]; }, "259"},
        IdCase{"third place", kFull, [](auto& t) { return t.g_aIdPlaceBadge[2]; }, "362"},
        IdCase{"last pane button", kFull, [](auto& t) { return t.g_aIdPaneButtons[12]; }, "862"},
        IdCase{"last zoom background", kReduced, [](auto& t) { return t.g_aIdVideoBack[5]; },
               "875"}));

TEST(PictureIdCards, LeaveTheCodesWithoutACardEmptyInBothLayouts) {
    for (float scale : {kFull, kReduced}) {
        const PictureIds ids = InitImageIds(scale);
        for (int code : {0, 1, 2, 32, 33, 34, 48, 49, 50})
            EXPECT_TRUE(ids.g_aIdCards[size_t(code)].isEmpty()) << scale << " code " << code;
    }
}

TEST(PictureIdCards, FullLayoutNumbersEveryCardByItsCode) {
    const PictureIds ids = InitImageIds(kFull);
    for (int code = 0; code < 64; ++code) {
        const bool hasCard = code % 16 >= 3 || code == 16 || code == 17 || code == 18;
        if (hasCard) {
            EXPECT_EQ(ids.g_aIdCards[size_t(code)], QString::number(code)) << code;
        }
    }
}

TEST(PictureIdCards, ReducedLayoutGivesEveryFaceItsOwnNumber) {
    const PictureIds ids = InitImageIds(kReduced);
    std::set<int> seen;
    for (int s = 0; s < 4; ++s)
        for (int r = 3; r <= 15; ++r) {
            const int id = ids.g_aIdCards[size_t(16 * s + r)].toInt();
            EXPECT_GE(id, 301 + 13 * s);
            EXPECT_LE(id, 313 + 13 * s);
            seen.insert(id);
        }
    EXPECT_EQ(seen.size(), 52u);
}

TEST(PictureIdCards, OnlyExactlyOneChoosesTheFullLayout) {
    EXPECT_EQ(InitImageIds(0.99999f).g_aIdCards[19], QStringLiteral("316"));
    EXPECT_EQ(InitImageIds(1.25f).g_aIdAnNiu[2], QStringLiteral("283"));
}

}  // namespace
}  // namespace resources
