// The resets between hands, after a scripted half-played hand: what they hide, clear and keep.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "table/leave_reset.h"
#include "table/table_layout.h"
#include "table_fixture.h"

namespace table_test {
namespace {

using Form = client::MainForm;

struct Named {
    std::string name;
    std::function<forms::Control&(Form&)> control;
};

// Everything the table reset hides, shown as a hand in play would show it.
std::vector<Named> HiddenByTheTableReset() {
    std::vector<Named> list{{"imgfanshu", [](Form& f) -> forms::Control& { return f.imgfanshu; }},
                            {"lblfanshu", [](Form& f) -> forms::Control& { return f.lblfanshu; }},
                            {"Time_Img", [](Form& f) -> forms::Control& { return f.Time_Img; }},
                            {"Number", [](Form& f) -> forms::Control& { return f.Number; }}};
    const auto each = [&](const char* name, int from, int to, auto pick) {
        for (int k = from; k <= to; ++k) {
            list.push_back({std::string(name) + std::to_string(k),
                            [k, pick](Form& f) -> forms::Control& { return pick(f)[k]; }});
        }
    };
    each(
        "xuan_img", 0, 5, [](Form & f) -> auto& { return f.xuan_img; });
    each(
        "shou", 0, 3, [](Form & f) -> auto& { return f.shou; });
    each(
        "Img_bao_shuai", 0, 3, [](Form & f) -> auto& { return f.Img_bao_shuai; });
    each(
        "cardImage0_", 0, 12, [](Form & f) -> auto& { return f.cardImage0; });
    each(
        "cardImage1_", 0, 12, [](Form & f) -> auto& { return f.cardImage1; });
    each(
        "cardImage2_", 0, 12, [](Form & f) -> auto& { return f.cardImage2; });
    each(
        "cardImage3_", 0, 12, [](Form & f) -> auto& { return f.cardImage3; });
    each(
        "shanImage", 0, 2, [](Form & f) -> auto& { return f.shanImage; });
    each(
        "Operation", 0, 5, [](Form & f) -> auto& { return f.Operation; });
    each(
        "first", 0, 3, [](Form & f) -> auto& { return f.first; });
    each(
        "lbfont", 0, 2, [](Form & f) -> auto& { return f.lbfont; });
    return list;
}

// What the table reset leaves as a hand left it.
std::vector<Named> KeptByTheTableReset() {
    std::vector<Named> list;
    for (int k = 0; k <= 3; ++k) {
        const std::string seat = std::to_string(k);
        list.push_back({"OK" + seat, [k](Form& f) -> forms::Control& { return f.OK[k]; }});
        list.push_back({"Speak" + seat, [k](Form& f) -> forms::Control& { return f.Speak[k]; }});
        list.push_back({"Tou" + seat, [k](Form& f) -> forms::Control& { return f.Tou[k]; }});
        list.push_back({"Nid" + seat, [k](Form& f) -> forms::Control& { return f.Nid[k]; }});
    }
    return list;
}

class TableResets : public ::testing::TestWithParam<Screen> {
  protected:
    LoadedTable table{GetParam()};
    Form& form = table.form();
    state::SharedState& s = table.s();
    float sc = ScaleOf(GetParam());

