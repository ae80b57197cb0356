// A hand end with the plug-in's show: the held settlement, the treasure chests on virtual time
// with and without a local pick, and the plug-in going away in the middle. Whatever happens the
// held result frame reaches the settlement exactly once (one hand counted, no frame left over).
#include <QImage>

#include "chat/talk.h"
#include "platform/forms/render.h"
#include "props_fixture.h"
#include "table/table_fixture.h"

namespace props_test {
namespace {

constexpr int kTicksPerSecond = 20;

class ChestShow : public PropsTest {
  protected:
    void SetUp() override {
        PropsTest::SetUp();
        ASSERT_TRUE(loadScripted());
        rememberHands();
    }

    // The plug-in's prize data for the hand: prize and lines by seat.
    void prizes(std::array<double, 4> amounts, std::array<QString, 4> lines = {}) {
        script.scoreReady = 1;
        script.prizes = amounts;
        for (int k = 0; k < 4; ++k) {
            if (amounts[k] != 0) script.info[0][k] = QStringLiteral("玩家%1：").arg(k);
            script.info[1][k] = lines[k];
        }
    }

    // Holds the hand and lets the plug-in's data start the show.
    void startShow() {
        holdHand();
        EXPECT_EQ(handsSettled(), 0);
        EXPECT_TRUE(c.propShow.settlementHeld);
        ticks(1);
    }

    void countUp() { runFor(100 * 4 + 400); }

    void expectSettledOnce() {
        EXPECT_EQ(handsSettled(), 1);
        EXPECT_EQ(framesWaiting(), 0);
        EXPECT_FALSE(c.propShow.settlementHeld);
    }

    std::vector<int> visibleChests() {
        std::vector<int> shown;
        form().ImgProp.forEach([&](int k, forms::Image& chest) {
            if (chest.visible()) shown.push_back(k);
        });
        return shown;
    }

