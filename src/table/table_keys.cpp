// The table window's function keys. F1 is the boss key: the table's dialogs go away, the table
// and the hall are minimised and, for most handlers, the game plays on by itself until the
// table is restored. F1..F6 also reach the props plug-in's shortcuts, Esc opens and closes the
// exit dialog and Alt then C opens the chat history. Six handlers share the work; they differ
// in the keys they take and in what exactly their boss key does, so each is a profile below.
#include <vector>

#include "chat/table_hooks.h"
#include "client/client.h"
#include "client/main_form.h"
#include "connection/hall_link.h"
#include "platform/runtime/failure.h"
#include "settlement/information_window.h"
#include "table/table_dialogs.h"

// The window classes the boss key hides or unloads.
#include "cards/display/chu_pai.h"
#include "chat/huifu.h"
#include "chat/talk.h"
#include "connection/exit_dialogs.h"
#include "settlement/hero_window.h"
#include "settlement/score_window.h"
#include "sound/vos_set.h"

namespace table {

namespace {

constexpr int kKeyEsc = 27;
constexpr int kKeyAlt = 18;
constexpr int kKeyC = 67;
constexpr int kKeyF1 = 112;
constexpr int kKeyF6 = 117;

bool IsFunctionKey(int keyCode) {
    return keyCode >= kKeyF1 && keyCode <= kKeyF6;
}

enum class TableWindow { Information, Talk, huifu, VosSet, frmExit, Hero, Score, ChuPai };

// Runs `action` on the window's reference.
template <typename Action>
void OnWindow(client::Client& c, TableWindow window, Action&& action) {
    switch (window) {
        case TableWindow::Information:
            action(c.Information);
            break;
        case TableWindow::Talk:
            action(c.Talk);
            break;
        case TableWindow::huifu:
            action(c.huifu);
            break;
        case TableWindow::VosSet:
            action(c.VosSet);
            break;
        case TableWindow::frmExit:
            action(c.frmExit);
            break;
        case TableWindow::Hero:
            action(c.Hero);
            break;
        case TableWindow::Score:
            action(c.Score);
            break;
        case TableWindow::ChuPai:
            action(c.ChuPai);
            break;
    }
}

// Hiding touches the window, so one that does not exist yet is made, hidden; unloading
// destroys it, so that its next showing starts afresh.
void HideWindow(client::Client& c, TableWindow window) {
    OnWindow(c, window, [](auto& ref) { ref->hide(); });
}

void UnloadWindow(client::Client& c, TableWindow window) {
    OnWindow(c, window, [](auto& ref) { ref.unload(); });
}

// What one handler's boss key does.
struct BossKeyProfile {
    // Sets g_bAutoPlay before the windows go and g_bBossKey after them, so that a restore ends
    // the boss-key state; otherwise only g_bBossKeyPressed and the turn clock, before.
    bool playsOnByItself;
    std::vector<TableWindow> hides;
    std::vector<TableWindow> unloads;
    // Hands F1 to the plug-in after the windows (the handlers that do not forward first).
    bool forwardsAfter;
};

using W = TableWindow;
const BossKeyProfile kFormProfile{
    false,
    {W::Information, W::Talk, W::VosSet, W::frmExit, W::Hero, W::Score, W::huifu},
    {},
    false};
const BossKeyProfile kChatProfile{
    true,
    {W::Information, W::Talk, W::huifu, W::VosSet, W::frmExit, W::Hero, W::Score, W::ChuPai},
    {},
    false};
const BossKeyProfile kPic1Profile{true,
                                  {W::Talk, W::huifu, W::Hero, W::Score},
                                  {W::Information, W::VosSet, W::frmExit, W::ChuPai},
                                  true};
const BossKeyProfile kPic2Profile{true,
                                  {W::Talk, W::huifu, W::VosSet, W::Hero, W::Score},
                                  {W::Information, W::frmExit, W::ChuPai},
                                  true};
const BossKeyProfile kPic3Profile{
    false, {W::Information, W::Talk, W::huifu, W::VosSet, W::frmExit, W::Hero, W::Score}, {}, true};

// A step that fails is skipped and the next one runs.
template <typename Step>
void Guarded(Step&& step) {
    try {
        step();
    } catch (const platform::RuntimeFailure&) {
    }
}

void PressBossKey(client::Client& c, const BossKeyProfile& profile) {
    state::SharedState& s = c.s;
    if (profile.playsOnByItself) {
        s.g_bAutoPlay = true;
    } else {
        s.g_bBossKeyPressed = true;
        s.g_nTurnSeconds = 0;
    }
    for (TableWindow window : profile.hides) Guarded([&] { HideWindow(c, window); });
    for (TableWindow window : profile.unloads) Guarded([&] { UnloadWindow(c, window); });
    if (profile.playsOnByItself) {
        s.g_bBossKeyPressed = true;
        s.g_nTurnSeconds = 0;
        s.g_bBossKey = true;
    }
    if (profile.forwardsAfter) Guarded([&] { ForwardKeyToPlugin(c, kKeyF1); });
    Guarded([&] { c.MainForm->setWindowState(forms::WindowState::Minimized); });
    connection::MinimizeHall(c);
}

// The picture boxes below the table take F1 only.
void PictureKeyDown(client::Client& c, int keyCode, const BossKeyProfile& profile) {
    if (keyCode == kKeyF1) PressBossKey(c, profile);
}

void RememberAltC(client::Client& c, int keyCode) {
    auto& keys = c.s.g_aAltCKeys;
    if (keyCode == kKeyAlt) {
        keys[0] = 1;
    } else if (keyCode == kKeyC) {
        keys[1] = 1;
    } else {
        keys = {0, 0};
    }
    if (keys[0] == 1 && keys[1] == 1) {
        keys = {0, 0};
        chat::ShowChatHistoryByKeys(c);
    }
}

}  // namespace

}  // namespace table

