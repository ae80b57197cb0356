// The toolbar's nine buttons: send the chat line, the chat history, ready for the next hand,
// the sound settings, the last hand's score sheet, the history of the hands at this table, the
// boss key, the rules page and the exit dialog. The skinned frame's close button is the exit
// button.
#include "cards/display/chu_pai.h"
#include "cards/display/pass_turn.h"
#include "chat/huifu.h"
#include "chat/table_hooks.h"
#include "chat/talk.h"
#include "client/client.h"
#include "client/main_form.h"
#include "connection/resource_pictures.h"
#include "connection/send_queue.h"
#include "connection/table_clocks.h"
#include "platform/desktop/desktop.h"
#include "settlement/hand_history.h"
#include "settlement/hero_window.h"
#include "settlement/score_window.h"
#include "sound/vos_set.h"
#include "state/web_host.h"
#include "table/table_dialogs.h"
#include "table/table_layout.h"

namespace table {

namespace {

enum Button {
    ButtonSend = 0,
    ButtonChat = 1,
    ButtonReady = 2,
    ButtonSettings = 3,
    ButtonHide = 4,
    ButtonRecord = 5,
    ButtonHistory = 6,
    ButtonRules = 7,
    ButtonExit = 8,
};

constexpr std::size_t kContinuePicture = 6;
constexpr int kKeyF1 = 112;
// The sound settings sit this far (design twips) above the table picture's bottom right.
constexpr float kSettingsLift = 1700;
constexpr char16_t kRulesPath[] = u"/gameinfo/Korvash/index.php";

void PressReady(client::Client& c) {
    state::SharedState& s = c.s;
    client::MainForm& form = *c.MainForm;
    s.g_bReadyPending = false;
    if (s.g_aAnNiuState[ButtonReady] || !s.g_bLoggedIn) return;
    connection::ShowResourcePicture(
        c, connection::IntegerArg(c.ids.g_aIdAnNiu[kContinuePicture]).toInteger(),
        form.AnNiu[ButtonReady]);
    form.OK[0].setVisible(true);
    form.OK[0].zOrder(0);
    s.g_bReadyPressed = true;
    s.channels.disarm(state::ChannelReadyClock);
    cards::HideClock(form);
    s.g_aAnNiuState[ButtonReady] = true;
    if (!s.Inited) {
        ResetTableForNewHand(c);
        ResetPlayersForNewHand(c);
        s.Inited = true;
    }
    // While a hand is played the server has the player as ready already.
    if (!s.g_bGameRunning) {
        state::Frame ready = connection::BuildReadyFrame(s);
        connection::QueueOutgoingMessage(s, ready);
    }
    if (s.g_bShuffleArmed && s.g_bRandomSeats) connection::ShowSeatChange(c);
}

void ToggleSoundSettings(client::Client& c) {
    TellBankDialogOpens(c);
    auto& settings = *c.VosSet;
    if (settings.visible()) {
        settings.hide();
        return;
    }
    const client::MainForm& table = *c.MainForm;
    settings.setLeft(table.left() + table.Pic1.left() + table.Pic1.width() - settings.width());
    settings.setTop(table.top() + table.Pic1.top() + table.Pic1.height() - settings.height() -
                    kSettingsLift * c.s.g_fScaleX);
    settings.show();
}

void HideEverything(client::Client& c) {
    client::MainForm& table = *c.MainForm;
    int keyCode = kKeyF1;
    table.Form_KeyDown(keyCode, 0);
    table.setWindowState(forms::WindowState::Minimized);
    c.Hero->hide();
    c.Score->hide();
    c.Talk->hide();
    c.VosSet->hide();
    if (c.ChuPai->visible()) c.ChuPai->hide();
    if (c.huifu->visible()) c.huifu->hide();
}

void ToggleScoreSheet(client::Client& c) {
    auto& sheet = *c.Score;
    CentreOverTable(c, sheet);
    if (sheet.visible()) {
        sheet.hide();
    } else {
        settlement::LoadHandRecord(c, c.s.g_nHandCount);
        sheet.show();
        sheet.zOrder(0);
    }
    if (c.Hero->visible()) c.Hero->hide();
    TellBankDialogOpens(c);
}

void ToggleHistory(client::Client& c) {
    auto& history = *c.Hero;
    CentreOverTable(c, history);
    history.setVisible(!history.visible());
    if (c.Score->visible()) c.Score->hide();
    TellBankDialogOpens(c);
}

void OpenRulesPage(client::Client& c) {
    // The browser's answer is not awaited.
    c.sys.desktop.openUrl(QStringLiteral("http://") + QString::fromUtf16(state::WebHost) +
                          QString::fromUtf16(kRulesPath));
}

}  // namespace

}  // namespace table

namespace client {
using namespace table;

void MainForm::AnNiu_Click(int Index) {
    switch (Index) {
        case ButtonSend:
            chat::SendChatLine(c);
            break;
        case ButtonChat:
            chat::ToggleChatHistory(c);
            break;
        case ButtonReady:
            PressReady(c);
            break;
        case ButtonSettings:
            ToggleSoundSettings(c);
            break;
        case ButtonHide:
            HideEverything(c);
            break;
        case ButtonRecord:
            ToggleScoreSheet(c);
            break;
        case ButtonHistory:
            ToggleHistory(c);
            break;
        case ButtonRules:
            OpenRulesPage(c);
            break;
        case ButtonExit:
            TellBankDialogOpens(c);
            ToggleExitDialog(c, true);
            break;
        default:
            break;
    }
}

}  // namespace client