    // Thirteen cards dealt to the local seat, ten left to the others, a trick on the table,
    // the turn with the local player, marks, badges and clocks up.
    void PlayHalfAHand() {
        for (int seat = 0; seat < 4; ++seat) {
            auto& record = s.custom[seat];
            record.name = QStringLiteral("player%1").arg(seat);
            record.seat = std::uint8_t(1 << seat);
            for (int i = 0; i < 13; ++i) {
                record.slots[i].card = cards::CardValue((i + 3) << 8 | 1);
                record.slots[i].image = std::int16_t(i);
            }
            record.count = seat == 0 ? 13 : 10;
            s.g_aHandResult[seat] = 1.5;
        }
        for (const Named& control : HiddenByTheTableReset()) control.control(form).setVisible(true);
        for (const Named& control : KeptByTheTableReset()) control.control(form).setVisible(true);
        form.cardImage0[4].setTop(form.cardImage0[4].top() - 24);  // raised
        form.cardImage0[5].setEnabled(false);
        form.cardImage0[6].move(10, 20, 5, 5);
        form.shanImage[0].move(300, 300, 20, 20);
        form.shou[2].move(1, 1);
        form.Nid[1].setCaption(QStringLiteral("左家"));
        form.lbwealth.setCaption(QStringLiteral("3"));
        form.lbwealth.setVisible(true);
        form.Imgwealth.setVisible(true);
        form.Bank.setVisible(false);
        s.RecordUpNumber = 4;
        s.NumberClick = 2;
        s.g_nPlayCount = 7;
        s.FlgIsMe = true;
        s.NumSumClickUp = 3;
        s.g_aMarkedSeats = {1, 2, 3};
        s.g_aTrickCards[1][0] = 2;
        s.g_aTrickCards[1][27] = 1;
        s.g_aPrevTrickCards[3][5] = 9;
        s.g_bBidClock = true;
        s.g_nBidTicks = 5;
        s.g_nDefaultBid = 1;
        s.g_aPlayedCount = {3, 3, 3};
        s.g_nSpeakSeat = 2;
        s.ReconnectCount = 3;
        s.ReconnectTime = 9;
        s.g_bPropShowPending = true;
        s.g_nPropShowState = 2;
        s.ID_num = 4;
        s.g_nFinishedCount = 1;
        s.g_bGameRunning = true;
        s.Inited = false;
        s.g_nTurnSeconds = 15;
    }
};

TEST_P(TableResets, TheTableResetHidesTheHandAndKeepsTheSeats) {
    PlayHalfAHand();
    table::ResetTableForNewHand(*table.c);
    for (const Named& control : HiddenByTheTableReset())
        EXPECT_FALSE(control.control(form).visible()) << control.name;
    for (const Named& control : KeptByTheTableReset())
        EXPECT_TRUE(control.control(form).visible()) << control.name;
    EXPECT_EQ(form.Nid[1].caption(), QStringLiteral("左家"));
    EXPECT_TRUE(form.Bank.visible());
    // In front of every other picture and label (windowed controls always lie above them).
    const auto& children = form.Pic1.children();
    const auto frontmost = std::find_if(children.rbegin(), children.rend(),
                                        [](const forms::Control* c) { return !c->isWindowed(); });
    EXPECT_EQ(*frontmost, &form.Bank);
    // Without a wealth multiplier the display goes back to "1", hidden.
    EXPECT_EQ(form.lbwealth.caption(), QStringLiteral("1"));
    EXPECT_FALSE(form.lbwealth.visible());
    EXPECT_FALSE(form.Imgwealth.visible());
}

TEST_P(TableResets, TheTableResetPutsTheCardsAndPilesBackInPlace) {
    PlayHalfAHand();
    table::ResetTableForNewHand(*table.c);
    for (int i = 0; i <= 12; ++i) {
        EXPECT_TRUE(form.cardImage0[i].enabled()) << i;
        EXPECT_FLOAT_EQ(form.cardImage0[i].width(), 90 * sc) << i;
        EXPECT_FLOAT_EQ(form.cardImage0[i].height(), 120 * sc) << i;
    }
    EXPECT_EQ(form.shanImage[0].left(), 10.0f);  // not scaled
    EXPECT_FLOAT_EQ(form.shanImage[0].top(), 240 * sc);
    EXPECT_FLOAT_EQ(form.shanImage[0].width(), 200 * sc);
    EXPECT_FLOAT_EQ(form.shanImage[1].top(), 112 * sc);
    const float marks[4][2] = {{128, 576}, {48, 168}, {336, 104}, {944, 180}};
    for (int k = 0; k < 4; ++k) {
        EXPECT_FLOAT_EQ(form.shou[k].left(), marks[k][0] * sc) << k;
        EXPECT_FLOAT_EQ(form.shou[k].top(), marks[k][1] * sc) << k;
    }
}

TEST_P(TableResets, TheTableResetClearsTheHandsCountersAndTricks) {
    PlayHalfAHand();
    table::ResetTableForNewHand(*table.c);
    EXPECT_EQ(s.RecordUpNumber, -1);
    EXPECT_EQ(s.NumberClick, -1);
    EXPECT_EQ(s.g_nPlayCount, 0);
    EXPECT_FALSE(s.FlgIsMe);
    EXPECT_EQ(s.NumSumClickUp, 0);
    EXPECT_EQ(s.g_aMarkedSeats[0], 0);
    EXPECT_EQ(s.g_aMarkedSeats[1], 0);
    EXPECT_EQ(s.g_aMarkedSeats[2], 3) << "entry 2 keeps its value";
    for (int seat = 0; seat < 4; ++seat) {
        for (int i = 0; i < 28; ++i) {
            EXPECT_EQ(s.g_aTrickCards[seat][i], 0);
            EXPECT_EQ(s.g_aPrevTrickCards[seat][i], 0);
        }
    }
    EXPECT_FALSE(s.g_bBidClock);
    EXPECT_EQ(s.g_nBidTicks, 0);
    EXPECT_EQ(s.g_nDefaultBid, 4);
    EXPECT_EQ(s.g_aPlayedCount, (std::array<std::int16_t, 3>{0, 0, 0}));
    EXPECT_EQ(s.g_nSpeakSeat, 0);
    EXPECT_EQ(s.ReconnectCount, 0);
    EXPECT_EQ(s.ReconnectTime, 0);
    EXPECT_FALSE(s.g_bPropShowPending);
    EXPECT_EQ(s.g_nPropShowState, 0);
    // Not the table reset's: the seats, the game flag and the turn length stay.
    EXPECT_TRUE(s.g_bGameRunning);
    EXPECT_EQ(s.custom[0].count, 13);
    EXPECT_EQ(s.g_nTurnSeconds, 15);
}

TEST_P(TableResets, TheTableResetSetsThePlayPointsAndTheRestLine) {
    PlayHalfAHand();
    table::ResetTableForNewHand(*table.c);
    const bool reduced = GetParam() == Screen::Small800;
    // Rounded to whole pixels: 500 x 0.78125 = 390.625 gives 391.
    const std::int16_t full[4][2] = {{500, 430}, {150, 310}, {390, 190}, {650, 310}};
    const std::int16_t small[4][2] = {{391, 336}, {117, 242}, {305, 148}, {508, 242}};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(s.custom[k].playX, (reduced ? small : full)[k][0]) << k;
        EXPECT_EQ(s.custom[k].playY, (reduced ? small : full)[k][1]) << k;
    }
    EXPECT_EQ(s.g_nCardBaseTop, reduced ? 441 : 565);
    EXPECT_EQ(s.g_nFloatBaseTop, s.g_nCardBaseTop);
}

TEST_P(TableResets, AWealthMultiplierKeepsItsDisplay) {
    PlayHalfAHand();
    s.beishu = 3;
    table::ResetTableForNewHand(*table.c);
    EXPECT_EQ(form.lbwealth.caption(), QStringLiteral("3"));
    EXPECT_TRUE(form.lbwealth.visible());
    EXPECT_TRUE(form.Imgwealth.visible());
    for (int k = 0; k < 3; ++k) EXPECT_FALSE(form.lbfont[k].visible());
}

TEST_P(TableResets, ThePlayerResetTakesTheCardsButKeepsTheirValues) {
    PlayHalfAHand();
    for (auto reset : {table::ResetPlayersForNewHand, table::ResetPlayersOnLeave}) {
        PlayHalfAHand();
        reset(*table.c);
        for (int seat = 0; seat < 4; ++seat) {
            SCOPED_TRACE(seat);
            EXPECT_EQ(s.custom[seat].count, 0);
            EXPECT_EQ(s.g_aHandResult[seat], 0.0);
            for (int i = 0; i < 13; ++i) {
                EXPECT_EQ(s.custom[seat].slots[i].image, -1);
                EXPECT_EQ(s.custom[seat].slots[i].card, cards::CardValue((i + 3) << 8 | 1));
            }
            EXPECT_EQ(s.custom[seat].name, QStringLiteral("player%1").arg(seat));
            EXPECT_EQ(s.custom[seat].seat, 1 << seat);
        }
        EXPECT_EQ(s.ID_num, 0);
        EXPECT_EQ(s.g_nFinishedCount, 0);
        EXPECT_FALSE(s.g_bGameRunning);
        // The screen is the table reset's.
        EXPECT_TRUE(form.cardImage0[0].visible());
        EXPECT_EQ(s.g_nPlayCount, 7);
    }
}

TEST_P(TableResets, LeavingClearsTheSeatPanels) {
    PlayHalfAHand();
    for (int k = 0; k < 4; ++k) {
        form.Cash[k].setCaption(QStringLiteral("1000"));
        form.Level[k].setCaption(QStringLiteral("新手"));
        form.btnJiaofen[k].setVisible(true);
    }
    table::ClearSeatPanelsOnLeave(*table.c);
    table::ClearWealthOnLeave(*table.c);
    for (int k = 0; k < 4; ++k) {
        SCOPED_TRACE(k);
        EXPECT_TRUE(form.Tou[k].picture().isEmpty());
        EXPECT_TRUE(form.Nid[k].caption().isEmpty());
        EXPECT_TRUE(form.Cash[k].caption().isEmpty());
        EXPECT_TRUE(form.Level[k].caption().isEmpty());
        EXPECT_FALSE(form.OK[k].visible());
        EXPECT_FALSE(form.Speak[k].visible());
        EXPECT_FALSE(form.btnJiaofen[k].visible());
        EXPECT_TRUE(form.Tou[k].visible());  // the avatars stay, empty
    }
    EXPECT_EQ(form.lbwealth.caption(), QStringLiteral("0"));
    EXPECT_FALSE(form.lbwealth.visible());
    EXPECT_FALSE(form.Imgwealth.visible());
}

INSTANTIATE_TEST_SUITE_P(Table, TableResets,
                         ::testing::Values(Screen::Framed1280, Screen::Small800),
                         LayoutName<::testing::TestParamInfo<Screen>>);

}  // namespace
}  // namespace table_test