namespace client {
using namespace table;

void MainForm::Form_KeyDown(int& KeyCode, int Shift) {
    (void)Shift;
    if (!IsFunctionKey(KeyCode)) return;
    // With the focus in the chat line the chat line's own handler hands F2..F6 on.
    if (KeyCode == kKeyF1 || !c.s.g_bChatFocus) {
        ForwardKeyToPlugin(c, static_cast<std::int16_t>(KeyCode));
    }
    if (KeyCode == kKeyF1) PressBossKey(c, kFormProfile);
}

void MainForm::Chat_KeyDown(int& KeyCode, int Shift) {
    (void)Shift;
    if (!IsFunctionKey(KeyCode)) return;
    Guarded([&] { ForwardKeyToPlugin(c, static_cast<std::int16_t>(KeyCode)); });
    if (KeyCode == kKeyF1) PressBossKey(c, kChatProfile);
}

void MainForm::Pic1_KeyDown(int& KeyCode, int Shift) {
    (void)Shift;
    if (KeyCode == kKeyEsc) {
        Guarded([&] { TellBankDialogOpens(c); });
        Guarded([&] { ToggleExitDialog(c, false); });
        return;
    }
    if (KeyCode == kKeyF1) PressBossKey(c, kPic1Profile);
    RememberAltC(c, KeyCode);
}

void MainForm::Pic2_KeyDown(int& KeyCode, int Shift) {
    (void)Shift;
    PictureKeyDown(c, KeyCode, kPic2Profile);
}

void MainForm::Pic3_KeyDown(int& KeyCode, int Shift) {
    (void)Shift;
    PictureKeyDown(c, KeyCode, kPic3Profile);
}

void MainForm::Pic4_KeyDown(int& KeyCode, int Shift) {
    (void)Shift;
    PictureKeyDown(c, KeyCode, kPic3Profile);
}

}  // namespace client
