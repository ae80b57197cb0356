// The sixteen video pane buttons under the mouse: each enters its hover picture once and gets
// its normal picture back over any pane's strip; the local pane's buttons place the tooltip box
// beside themselves, the remote ones carry their own tooltip texts. At both scales.
#include "video/pane_button_pictures.h"

#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <tuple>

#include "resources/resource_store.h"
#include "table/table_fixture.h"

namespace video_test {
namespace {

using table_test::LoadedTable;
using table_test::Screen;

struct ButtonCase {
    const char* name;
    int index;
    int normal;
    int hover;
    const char* tip;  // the tooltip text, in the box or the button's own
    float tipWidth;   // in design pixels; 0 for the remote buttons, which have no box
};

const ButtonCase kButtons[] = {
    {"Album", 0, 863, 864, "像册", 28},      {"LocalZoom", 1, 851, 855, "放大", 28},
    {"LocalPhoto", 2, 852, 856, "拍照", 28}, {"MusicBox", 3, 853, 857, "dovo", 54},
    {"Close1", 4, 850, 854, "屏蔽", 0},      {"Zoom1", 5, 851, 855, "放大", 0},
    {"Photo1", 6, 852, 856, "照相", 0},      {"Friend1", 7, 858, 859, "加为好友", 0},
    {"Close2", 8, 850, 854, "屏蔽", 0},      {"Zoom2", 9, 851, 855, "放大", 0},
    {"Photo2", 10, 852, 856, "照相", 0},     {"Friend2", 11, 858, 859, "加为好友", 0},
    {"Close3", 12, 850, 854, "屏蔽", 0},     {"Zoom3", 13, 851, 855, "放大", 0},
    {"Photo3", 14, 852, 856, "照相", 0},     {"Friend3", 15, 858, 859, "加为好友", 0},
};

QImage ResourceImage(int id) {
    const auto bytes = resources::findResource("GIF", id);
    if (!bytes) return {};
    return QImage::fromData(bytes->data(), int(bytes->size()))
        .convertToFormat(QImage::Format_RGB32);
}

QImage Shown(const forms::Image& button) {
    return button.picture().image().convertToFormat(QImage::Format_RGB32);
}

std::int16_t ResIdAfter(client::Client& c, const std::function<void()>& move) {
    c.s.g_nResId = 0;
    move();
    return c.s.g_nResId;
}

class PaneButtonHover : public ::testing::TestWithParam<std::tuple<ButtonCase, Screen>> {};

TEST_P(PaneButtonHover, EntersItsHoverPictureOnceAndGetsItsNormalOneBackOverAStrip) {
    const auto& [k, screen] = GetParam();
    LoadedTable table(screen);
    auto& form = table.form();
    client::Client& c = *table.c;
    EXPECT_EQ(Shown(form.ImCmd[k.index]), ResourceImage(k.normal)) << "the design's picture";

    EXPECT_EQ(ResIdAfter(c, [&] { form.ImCmd_MouseMove(k.index, 0, 0, 1, 1); }), k.hover);
    EXPECT_EQ(Shown(form.ImCmd[k.index]), ResourceImage(k.hover));
    EXPECT_TRUE(table.s().g_aPaneButtonHover[std::size_t(k.index)]);
    EXPECT_EQ(ResIdAfter(c, [&] { form.ImCmd_MouseMove(k.index, 0, 0, 2, 2); }), 0)
        << "moving on over the button loads nothing";

    // Any strip restores, not only the button's own.
    const int otherStrip = (k.index / 4 + 3) % 4;
    EXPECT_EQ(ResIdAfter(c, [&] { form.PicLocal_MouseMove(otherStrip, 0, 0, 1, 1); }), k.normal);
    EXPECT_EQ(Shown(form.ImCmd[k.index]), ResourceImage(k.normal));
    EXPECT_FALSE(table.s().g_aPaneButtonHover[std::size_t(k.index)]);
    EXPECT_EQ(ResIdAfter(c, [&] { form.PicLocal_MouseMove(otherStrip, 0, 0, 1, 1); }), 0);
}

TEST_P(PaneButtonHover, LocalButtonsPlaceTheTooltipBoxAndRemoteOnesKeepTheirOwnText) {
    const auto& [k, screen] = GetParam();
    LoadedTable table(screen);
    auto& form = table.form();
    const float sx = table.s().g_fScaleX;
    const float sy = table.s().g_fScaleY;
    const float boxHeight = form.Tiplbl.height();
    form.ImCmd_MouseMove(k.index, 0, 0, 1, 1);
    const QString tip = QString::fromUtf8(k.tip);
    if (k.tipWidth == 0) {
        EXPECT_FALSE(form.Tiplbl.visible());
        EXPECT_EQ(form.ImCmd[k.index].toolTipText(), tip);
        return;
    }
    const auto& button = form.ImCmd[k.index];
    EXPECT_TRUE(form.Tiplbl.visible());
    EXPECT_EQ(form.Tiplbl.text(), tip);
    EXPECT_FLOAT_EQ(form.Tiplbl.width(), k.tipWidth * sx);
    EXPECT_FLOAT_EQ(form.Tiplbl.height(), boxHeight) << "the box keeps its design height";
    EXPECT_FLOAT_EQ(form.Tiplbl.left(), form.PicLocal[0].left() + button.left() + button.width());
    EXPECT_FLOAT_EQ(form.Tiplbl.top(), form.PicLocal[0].top() + 10 * sy);
    EXPECT_TRUE(form.ImCmd[k.index].toolTipText().isEmpty());
    form.PicLocal_MouseMove(2, 0, 0, 1, 1);
    EXPECT_FALSE(form.Tiplbl.visible());
}

INSTANTIATE_TEST_SUITE_P(Buttons, PaneButtonHover,
                         ::testing::Combine(::testing::ValuesIn(kButtons),
                                            ::testing::Values(Screen::Framed1280,
                                                              Screen::Small800)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) +
                                    (std::get<1>(info.param) == Screen::Small800 ? "Reduced"
                                                                                 : "Full");
                         });

TEST(PaneButtonTooltip, AHoveredRemoteButtonLeavesTheLocalTooltipWhereItWas) {
    LoadedTable table(Screen::Framed1280);
    auto& form = table.form();
    form.ImCmd_MouseMove(2, 0, 0, 1, 1);
    const float left = form.Tiplbl.left();
    form.ImCmd_MouseMove(6, 0, 0, 1, 1);
    EXPECT_TRUE(form.Tiplbl.visible());
    EXPECT_EQ(form.Tiplbl.text(), QStringLiteral("拍照"));
    EXPECT_FLOAT_EQ(form.Tiplbl.left(), left);
}

TEST(PaneButtonTooltip, TheReducedLayoutNarrowsTheBoxButKeepsItsHeight) {
    LoadedTable table(Screen::Small800);
    auto& form = table.form();
    const float height = form.Tiplbl.height();
    form.ImCmd_MouseMove(3, 0, 0, 1, 1);
    EXPECT_FLOAT_EQ(form.Tiplbl.width(), 42.1875f);
    form.ImCmd_MouseMove(1, 0, 0, 1, 1);
    EXPECT_FLOAT_EQ(form.Tiplbl.width(), 21.875f);
    EXPECT_FLOAT_EQ(form.Tiplbl.height(), height);
}

TEST(PaneButtonHoverFailure, APictureThatCannotBeWrittenKeepsThePictureAndSetsTheMark) {
    LoadedTable table(Screen::Framed1280);
    auto& form = table.form();
    // A folder where the temporary picture file would go: the extraction fails.
    std::filesystem::create_directories(table.harness.env.programFolder / "tmp855.GIF");
    const QImage before = Shown(form.ImCmd[5]);
    form.ImCmd_MouseMove(5, 0, 0, 1, 1);
    EXPECT_TRUE(table.s().g_aPaneButtonHover[5]);
    EXPECT_EQ(Shown(form.ImCmd[5]), before);
    table.s().g_nResId = 0;
    form.PicLocal_MouseMove(1, 0, 0, 1, 1);
    EXPECT_EQ(table.s().g_nResId, 851) << "the normal picture is put back all the same";
    EXPECT_FALSE(table.s().g_aPaneButtonHover[5]);
}

TEST(PaneButtonHover, AnIndexBeyondTheButtonsDoesNothing) {
    LoadedTable table(Screen::Framed1280);
    table.s().g_nResId = 0;
    table.form().ImCmd_MouseMove(16, 0, 0, 1, 1);
    EXPECT_EQ(table.s().g_nResId, 0);
    EXPECT_FALSE(table.form().Tiplbl.visible());
}

}  // namespace
}  // namespace video_test
