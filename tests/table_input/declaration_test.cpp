// The declaration buttons and the offered cards: the MsgDeclare frame each kind sends and what
// the row shows afterwards.
#include "hand_table.h"

namespace table_input {
namespace {

using forms::testing::click;

struct DeclareCase {
    const char* name;
    std::int16_t kind;
    bool dealPhase1, dealPhase2;
    std::int16_t aces, groupSize;
    int sends;  // -1: nothing is sent
    std::uint8_t high, low;
    int cards;         // cards carried from byte 16
    int shownOptions;  // option images shown afterwards
};

class Declaration : public HandTable, public ::testing::WithParamInterface<DeclareCase> {
  protected:
    void SetUp() override {
        HandTable::SetUp();
        // Four offered cards: the ace of spades, hearts, clubs, then the 10 of diamonds, with
        // the server's own byte.
        const std::uint8_t group[16] = {8, 14, 7, 40, 4, 14, 7, 41, 2, 14, 7, 42, 1, 10, 7, 43};
        std::copy(std::begin(group), std::end(group), s().g_aCardGroup.begin());
        // Placed and shown as the dispatcher offers them.
        for (int k = 0; k <= 3; ++k) {
            form().btnJiaofen[k].move(300 + 90 * k, 500, 80, 30);
            form().btnJiaofen[k].setVisible(true);
            form().btnJiaofen[k].setEnabled(true);
            form().btnJiaofen[k].zOrder(0);
            form().xuan_img[k].move(370 + 70 * k, 410, 60, 80);
        }
        form().Number.setVisible(true);
        form().Time_Img.setVisible(true);
        s().g_bBidClock = true;
        s().g_nBidTicks = 7;
    }
    void expectDeclarationClosed() {
        for (int k = 0; k <= 3; ++k) {
            EXPECT_FALSE(form().btnJiaofen[k].visible()) << k;
            EXPECT_FALSE(form().btnJiaofen[k].enabled()) << k;
        }
        EXPECT_FALSE(form().Number.visible());
        EXPECT_FALSE(form().Time_Img.visible());
        EXPECT_FALSE(s().g_bBidClock);
        EXPECT_EQ(s().g_nBidTicks, 0);
    }
    int shownOptions() {
        int n = 0;
        for (int k = 0; k <= 3; ++k) n += form().xuan_img[k].visible() ? 1 : 0;
        return n;
    }
};

TEST_P(Declaration, SendsTheKindsActionWithItsCards) {
    const DeclareCase& p = GetParam();
    s().g_aJiaofenKind[2] = p.kind;
    s().g_bDealPhase1 = p.dealPhase1;
    s().g_bDealPhase2 = p.dealPhase2;
    s().g_nAceCount = p.aces;
    s().g_nGroupSize = p.groupSize;
    click(form().btnJiaofen[2]);
    expectDeclarationClosed();
    EXPECT_EQ(shownOptions(), p.shownOptions);

    const auto frames = sent(p.sends < 0 ? 0 : 1);
    if (p.sends < 0) {
        EXPECT_TRUE(frames.empty());
        return;
    }
    ASSERT_EQ(frames.size(), 1u);
    support::FakeGameServer::Frame expected{};
    expected[3] = 3;
    expected[6] = kOwnSeat;
    expected[8] = p.high;
    expected[9] = p.low;
    for (int b = 0; b < 4 * p.cards; ++b) expected[16 + b] = s().g_aCardGroup[b];
    EXPECT_EQ(frames[0], expected);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, Declaration,
    ::testing::Values(
        DeclareCase{"XuanOneAce", 1, true, false, 1, 0, 1, 0, 2, 1, 1},
        DeclareCase{"XuanTwoAcesSendsNothing", 1, true, false, 2, 0, -1, 0, 0, 0, 0},
        DeclareCase{"XuanOutsideTheFirstBatch", 1, false, false, 1, 0, -1, 0, 0, 0, 0},
        DeclareCase{"ChuaiGroupOfThree", 2, false, true, 0, 3, 1, 0, 4, 3, 3},
        DeclareCase{"ChuaiGroupOfFour", 2, false, true, 0, 4, 1, 0, 4, 4, 4},
        DeclareCase{"ChuaiOddGroupSendsNothing", 2, false, true, 0, 5, -1, 0, 0, 0, 0},
        DeclareCase{"ChuaiOutsideTheMiddleBatch", 2, false, false, 0, 4, 1, 0, 4, 0, 0},
        DeclareCase{"Ceng", 3, false, false, 0, 0, 1, 0, 0x08, 0, 0},
        DeclareCase{"PingDa", 4, false, false, 0, 0, 1, 0, 0x10, 0, 0},
        DeclareCase{"FanChuai", 5, false, false, 0, 0, 1, 0, 0x20, 0, 0},
        DeclareCase{"GenChuai", 6, false, false, 0, 0, 1, 0, 0x40, 0, 0},
        DeclareCase{"ShuaiPai", 7, false, false, 0, 0, 1, 0, 0x80, 0, 0},
        DeclareCase{"BaoDa", 8, false, false, 0, 0, 1, 1, 0x00, 0, 0},
        DeclareCase{"Pass", 9, false, false, 0, 0, 1, 0, 0x01, 0, 0},
        DeclareCase{"UnknownKind", 10, false, false, 0, 0, -1, 0, 0, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

class DeclarationRow : public Declaration {};

TEST_F(DeclarationRow, TheDeclaredCardsLieInTheOptionRow) {
    s().g_aJiaofenKind[0] = 2;
    s().g_bDealPhase2 = true;
    s().g_nGroupSize = 3;
    click(form().btnJiaofen[0]);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const forms::Image& option = form().xuan_img[i];
        EXPECT_EQ(option.left(), 370 + 10 * i);
        EXPECT_EQ(option.top(), 410);
        EXPECT_EQ(option.width(), 60);
        EXPECT_EQ(option.height(), 80);
        EXPECT_TRUE(option.stretch());
    }
}

TEST_F(DeclarationRow, AButtonIndexBeyondTheKindTableFailsAfterClosingTheRow) {
    EXPECT_THROW(form().btnJiaofen_Click(11), platform::RuntimeFailure);
    expectDeclarationClosed();
    EXPECT_TRUE(sent(0).empty());
}

TEST_F(DeclarationRow, ChoosingOneOfThreeOfferedAcesSendsIt) {
    s().g_bDealPhase1 = true;
    s().g_nAceCount = 3;
    for (int k = 0; k <= 2; ++k) form().xuan_img[k].setVisible(true);
    click(form().xuan_img[1]);
    expectDeclarationClosed();
    EXPECT_FALSE(form().xuan_img[0].visible());
    EXPECT_TRUE(form().xuan_img[1].visible());
    EXPECT_FALSE(form().xuan_img[2].visible());
    const auto frames = sent(1);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0][3], 3);
    EXPECT_EQ(frames[0][9], 0x02);
    EXPECT_EQ(frames[0][16], 4) << "the ace of hearts";
    EXPECT_EQ(frames[0][17], 14);
    EXPECT_EQ(frames[0][20], 0);
}

TEST_F(DeclarationRow, ClickingTheSingleDeclaredAceSendsNothingButClosesTheRow) {
    s().g_bDealPhase1 = true;
    s().g_nAceCount = 1;
    form().xuan_img[0].setVisible(true);
    click(form().xuan_img[0]);
    expectDeclarationClosed();
    EXPECT_TRUE(sent(0).empty());
}

}  // namespace
}  // namespace table_input
