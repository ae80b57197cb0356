// Start-up and shutdown of the table window.
#include <QWidget>

#include "cards/display/chu_pai.h"
#include "chat/huifu.h"
#include "chat/speak_box.h"
#include "chat/talk.h"
#include "client/client.h"
#include "client/main_form.h"
#include "connection/command_line.h"
#include "connection/exit_dialogs.h"
#include "connection/hall_link.h"
#include "connection/reconnection.h"
#include "connection/send_queue.h"
#include "connection/socks5.h"
#include "connection/video_switch.h"
#include "platform/desktop/desktop.h"
#include "platform/files/dir_lookup.h"
#include "platform/runtime/conversions.h"
#include "platform/runtime/message_box.h"
#include "props/props.h"
#include "settlement/hero_window.h"
#include "settlement/information_window.h"
#include "settlement/score_window.h"
#include "sound/sound_playback.h"
#include "sound/vos_set.h"
#include "table/table_layout.h"
#include "video/zoom_windows.h"

namespace connection {

namespace {

// The table window's unload takes the others down in one fixed order, the speech bubbles
// last; a window that is not open stays unopened.
void UnloadOtherWindows(Client& c) {
    c.ChuPai.unload();
    video::UnloadZoomWindows(c);
    c.frmExit.unload();
    c.frmOtherExit.unload();
    c.frmReconnect.unload();
    c.Hero.unload();
    c.huifu.unload();
    c.Information.unload();
    c.Score.unload();
    c.Talk.unload();
    c.VosSet.unload();
    for (forms::Form* box : chat::OpenSpeakBoxes(c)) box->unload();
}

using platform::RuntimeFailure;
using state::Channel;

constexpr float kTwipsPerPixel = 15.0f;
// A screen larger than the design table gets a framed window of 1040 x 796 pixels.
constexpr int kDesignWidth = 1024;
constexpr int kDesignHeight = 768;
constexpr float kFramedHeight = 11940;
constexpr float kFramedWidth = 15600;
constexpr float kSmallScaleX = 800.0f / 1024.0f;
constexpr float kSmallScaleY = 600.0f / 768.0f;
constexpr std::int32_t kTableMusicVolume = 3000;

void SizeTableWindow(MainForm& form, QSize screenPixels) {
    const float screenHeight = float(screenPixels.height()) * kTwipsPerPixel;
    const float screenWidth = float(screenPixels.width()) * kTwipsPerPixel;
    const int h = int(platform::roundHalfEven(screenHeight)) / 15;
    if (h > kDesignHeight) {
        form.move(form.left(), 0, form.width(), kFramedHeight);
        form.DrawSkinFrame();
        form.Pic1.setHeight(form.height() - 420);
        form.Pic1.setTop(300);
    } else {
        form.move(form.left(), 0, form.width(), screenHeight);
        form.Pic1.setHeight(form.height());
        form.Pic1.setTop(0);
    }
    const int w = int(platform::roundHalfEven(screenWidth)) / 15;
    if (w > kDesignWidth) {
        form.move(0, form.top(), kFramedWidth);
        form.DrawSkinFrame();
        form.Pic1.setWidth(form.width() - 240);
        form.Pic1.setLeft(120);
    } else {
        form.move(0, form.top(), screenWidth);
        form.Pic1.setWidth(form.width());
        form.Pic1.setLeft(0);
    }
}

void FixScreenScale(Client& c, MainForm& form, QSize screenPixels) {
    const float screenHeight = float(screenPixels.height()) * kTwipsPerPixel;
    const float screenWidth = float(screenPixels.width()) * kTwipsPerPixel;
    if (screenHeight / 15 < kDesignHeight || screenWidth / 15 < kDesignWidth) {
        c.s.g_fScaleY = kSmallScaleY;
        c.s.g_fScaleX = kSmallScaleX;
        form.Pic1.setPicture({});
        form.Pic1.paintPicture(form.Pic2.picture(), 0, 0);
        form.Pic1.zOrder(1);
        form.Sysmsg[0].setFontSize(8);
        form.Sysmsg[1].setFontSize(8);
    } else {
        c.s.g_fScaleY = 1.0f;
        c.s.g_fScaleX = 1.0f;
    }
}

void StartSound(Client& c, MainForm& form) {
    sound::SoundContext& snd = c.sound;
    sound::InitSoundPaths(snd);
    sound::InitSound(snd, form.nativeWindow());
    sound::StopSound(snd);
    sound::PlaySoundFile(snd, c.soundState.g_aSoundFile[sound::SoundTableMusic], true);
    sound::SetSoundVolume(snd, kTableMusicVolume);
}

void HookWindowProcedure(Client& c, MainForm& form) {
    auto* widget = dynamic_cast<QWidget*>(form.view());
    if (!widget) return;  // a window without a view receives no messages from other programs
    platform::Desktop& desktop = c.sys.desktop;
    form.hWnd = desktop.attachWindow(
        *widget, {[&form] { form.setWindowState(forms::WindowState::Normal); },
                  [&form] { form.setWindowState(forms::WindowState::Minimized); }});
    form.g_nOldWndProc = desktop.setWindowProcedure(
        form.hWnd,
        [&c](platform::WindowHandle window, std::uint32_t message, std::int32_t wParam,
             std::int32_t lParam) { return MainWndProc(c, window, message, wParam, lParam); });
}

// Steps 2 to 27 of the load; any run-time failure in them ends the start-up.
void LoadTable(Client& c, MainForm& form) {
    state::SharedState& s = c.s;

    c.instanceLock = std::make_unique<platform::SingleInstanceLock>(c.sys.lockFolder, "korvash");
    if (!c.instanceLock->acquired()) {
        c.sys.boxes.show(QStringLiteral("Korvash已经运行！"), QStringLiteral("警告"));
        RestoreHall(c);
        platform::endProgram();
    }

    ResetRingBuffers(s);

    s.g_bBossKeyPressed = false;
    s.g_nTurnSeconds = 10;
    s.g_bBossKey = false;
    s.g_bResultShown = false;
    s.g_bRandomSeats = false;
    form.WebBrowser2.setVisible(false);
    form.m_bCaptionButtonsNormal = true;

    SizeTableWindow(form, c.sys.env.screenSize);
    FixScreenScale(c, form, c.sys.env.screenSize);

    form.P2PSocket1->Visible = false;
    s.g_vWeb1Failed = false;
    s.g_bWeb2Failed = false;

    for (Channel k : {state::ChannelSend, state::ChannelReceive, state::ChannelChatFlash,
                      state::ChannelLogin, state::ChannelDisconnect, state::ChannelTurnClock,
                      state::ChannelReadyClock, state::ChannelStopwatch, state::ChannelBubble}) {
        s.channels.check[k] = false;
    }
    s.channels.g_aCheckTicks[state::ChannelDisconnect] = 0;
    s.channels.g_aCheckTicks[state::ChannelStopwatch] = 0;

    s.g_bChatAllowed = true;
    s.g_bTurnOpen = false;
    s.g_bConnected = false;
    s.g_bAutoPlay = false;
    c.soundState.g_bMusicOn = true;
    c.soundState.g_bEffectsOn = true;
    c.soundState.g_bSoundOn = true;
    s.g_bAltBackground = false;
    s.g_bReadyPending = true;
    s.g_bChatPrefixPut = false;

    StartSound(c, form);

    s.g_nIdleRounds = 0;
    s.Inited = false;
    s.g_nChatFlashCount = 0;
    s.Player_num = 0;
    s.g_bHandStarted = false;
    s.g_bReadyPressed = false;

    c.ids = resources::InitImageIds(s.g_fScaleX);
    table::ArrangeSeatControls(c);

    s.g_bAutoReconnect = false;
    s.g_aOtherNames = {};
    s.g_nShuffleIndex = 0;
    form.TimerShuffle.setEnabled(false);
    form.LblShuffle.setVisible(false);
    form.ImgShuffle.setVisible(false);
    s.g_bShuffleArmed = false;
    s.g_bShuffling = false;
    s.g_aShuffleText = {QStringLiteral("正在随机换座中.."), QStringLiteral("正在随机换座中..."),
                        QStringLiteral("正在随机换座中...."),
                        QStringLiteral("正在随机换座中.....")};
    form.P2PSocket1->Visible = false;

    s.g_nHandCount = 0;

    ReadCommandLine(c);
    ReadVideoSwitch(c, form);

    form.Sysmsg[0].clear();
    form.Sysmsg[0].addItem(QStringLiteral("正在连接服务器..."));

    form.TimerBong.setEnabled(false);
    s.g_bDirectData = true;

    {
        QString password = s.g_sPropPassword;
        s.g_aLoginFrame = BuildLoginFrame(s.custom[0].name, password);
        password.clear();
    }

    ConnectByProxyType(c);

    if (s.g_bCustomCaptions) {
        form.setCaption(s.g_sOwnCaption);
        s.g_nTurnSeconds = 15;
    } else {
        s.g_sHallCaption = QString::fromUtf8(kDefaultHallCaption);
    }

    RestoreHall(c);
    form.show();
    table::ArrangePlayAreaControls(c);

    s.custom[0].seat = 0;
    s.g_bReconnecting = false;

    HookWindowProcedure(c, form);
}

}  // namespace

void ConnectDirect(Client& c) {
    MainForm& form = *c.MainForm;
    form.Winsock1.setRemoteHost(c.s.g_sGameHost);
    form.Winsock1.setRemotePort(c.s.g_nGamePort);
    c.s.g_bLoginSentOnConnection = false;
    form.Winsock1.connect();
    form.TimerBong.setEnabled(true);
    c.s.channels.arm(state::ChannelLogin);
}

void ConnectByProxyType(Client& c) {
    switch (c.s.ProxyType) {
        case 0:
            ConnectDirect(c);
            break;
        case 5:
            c.s.channels.check[state::ChannelLogin] = false;
            c.s.g_bLoginSentOnConnection = false;
            ConnectToSock5Server(c);
            break;
        default:
            break;  // no connection until the hall asks for one
    }
}

}  // namespace connection

