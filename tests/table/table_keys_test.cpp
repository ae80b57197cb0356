// The table's six key handlers, pressed through the window as the player presses them (with
// the table's key preview on and off) and called directly as the clocks and the tick call
// them: the boss key's flags, the windows it hides or unloads, the plug-in's keys, Esc and
// Alt then C.
#include <gtest/gtest.h>

#include "cards/display/chu_pai.h"
#include "chat/huifu.h"
#include "chat/talk.h"
#include "connection/exit_dialogs.h"
#include "dispatch/recording_prop_dll.h"
#include "settlement/hero_window.h"
#include "settlement/information_window.h"
#include "settlement/score_window.h"
#include "sound/vos_set.h"
#include "table_fixture.h"

namespace table_test {
namespace {

constexpr int kF1 = 112;
constexpr int kF2 = 113;
constexpr int kF3 = 114;

enum class Handler { Form, Chat, Pic1, Pic2, Pic3, Pic4 };

struct BossCase {
    Handler handler;
    const char* name;
    bool bossKey;  // sets g_bBossKey and g_bAutoPlay
    bool unloadsInformationAndExit;
    bool unloadsSettings;
    bool hidesChuPai;
};

class BossKey : public ::testing::TestWithParam<BossCase> {};

void Press(client::MainForm& form, Handler handler, int key) {
    switch (handler) {
        case Handler::Form:
            form.Form_KeyDown(key, 0);
            break;
        case Handler::Chat:
            form.Chat_KeyDown(key, 0);
            break;
        case Handler::Pic1:
            form.Pic1_KeyDown(key, 0);
            break;
        case Handler::Pic2:
            form.Pic2_KeyDown(key, 0);
            break;
        case Handler::Pic3:
            form.Pic3_KeyDown(key, 0);
            break;
        case Handler::Pic4:
            form.Pic4_KeyDown(key, 0);
            break;
    }
}

TEST_P(BossKey, HidesOrUnloadsTheTablesWindowsSetsItsFlagsAndMinimises) {
    const BossCase& k = GetParam();
    LoadedTable table(Screen::Framed1280);
    auto& c = *table.c;
    auto& s = table.s();
    c.Information->show();
    c.Talk->show();
    c.VosSet->show();
    c.frmExit->show();
    c.Score->show();
    c.ChuPai->show();
    auto* information = &*c.Information;
    auto* settings = &*c.VosSet;
    Press(table.form(), k.handler, kF1);

    EXPECT_EQ(table.form().windowState(), forms::WindowState::Minimized);
    EXPECT_TRUE(s.g_bBossKeyPressed);
    EXPECT_EQ(s.g_nTurnSeconds, 0);
    EXPECT_EQ(s.g_bBossKey, k.bossKey);
    EXPECT_EQ(s.g_bAutoPlay, k.bossKey);
    EXPECT_EQ(c.Information.isLoaded(), !k.unloadsInformationAndExit);
    EXPECT_EQ(c.frmExit.isLoaded(), !k.unloadsInformationAndExit);
    EXPECT_EQ(c.VosSet.isLoaded(), !k.unloadsSettings);
    if (!k.unloadsInformationAndExit) EXPECT_EQ(&*c.Information, information);
    if (!k.unloadsSettings) EXPECT_EQ(&*c.VosSet, settings);
    EXPECT_FALSE(c.Talk->visible());
    EXPECT_FALSE(c.Score->visible());
    EXPECT_FALSE(c.Information->visible());
    EXPECT_FALSE(c.VosSet->visible());
    EXPECT_FALSE(c.frmExit->visible());
    EXPECT_EQ(c.ChuPai.isLoaded() && c.ChuPai->visible(), !k.hidesChuPai);
    // The hall is minimised too.
    EXPECT_TRUE(table.harness.desktop.isMinimised(table.harness.hall));

    // Restoring the table ends the boss-key state only where the handler set g_bBossKey.
    table.form().setWindowState(forms::WindowState::Normal);
    EXPECT_FALSE(s.g_bAutoPlay);
    EXPECT_EQ(s.g_bBossKeyPressed, !k.bossKey);
    EXPECT_EQ(s.g_nTurnSeconds, k.bossKey ? 10 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Handlers, BossKey,
    ::testing::Values(BossCase{Handler::Form, "Form", false, false, false, false},
                      BossCase{Handler::Chat, "Chat", true, false, false, true},
                      BossCase{Handler::Pic1, "Pic1", true, true, true, true},
                      BossCase{Handler::Pic2, "Pic2", true, true, false, true},
                      BossCase{Handler::Pic3, "Pic3", false, false, false, false},
                      BossCase{Handler::Pic4, "Pic4", false, false, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

// Keys pressed through the window: the table's own handler runs first when key preview is on
// (or when no control has the focus), then the focused control's.
struct PluginKeyCase {
    const char* name;
    bool preview;
    bool loaded;
    Handler focus;
    int key;
    std::vector<std::string> calls;
};

class PluginKeys : public ::testing::TestWithParam<PluginKeyCase> {};

TEST_P(PluginKeys, AreHandedOnOnlyWhileThePlugInIsLoaded) {
    const auto& k = GetParam();
    LoadedTable table(Screen::Framed1280);
    auto& c = *table.c;
    auto& form = table.form();
    auto plugin = std::make_unique<dispatch_test::RecordingPropDll>();
    auto& calls = plugin->calls;
    c.g_oPropDll = std::move(plugin);
    c.s.g_nPropState = k.loaded ? 1 : 0;
    form.setKeyPreview(k.preview);
    if (k.focus == Handler::Chat) {
        form.Chat.setFocus();
        c.s.g_bChatFocus = true;
    } else {
        form.Pic1.setFocus();
    }
    c.s.g_aAltCKeys = {1, 0};
    form.keyDown(k.key);
    EXPECT_EQ(calls, k.calls);
    if (k.focus == Handler::Pic1) EXPECT_EQ(c.s.g_aAltCKeys, (std::array<std::int16_t, 2>{}));
}

const std::vector<std::string> kNone;
INSTANTIATE_TEST_SUITE_P(
    Focus, PluginKeys,
    ::testing::Values(
        PluginKeyCase{"F2InChatWithPreview", true, true, Handler::Chat, kF2, {"SetKeyDown(113)"}},
        PluginKeyCase{"F3OnPic1NotLoaded", true, false, Handler::Pic1, kF3, kNone},
        PluginKeyCase{"F3OnPic1WithPreview", true, true, Handler::Pic1, kF3, {"SetKeyDown(114)"}},
        PluginKeyCase{"F3OnPic1WithoutPreview", false, true, Handler::Pic1, kF3, kNone},
        PluginKeyCase{"F1OnPic1WithPreviewRunsTwice",
                      true,
                      true,
                      Handler::Pic1,
                      kF1,
                      {"SetKeyDown(112)", "SetKeyDown(112)"}},
        PluginKeyCase{
            "F1OnPic1WithoutPreview", false, true, Handler::Pic1, kF1, {"SetKeyDown(112)"}},
        PluginKeyCase{"F1InChatWithPreviewRunsTwice",
                      true,
                      true,
                      Handler::Chat,
                      kF1,
                      {"SetKeyDown(112)", "SetKeyDown(112)"}},
        PluginKeyCase{"F1NotLoaded", true, false, Handler::Chat, kF1, kNone}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EscOnTheTable, OpensTheExitDialogCentredAndNotTopmostThenClosesIt) {
    LoadedTable table(Screen::Framed1280);
    auto& c = *table.c;
    auto& form = table.form();
    form.Pic1.setFocus();
    form.keyDown(27);
    ASSERT_TRUE(c.frmExit->visible());
    EXPECT_FALSE(c.frmExit->topmost());
    EXPECT_FALSE(c.frmExit->Label2.visible());  // no game runs
    EXPECT_FLOAT_EQ(c.frmExit->left(), (form.width() - c.frmExit->width()) / 2 + form.left());
    form.keyDown(27);
    EXPECT_FALSE(c.frmExit->visible());
}

struct AltCCase {
    const char* name;
    std::vector<int> keys;
    bool opens;
};
class AltThenC : public ::testing::TestWithParam<AltCCase> {};
TEST_P(AltThenC, OpensTheChatHistoryOnlyWithNoOtherKeyBetween) {
    LoadedTable table(Screen::Framed1280);
    auto& form = table.form();
    form.Pic1.setFocus();
    for (int key : GetParam().keys) form.keyDown(key);
    EXPECT_EQ(table.c->Talk.isLoaded() && table.c->Talk->visible(), GetParam().opens);
    if (GetParam().opens) {
        EXPECT_TRUE(table.c->Talk->topmost());
        EXPECT_FLOAT_EQ(table.c->Talk->top(), 0.66f * form.height());
    }
}
INSTANTIATE_TEST_SUITE_P(Sequences, AltThenC,
                         ::testing::Values(AltCCase{"AltC", {18, 67}, true},
                                           AltCCase{"CAlt", {67, 18}, true},
                                           AltCCase{"AltXC", {18, 88, 67}, false},
                                           AltCCase{"AltAlt", {18, 18}, false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace table_test
