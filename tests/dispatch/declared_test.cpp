// The players' declarations: every kind from every seat with its bubble and the multiplier, the
// declared group at another seat during the middle batch, a declared ace beside its seat, and a
// look at the table with them (screenshots/declarations.png in the build folder).
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <string>
#include <vector>

#include "connection/client_loading.h"
#include "dealing_fixture.h"
#include "platform/forms/render.h"
#include "table/table_layout.h"

namespace dispatch_test {
namespace {

struct Kind {
    std::string name;
    std::uint16_t action;
    int bubbleBase;
};

const Kind kKinds[] = {
    {"Xuan", 0x002, 0},          {"Chuai", 0x004, 3},     {"Ceng", 0x008, 6},
    {"PingDa", 0x010, 9},        {"FanChuai", 0x020, 12}, {"GenChuai", 0x040, 15},
    {"ShuaiPai", 0x080, 18},     {"BaoDa", 0x100, 21},    {"Pass", 0x001, 24},
    {"UnknownAction", 0x000, 0},
};
const char* const kSeatNames[] = {"Self", "Left", "Opposite", "Right"};

struct DeclaredCase {
    Kind kind;
    int seat;
    std::uint16_t multiplier;
};

std::vector<DeclaredCase> AllDeclarations() {
    std::vector<DeclaredCase> all;
    std::uint16_t multiplier = 2;
    for (const auto& kind : kKinds) {
        for (int seat = 0; seat < 4; ++seat) all.push_back({kind, seat, multiplier++});
    }
    return all;
}

class Declared : public SeatedDispatchTest, public ::testing::WithParamInterface<DeclaredCase> {};

TEST_P(Declared, ShowsTheKindsBubbleAtTheSeatAndTheMultiplier) {
    const auto& [kind, seat, multiplier] = GetParam();
    // Another seat's bubble is up: the declaration takes its place.
    const int earlier = seat == 2 ? 1 : 2;
    form().Speak[earlier].setVisible(true);
    c.s.g_nSpeakSeat = std::int16_t(earlier);

    dispatch(support::BuildDeclared({.seat = SeatFlagOf(seat),
                                     .action = kind.action,
                                     .multiplier = multiplier,
                                     .cards = {Card(Hearts, 10, 1), 0, 0, 0}}));
    EXPECT_EQ(form().lblfanshu.caption(), QString::number(multiplier));
    const int offset = seat == 0 ? 0 : seat == 3 ? 2 : 1;
    EXPECT_TRUE(Shows(form().Speak[seat], 450 + kind.bubbleBase + offset));
    // The local player's own bubble is loaded but not shown.
    EXPECT_EQ(form().Speak[seat].visible(), seat != 0);
    EXPECT_FALSE(form().Speak[earlier].visible());
    EXPECT_EQ(c.s.g_nSpeakSeat, seat);
    EXPECT_TRUE(c.s.channels.check[state::ChannelBubble]);
    EXPECT_EQ(c.s.channels.g_aCheckTicks[state::ChannelBubble], 0);
    EXPECT_EQ(c.s.g_aCardGroup[0], Hearts);
    EXPECT_EQ(c.s.g_aCardGroup[1], 10);
    // Only a declared ace from another seat stands beside it.
    EXPECT_EQ(form().xuan_img[5].visible(), kind.action == 0x002 && seat != 0);
}

INSTANTIATE_TEST_SUITE_P(KindsAndSeats, Declared, ::testing::ValuesIn(AllDeclarations()),
                         [](const ::testing::TestParamInfo<DeclaredCase>& info) {
                             return info.param.kind.name + "From" + kSeatNames[info.param.seat];
                         });

class DeclaredCards : public SeatedDispatchTest {
  protected:
    void SetUp() override {
        SeatedDispatchTest::SetUp();
        table::ResetTableForNewHand(c);  // the seats' play points
        // Every seat's slots numbered as the first two batches leave them.
        for (auto& seat : c.s.custom) {
            for (int k = 0; k < 10; ++k) seat.slots[std::size_t(k)].image = std::int16_t(k);
        }
    }
    state::Frame chuai(int seat, std::array<std::int32_t, 4> cards) {
        return support::BuildDeclared(
            {.seat = SeatFlagOf(seat), .action = 0x004, .multiplier = 4, .cards = cards});
    }
};

const std::array<std::int32_t, 4> kFourSevens{Card(Clubs, 7, 20), Card(Hearts, 7, 21),
                                              Card(Spades, 7, 22), Card(Diamonds, 7, 23)};
const std::array<std::int32_t, 4> kThreeSevens{Card(Clubs, 7, 20), Card(Hearts, 7, 21),
                                               Card(Spades, 7, 22), 0};

TEST_F(DeclaredCards, TheMiddleBatchShowsAnotherSeatsGroupAndHoldsHalfASecond) {
    struct Case {
        int seat;
        std::array<std::int32_t, 4> cards;
        int groupSize;
        double edge;  // the seat's own shift of the row
    };
    const float sx = c.s.g_fScaleX;
    for (const Case& t : {Case{1, kFourSevens, 4, 80.0 * sx}, Case{2, kThreeSevens, 3, 0},
                          Case{3, kFourSevens, 4, -90.0 * sx}}) {
        SCOPED_TRACE(t.seat);
        c.s.g_bDealPhase2 = true;
        c.s.g_aPlayedCount[std::size_t(t.seat - 1)] = 1;
        const auto before = harness.scheduler.now();
        dispatch(chuai(t.seat, t.cards));
        EXPECT_GE(harness.scheduler.now() - before, 500);
        EXPECT_EQ(c.s.g_nGroupSize, t.groupSize);
        auto& images = t.seat == 1   ? form().cardImage1
                       : t.seat == 2 ? form().cardImage2
                                     : form().cardImage3;
        const auto& record = c.s.custom[std::size_t(t.seat)];
        const double w = images[0].width();
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(images[i].visible(), i < t.groupSize) << i;
            if (i >= t.groupSize) continue;
            const double left = record.playX + (0.11 * t.groupSize + 0.39) * 90 * sx +
                                0.22 * w * sx * (i - 1) + t.edge;
            EXPECT_NEAR(images[i].left(), left, 0.01) << i;
            EXPECT_EQ(images[i].top(), record.playY) << i;
            EXPECT_FLOAT_EQ(images[i].width(), 80 * sx) << i;
        }
    }
}

TEST_F(DeclaredCards, OutsideTheMiddleBatchOrFromTheLocalSeatOnlyTheBubbleShows) {
    for (const auto& [phase2, seat] : {std::pair{false, 1}, std::pair{true, 0}}) {
        c.s.g_bDealPhase2 = phase2;
        const auto before = harness.scheduler.now();
        dispatch(chuai(seat, kFourSevens));
        EXPECT_EQ(harness.scheduler.now(), before);
        for (int i = 0; i < 4; ++i) EXPECT_FALSE(form().cardImage1[i].visible());
    }
}

TEST_F(DeclaredCards, ADeclaredAceStandsBesideTheSeatInTheDeclaredSuit) {
    const float sx = c.s.g_fScaleX;
    dispatch(support::BuildDeclared(
        {.seat = SeatFlagOf(3), .action = 0x002, .cards = {Card(Hearts, 9, 5), 0, 0, 0}}));
    forms::Image& ace = form().xuan_img[5];
    EXPECT_TRUE(ace.visible());
    EXPECT_TRUE(Shows(ace, 2 * 16 + Ace));  // the rank byte is not read: always the ace
    EXPECT_FLOAT_EQ(ace.left(), c.s.custom[3].playX + 100 * sx);
    EXPECT_EQ(ace.top(), c.s.custom[3].playY);
    EXPECT_TRUE(Shows(form().Speak[3], 452));
}

// A look at a declaration round: the hand dealt, the left player's group of four, the right
// player's declared ace with its bubble.
TEST_F(DeclaredCards, DrawsTheDeclarationsOnTheTable) {
    dispatch(support::BuildDeal({.seat = kOwnFlag, .dealPhase = 1, .cards = Cards(5, 0)}));
    dispatch(support::BuildDeal({.seat = kOwnFlag, .dealPhase = 2, .cards = Cards(4, 5)}));
    ASSERT_EQ(c.s.custom[0].count, 9);
    dispatch(chuai(1, kFourSevens));
    dispatch(support::BuildDeclared({.seat = SeatFlagOf(3),
                                     .action = 0x002,
                                     .multiplier = 8,
                                     .cards = {Card(Spades, 14, 30), 0, 0, 0}}));
    EXPECT_EQ(form().lblfanshu.caption(), "8");
    support::ensureApplication();
    const QImage table = forms::renderWindow(form());
    ASSERT_FALSE(table.isNull());
    const auto folder = std::filesystem::path(KORVASH_BUILD_DIR) / "screenshots";
    std::filesystem::create_directories(folder);
    EXPECT_TRUE(table.save(QString::fromStdString((folder / "declarations.png").string())));
}

}  // namespace
}  // namespace dispatch_test
