// The end of a settlement: the player is told how to go on, the table's game flags are
// cleared, the next-hand clock starts, the result sound plays, the hand is saved and an unload
// of the props plug-in put off during its show is carried out.
#include "client/client.h"
#include "client/main_form.h"
#include "props/props.h"
#include "settlement/hand_history.h"
#include "settlement/settlement_steps.h"
#include "settlement/skip_step.h"
#include "sound/sound_playback.h"

namespace settlement {

namespace {

constexpr std::int16_t NextHandSeconds = 15;
constexpr std::int16_t NextHandSecondsBossKey = 1;
constexpr std::int16_t PropShowSettled = 2;
constexpr int ReadyButton = 2;

void WriteSystemLine(client::MainForm& table, int row, const QString& text) {
    table.Sysmsg[row].clear();
    table.Sysmsg[row].addItem(text);
}

void StartNextHandClock(client::Client& c) {
    auto& s = c.s;
    auto& table = *c.MainForm;
    s.channels.arm(state::ChannelReadyClock);
    s.g_nCountdown = s.g_bBossKey ? NextHandSecondsBossKey : NextHandSeconds;
    table.Number.setCaption(QString::number(s.g_nCountdown));
    table.Number.setForeColor(forms::kBlack);
    table.Number.setVisible(true);
    table.Time_Img.setVisible(true);
    table.Time_Img.zOrder(0);
    table.Number.zOrder(0);
    table.imgfanshu.setVisible(false);
    table.lblfanshu.setVisible(false);
}

}  // namespace

void CloseHand(client::Client& c) {
    auto& s = c.s;
    auto& table = *c.MainForm;
    Skipping([&] { WriteSystemLine(table, 0, QStringLiteral("请点击【继续】按钮继续游戏！")); });
    s.g_aAnNiuState[ReadyButton] = false;
    s.g_bGameRunning = false;
    s.g_bReadyPressed = false;
    s.Inited = false;
    Skipping([&] { WriteSystemLine(table, 1, QStringLiteral("游戏将在15秒内开始")); });
    // Departures that waited behind the results are handled again.
    s.g_bResultShown = false;
    if (!s.g_bSpectator) Skipping([&] { StartNextHandClock(c); });
    Skipping(
        [&] { sound::PlayEffectSound(c.sound, QStringLiteral("\\..\\common\\pk\\sys150.wav")); });
    Skipping([&] { SaveHandRecord(c, s.g_nHandCount); });
    if (s.g_bPropShowPending) {
        if (s.g_nPropState > 0) {
            Skipping([&] {
                std::int16_t code = 0;
                props::ExitGameDll(c, code);
            });
        }
    } else {
        s.g_nPropShowState = PropShowSettled;
    }
}

}  // namespace settlement