    void screenshot(const std::string& name) {
        table_test::EnsureApplication();
        const QImage image = forms::renderWindow(form());
        ASSERT_FALSE(image.isNull());
        const auto folder = std::filesystem::path(KORVASH_BUILD_DIR) / "screenshots";
        std::filesystem::create_directories(folder);
        EXPECT_TRUE(image.save(QString::fromStdString((folder / (name + ".png")).string())));
    }
};

TEST_F(ChestShow, NobodyRewardedShowsTheHeldSettlementAtOnce) {
    prizes({0, 0, 0, 0});
    startShow();
    expectSettledOnce();
    EXPECT_TRUE(visibleChests().empty());
    EXPECT_EQ(script.calls.last(), QStringLiteral("InitShowNext(0)"));
}

TEST_F(ChestShow, WithoutChestsTheDataGoesStraightToTheSheet) {
    c.s.g_nPropState = 1;
    prizes({500, 0, 0, 0});
    startShow();
    expectSettledOnce();
    EXPECT_TRUE(visibleChests().empty());
}

TEST_F(ChestShow, WithoutScoreDataTheHeldSettlementIsShownOnTheNextTick) {
    settleWholeHand();
    EXPECT_EQ(handsSettled(), 0);
    ticks(1);
    expectSettledOnce();
}

TEST_F(ChestShow, TheLocalPlayerPicksAChestAndTheCountUpShowsThePrizes) {
    prizes({1000, 0, -30, 0}, {QStringLiteral("首开宝箱|好运连连"), {}, {}, {}});
    startShow();
    EXPECT_EQ(visibleChests(), (std::vector<int>{0, 1, 2, 3, 4}));
    for (int k = 0; k < 5; ++k) EXPECT_TRUE(form().ImgProp[k].enabled());
    EXPECT_EQ(form().LbProp.caption(), QStringLiteral("请选择一个宝箱打开\n5"));
    screenshot("chests-local-pick");

    form().ImgProp_Click(3);
    EXPECT_EQ(c.propShow.g_aBaoPick[0], 3);
    EXPECT_TRUE(visibleChests().empty());
    EXPECT_EQ(script.count(QStringLiteral("ShowGif(1,1)")), 1);
    EXPECT_EQ(handsSettled(), 0);

    // The first count-up tick shows 0, none shows the whole prize.
    runFor(100);
    EXPECT_EQ(form().LbProp.caption(), QStringLiteral("玩家0：   0金币\n玩家2：   0金币"));
    runFor(200);
    EXPECT_EQ(form().LbProp.caption(), QStringLiteral("玩家0： 500金币\n玩家2：   0金币"));
    screenshot("chests-count-up");
    runFor(100);
    EXPECT_EQ(form().LbProp.caption(),
              QStringLiteral("玩家0：1000金币\n首开宝箱\n好运连连\n玩家2： -30金币"));
    runFor(400);
    expectSettledOnce();
    EXPECT_EQ(script.count(QStringLiteral("ShowGif(1,0)")), 1);
    EXPECT_EQ(script.calls.last(), QStringLiteral("InitShowNext(0)"));
    // The opened chest went to the local seat.
    EXPECT_EQ(visibleChests(), (std::vector<int>{3}));
    EXPECT_NEAR(form().ImgProp[3].left(), 120, 0.01);
    EXPECT_NEAR(form().ImgProp[3].top(), 620, 0.01);
    screenshot("chests-opened");
    EXPECT_TRUE(c.Talk->Text1.listCount() >= 4);

    // A second click does nothing.
    form().ImgProp_Click(1);
    runFor(1000);
    ticks(200);
    expectSettledOnce();
    EXPECT_EQ(script.count(QStringLiteral("ShowGif(1,1)")), 1);
}

TEST_F(ChestShow, WithoutAClickTheClientPicksWhenTheCountdownEnds) {
    prizes({200, 0, 0, 0});
    startShow();
    ticks(4 * kTicksPerSecond);
    EXPECT_EQ(form().LbProp.caption(), QStringLiteral("请选择一个宝箱打开\n1"));
    EXPECT_EQ(c.propShow.g_aBaoPick[0], -1);
    ticks(kTicksPerSecond);
    EXPECT_GE(c.propShow.g_aBaoPick[0], 0);
    EXPECT_LE(c.propShow.g_aBaoPick[0], 4);
    countUp();
    expectSettledOnce();
}

TEST_F(ChestShow, OtherPlayersChestsAreDisabledAndOpenAfterThreeSeconds) {
    prizes({0, 300, 0, 100});
    startShow();
    EXPECT_EQ(visibleChests(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    for (int k : visibleChests()) EXPECT_FALSE(form().ImgProp[k].enabled()) << k;
    EXPECT_EQ(c.propShow.g_aBaoPick[0], -1);
    EXPECT_GE(c.propShow.g_aBaoPick[1], 0);
    EXPECT_LE(c.propShow.g_aBaoPick[1], 4);
    EXPECT_EQ(c.propShow.g_aBaoPick[2], -1);
    EXPECT_GE(c.propShow.g_aBaoPick[3], 5);
    EXPECT_LE(c.propShow.g_aBaoPick[3], 9);
    EXPECT_EQ(form().LbProp.caption(), QStringLiteral("请等待其他玩家打开宝箱\n5"));
    screenshot("chests-other-players");
    // A click on a disabled chest would not arrive; even a forced one changes nothing.
    form().ImgProp_Click(0);
    EXPECT_FALSE(c.s.g_bBaoPicked);

    ticks(kTicksPerSecond);
    EXPECT_EQ(form().LbProp.caption(), QStringLiteral("请等待玩家打开宝箱\n4"));
    ticks(2 * kTicksPerSecond);
    EXPECT_FALSE(c.s.g_bBaoChoosing);
    EXPECT_TRUE(visibleChests().empty());
    countUp();
    expectSettledOnce();
    const std::int16_t pick3 = c.propShow.g_aBaoPick[3];
    EXPECT_NEAR(form().ImgProp[pick3].left(), 745, 0.01);
}

// The local player has a prize name and nothing else: rewarded for the start, so also for the
// countdown; the show runs once and the settlement is handed over once.
TEST_F(ChestShow, ANameAloneIsRewardedEverywhereAndSettlesOnce) {
    script.scoreReady = 1;
    script.info[0][0] = QStringLiteral("我：");
    startShow();
    EXPECT_EQ(visibleChests(), (std::vector<int>{0, 1, 2, 3, 4}));
    ticks(3 * kTicksPerSecond);
    EXPECT_EQ(form().LbProp.caption(), QStringLiteral("请选择一个宝箱打开\n2"));
    ticks(2 * kTicksPerSecond);
    countUp();
    expectSettledOnce();
    form().ImgProp_Click(0);
    countUp();
    expectSettledOnce();
}

struct UnloadCase {
    const char* name;
    int ticksFirst;   // table ticks after the score data, before the unload
    int msFirst;      // then virtual time
    bool clickFirst;  // the local player picks first
    props::HeldSettlement held;
    std::int16_t code;
    int settled;
};

inline void PrintTo(const UnloadCase& c, std::ostream* os) {
    *os << c.name;
}

class UnloadDuringShow : public ChestShow, public ::testing::WithParamInterface<UnloadCase> {};

TEST_P(UnloadDuringShow, TheHeldSettlementIsShownOnceUnlessTheTableIsLeft) {
    const UnloadCase& u = GetParam();
    prizes({800, 0, 0, 0});
    holdHand();
    if (u.ticksFirst >= 0) ticks(1 + u.ticksFirst);
    if (u.clickFirst) form().ImgProp_Click(2);
    runFor(u.msFirst);
    std::int16_t code = u.code;
    props::ExitGameDll(c, code, u.held);
    EXPECT_EQ(c.s.g_nPropState, 0);
    EXPECT_FALSE(c.s.g_bBaoChoosing);
    EXPECT_FALSE(c.propShow.g_bBaoCounting);
    EXPECT_FALSE(form().LbProp.visible());
    // Nothing of the show comes back afterwards.
    ticks(10 * kTicksPerSecond);
    runFor(3000);
    EXPECT_EQ(handsSettled(), u.settled);
    EXPECT_FALSE(c.propShow.settlementHeld);
    EXPECT_EQ(script.count(QStringLiteral("InitExit")), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Props, UnloadDuringShow,
    ::testing::Values(
        UnloadCase{"WhileHeld", -1, 0, false, props::HeldSettlement::Release, 0, 1},
        UnloadCase{"DuringCountdown", 30, 0, false, props::HeldSettlement::Release, 0, 1},
        UnloadCase{"DuringCountUp", 0, 200, true, props::HeldSettlement::Release, 0, 1},
        UnloadCase{"LeavingDuringCountdown", 30, 0, false, props::HeldSettlement::Drop, 0, 0},
        UnloadCase{"WindowUnloadDuringCountUp", 0, 200, true, props::HeldSettlement::Release, 1,
                   0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ChestShow, AnUnloadDuringASlideEndsTheShowWithoutTouchingTheGoneChests) {
    prizes({800, 0, 0, 0});
    startShow();
    // An event in the middle of the slide unloads the plug-in.
    harness.scheduler.post([this] {
        std::int16_t code = 0;
        props::ExitGameDll(c, code);
    });
    form().ImgProp_Click(4);
    EXPECT_FALSE(c.propShow.g_bBaoCounting);
    EXPECT_FALSE(form().TimerProp.enabled());
    runFor(2000);
    expectSettledOnce();
}

// The sample plug-in end to end: its score frame names the prizes, its pictures are the chests.
TEST_F(PropsTest, TheSamplePlugInsChestShowRunsFromItsScoreFrame) {
    const auto folder = std::filesystem::path(c.sys.env.programFolder) / "plugin" / "tools";
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file(std::filesystem::path(KORVASH_BUILD_DIR) / "plugin/tools/PropDll.so",
                               folder / "PropDll.so");
    ASSERT_TRUE(props::InitGameDll(c));
    ASSERT_EQ(c.s.g_nPropState, 2);
    ticks(1);  // its greeting
    rememberHands();
    settleWholeHand();
    state::Frame score = PropFrame(46);
    score[16 + 2] = 0x05;  // seat 0: 1500
    score[16 + 3] = 0xDC;
    dispatch(score);
    ticks(1);
    ASSERT_TRUE(form().ImgProp[0].visible());
    table_test::EnsureApplication();
    const auto shots = std::filesystem::path(KORVASH_BUILD_DIR) / "screenshots";
    std::filesystem::create_directories(shots);
    auto save = [&](const char* name) {
        EXPECT_TRUE(
            forms::renderWindow(form()).save(QString::fromStdString((shots / name).string())));
    };
    save("chests-sample-pick.png");
    form().ImgProp_Click(1);
    runFor(80 * 12);
    save("chests-sample-count-up.png");
    EXPECT_EQ(handsSettled(), 0);
    runFor(80 * 10 + 400);
    save("chests-sample-opened.png");
    EXPECT_EQ(handsSettled(), 1);
    EXPECT_EQ(framesWaiting(), 0);
    EXPECT_TRUE(form().LbProp.caption().contains(QStringLiteral("1500金币")));
}

TEST_F(ChestShow, TheNextDealClearsTheChestsAndTheLabel) {
    prizes({800, 0, 0, 0});
    startShow();
    props::ResetPropShow(c);
    EXPECT_TRUE(visibleChests().empty());
    EXPECT_FALSE(form().LbProp.visible());
    EXPECT_EQ(script.calls.last(), QStringLiteral("InitShowNext(1)"));
}

}  // namespace
}  // namespace props_test
