// Hover pictures entered over a button and restored over the table picture or the strip, at
// both scales; and the player information card, its nine values and its place per seat.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <filesystem>

#include "connection/resource_pictures.h"
#include "settlement/information_window.h"
#include "table/hover_pictures.h"
#include "table/information_card.h"
#include "table_fixture.h"
#include "table_scene.h"

namespace table_test {
namespace {

// The picture numbers each family's button shows on entering and after the restore.
struct HoverCase {
    const char* name;
    Screen screen;
    int button;  // toolbar 0..8, action 10..15
    int hover;   // 0: the picture does not change
    int normal;
};

class HoverPictures : public ::testing::TestWithParam<HoverCase> {};

std::int16_t ResIdAfter(client::Client& c, const std::function<void()>& move) {
    c.s.g_nResId = 0;
    move();
    return c.s.g_nResId;
}

TEST_P(HoverPictures, EnterOnceAndRestoreOverTheTablePicture) {
    const HoverCase& k = GetParam();
    LoadedTable table(k.screen);
    auto& form = table.form();
    auto& c = *table.c;
    auto enter = [&] {
        if (k.button < 10) {
            form.AnNiu_MouseMove(k.button, 0, 0, 0, 0);
        } else {
            form.Operation_MouseMove(k.button - 10, 0, 0, 0, 0);
        }
    };
    EXPECT_EQ(ResIdAfter(c, enter), k.hover);
    EXPECT_EQ(ResIdAfter(c, enter), 0) << "entered twice";
    EXPECT_EQ(ResIdAfter(c, [&] { form.imgLocation_MouseMove(0, 0, 0, 0); }), 0)
        << "the strip restores only the quick phrases";
    EXPECT_EQ(ResIdAfter(c, [&] { form.Pic1_MouseMove(0, 0, 0, 0); }), k.normal);
    EXPECT_EQ(ResIdAfter(c, [&] { form.Pic1_MouseMove(0, 0, 0, 0); }), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Families, HoverPictures,
    ::testing::Values(HoverCase{"SendFull", Screen::Framed1280, 0, 151, 150},
                      HoverCase{"SendReduced", Screen::Small800, 0, 151, 150},
                      HoverCase{"ChatFull", Screen::Framed1280, 1, 153, 152},
                      HoverCase{"ChatReduced", Screen::Small800, 1, 284, 283},
                      HoverCase{"StartFull", Screen::Framed1280, 2, 155, 154},
                      HoverCase{"StartReduced", Screen::Small800, 2, 286, 285},
                      HoverCase{"SettingsFull", Screen::Framed1280, 3, 159, 158},
                      HoverCase{"ExitFull", Screen::Framed1280, 8, 169, 168},
                      HoverCase{"ExitReduced", Screen::Small800, 8, 300, 299},
                      HoverCase{"PlayFull", Screen::Framed1280, 10, 179, 178},
                      HoverCase{"PassReduced", Screen::Small800, 12, 0, 184},
                      HoverCase{"ReselectFull", Screen::Framed1280, 15, 192, 191}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HoverReady, AfterThePressTheRestoreBringsTheContinuePicture) {
    LoadedTable table(Screen::Framed1280);
    auto& form = table.form();
    form.AnNiu_MouseMove(2, 0, 0, 0, 0);
    table.s().g_bReadyPending = false;  // what the press does first
    table.s().g_nResId = 0;
    form.Pic1_MouseMove(0, 0, 0, 0);
    EXPECT_EQ(table.s().g_nResId, 156);
}

TEST(HoverQuickPhrases, EnterAndRestoreOnlyOverTheStrip) {
    for (Screen screen : {Screen::Framed1280, Screen::Small800}) {
        LoadedTable table(screen);
        auto& form = table.form();
        auto& s = table.s();
        form.imgword1_MouseMove(0, 0, 0, 0);
        EXPECT_EQ(s.g_nResId, 508);
        form.imgword2_MouseMove(0, 0, 0, 0);
        EXPECT_EQ(s.g_nResId, 509);
        s.g_nResId = 0;
        form.Pic1_MouseMove(0, 0, 0, 0);
        EXPECT_TRUE(s.g_bWord1Hover && s.g_bWord2Hover);
        form.imgLocation_MouseMove(0, 0, 0, 0);
        EXPECT_EQ(s.g_nResId, 507);
        EXPECT_FALSE(s.g_bWord1Hover || s.g_bWord2Hover);
    }
}

TEST(HoverDeclaration, OneButtonAtATimeAndTheFirstRestoreOnlyArms) {
    LoadedTable table(Screen::Framed1280);
    auto& form = table.form();
    auto& s = table.s();
    form.Pic1_MouseMove(0, 0, 0, 0);  // first restore: nothing recorded
    EXPECT_TRUE(s.g_bJiaofenHoverReset);
    s.g_aJiaofenKind[0] = 3;
    s.g_aJiaofenKind[1] = 4;
    form.btnJiaofen_MouseMove(0, 0, 0, 0, 0);
    EXPECT_EQ(s.g_nJiaofenHoverId, 435);
    form.btnJiaofen_MouseMove(1, 0, 0, 0, 0);
    EXPECT_EQ(s.g_nJiaofenHoverIndex, 0);
    s.g_nResId = 0;
    form.Pic1_MouseMove(0, 0, 0, 0);
    EXPECT_EQ(s.g_nResId, 434);
    EXPECT_EQ(s.g_aJiaofenKind[0], 3);
}

struct FloatCase {
    const char* name;
    float top;
    float base;
    table::FloatingCard fate;
};
class FloatingCardFate : public ::testing::TestWithParam<FloatCase> {};
TEST_P(FloatingCardFate, FollowsTheTopOfTheRecordedCard) {
    EXPECT_EQ(table::FloatingCardFate(GetParam().top, GetParam().base), GetParam().fate);
}
INSTANTIATE_TEST_SUITE_P(
    BothLayouts, FloatingCardFate,
    ::testing::Values(FloatCase{"FloatingFull", 560, 565, table::FloatingCard::PutDown},
                      FloatCase{"FloatingReduced", 436, 441, table::FloatingCard::PutDown},
                      FloatCase{"RaisedFull", 452, 565, table::FloatingCard::Forget},
                      FloatCase{"RestingReduced", 441, 441, table::FloatingCard::Forget},
                      FloatCase{"RestingFull", 565, 565, table::FloatingCard::KeepRecord},
                      FloatCase{"AtTheLine", 541, 565, table::FloatingCard::KeepRecord}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WealthTip, NamesTheMultiplierOnlyWhileThereIsOne) {
    LoadedTable table(Screen::Framed1280);
    auto& form = table.form();
    form.lbwealth.setCaption(QStringLiteral("3"));
    form.Imgwealth_MouseMove(0, 0, 0, 0);
    EXPECT_TRUE(form.Imgwealth.toolTipText().isEmpty());
    table.s().beishu = 3;
    form.lbwealth_MouseMove(0, 0, 0, 0);
    EXPECT_EQ(form.Imgwealth.toolTipText(), QStringLiteral("财富加倍 ×3"));
    EXPECT_EQ(form.lbwealth.toolTipText(), QStringLiteral("财富加倍 ×3"));
}

// The information card.
state::PlayerInfo Player(const QString& name, std::uint8_t sex) {
    state::PlayerInfo info;
    info.nickname = name;
    info.sex = sex;
    info.location = QStringLiteral("北京");
    info.points = 1234567890123.0;
    info.credit = -12.5;
    info.logins = 300;
    info.drops = -1;
    info.wins = 17;
    info.losses = 2147483647;
    return info;
}

TEST(InformationCardValues, WritesTheNineFactsAsPlainText) {
    const auto values = table::InformationCardValues(Player(QStringLiteral("阿明"), 2));
    EXPECT_EQ(values, (std::array<QString, 9>{"阿明", "男", "北京", "1234567890123", "-12.5", "300",
                                              "-1", "17", "2147483647"}));
    EXPECT_EQ(table::InformationCardValues(Player("x", 0))[1], QStringLiteral("女"));
}

struct PlaceCase {
    const char* name;
    int seat;
    float scale;
    table::CardPlace place;
};
class InformationCardPlace : public ::testing::TestWithParam<PlaceCase> {};
TEST_P(InformationCardPlace, BesideTheSeatsPanel) {
    // A table at (150, 300) twips, 15605 x 11940, whose picture starts at (120, 420).
    const table::TwipsRect table{150, 300, 15605, 11940};
    const auto& k = GetParam();
    EXPECT_EQ(table::InformationCardPlace(k.seat, table, 120, 420, k.scale), k.place);
}
INSTANTIATE_TEST_SUITE_P(
    Seats, InformationCardPlace,
    ::testing::Values(PlaceCase{"LocalFull", 0, 1.0f, {270, 300 + 420 + 0.42f * 11940}},
                      PlaceCase{"LocalReduced", 0, 0.78125f, {270, 0.3f * 11940}},
                      PlaceCase{"Left", 1, 1.0f, {270, 300 + 420 + 0.11f * 11940}},
                      // 15605 / 3 = 5201 (truncated), 31210 / 3 = 10403.
                      PlaceCase{"Opposite", 2, 1.0f, {270 + 5201, 300 + 420 + 0.11f * 11940}},
                      PlaceCase{"Right", 3, 0.78125f, {270 + 10403, 300 + 420 + 0.11f * 11940}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(InformationCard, OpensOnceForASeatedPlayerAndClosesOverTheTable) {
    LoadedTable table(Screen::Framed1280);
    auto& form = table.form();
    auto& c = *table.c;
    table.s().g_aPlayerInfo[1] = Player(QStringLiteral("左家"), 1);
    table.s().g_aPlayerInfo[2] = Player(QStringLiteral("对家"), 1);
    form.Nid_MouseMove(3, 0, 0, 0, 0);  // empty seat
    EXPECT_FALSE(c.Information->visible());
    form.Cash_MouseMove(1, 0, 0, 0, 0);
    ASSERT_TRUE(c.Information->visible());
    const float left = c.Information->left();
    form.Tou_MouseMove(2, 0, 0, 0, 0);  // straight to another avatar: the first card stays
    EXPECT_EQ(c.Information->Inf[0].caption(), QStringLiteral("左家"));
    EXPECT_EQ(c.Information->left(), left);
    form.Pic1_MouseMove(0, 0, 0, 0);
    EXPECT_FALSE(c.Information->visible());
    form.Level_MouseMove(2, 0, 0, 0, 0);
    EXPECT_EQ(c.Information->Inf[0].caption(), QStringLiteral("对家"));
}

TEST(InformationCard, Screenshot) {
    LoadedTable table(Screen::Framed1280, true);
    SetUpScene(table);
    auto& c = *table.c;
    c.s.g_aPlayerInfo[2] = Player(QStringLiteral("对家"), 1);
    table.form().Tou_MouseMove(2, 0, 0, 0, 0);
    // The card drawn over the table where it opened (windows in twips, 15 to the pixel).
    QImage shot = forms::renderWindow(table.form());
    const QImage card = forms::renderWindow(*c.Information);
    ASSERT_FALSE(shot.isNull() || card.isNull());
    QPainter painter(&shot);
    painter.drawImage(QPointF((c.Information->left() - table.form().left()) / 15,
                              (c.Information->top() - table.form().top()) / 15),
                      card);
    painter.end();
    const auto folder = std::filesystem::path(KORVASH_BUILD_DIR) / "screenshots";
    std::filesystem::create_directories(folder);
    EXPECT_TRUE(shot.save(QString::fromStdString((folder / "information-card.png").string())));
}

}  // namespace
}  // namespace table_test