namespace client {
using namespace connection;

void MainForm::Form_Load() {
    c.s.g_bDealPhase1 = false;
    c.s.g_bDealPhase2 = false;
    try {
        LoadTable(c, *this);
    } catch (const RuntimeFailure&) {
        RestoreHall(c);
        platform::endProgram();
    }
}

void MainForm::Form_Activate() {
    try {
        Chat.setFocus();
    } catch (const RuntimeFailure&) {
        // A chat line that cannot take the focus (hidden, say) is left without it.
    }
}

void MainForm::Form_Resize() {
    if (windowState() == forms::WindowState::Minimized) {
        for (forms::Form* box : chat::OpenSpeakBoxes(c)) box->hide();
        video::UnloadVisibleZoomWindows(c);
        return;
    }
    setTopmost(true);
    setTopmost(false);
    MinimizeHall(c);
    if (c.s.g_bBossKey) {
        c.s.g_bBossKeyPressed = false;
        c.s.g_nTurnSeconds = 10;
        c.s.g_bBossKey = false;
    }
    if (c.s.g_nPropState > 0 && c.g_oPropDll) c.g_oPropDll->FixBuffPos();
    c.s.g_nTimeoutCount = 0;
    c.s.g_bAutoPlay = false;
    for (forms::Form* box : chat::OpenSpeakBoxes(c)) {
        if (auto* speakBox = dynamic_cast<chat::frmSpeakBox*>(box))
            speakBox->tmrFadeIn.setEnabled(false);
        chat::SetWindowAlpha(*box, 0);
        box->hide();
        chat::SetWindowTopMost(*box, true);
    }
}

void MainForm::Form_Unload(bool& cancel) {
    (void)cancel;
    if (hWnd) c.sys.desktop.setWindowProcedure(hWnd, g_nOldWndProc);
    if (c.soundState.g_bMusicOn) sound::StopMusic(c.sound);
    if (c.soundState.g_bSoundOn) sound::StopSound(c.sound);
    if (c.s.g_nPropState > 0) {
        std::int16_t code = 1;
        props::ExitGameDll(c, code);
    }
    c.g_oPropDll.reset();
    P2PSocket1->ServerLogout();
    if (c.s.g_bLocalVideoOk) {
        ziva1->StopCapture();
        ziva1->CloseCapture();
    }
    UnloadOtherWindows(c);
    platform::endProgram();
}

bool MainForm::Is_File_Exist(const QString& path, const QString& fileName) {
    try {
        return platform::firstMatchingFileName(path) == fileName;
    } catch (const RuntimeFailure&) {
        return false;
    }
}

}  // namespace client
