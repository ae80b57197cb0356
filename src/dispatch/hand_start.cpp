// MsgHandStart: a hand is announced (the clock and the seat-change area placed beside the
// wealth picture, the seat-change animation armed or started, the wealth multiplier shown), or
// players are removed for lack of gold; when the local player is among them the table is
// closed and left.
#include "client/client.h"
#include "client/main_form.h"
#include "connection/exit_dialogs.h"
#include "connection/leaving.h"
#include "dispatch/frame_reader.h"
#include "dispatch/handlers.h"
#include "dispatch/table_closing.h"
#include "platform/runtime/message_box.h"
#include "props/prop_dll.h"
#include "props/props.h"
#include "settlement/hero_window.h"
#include "settlement/score_window.h"
#include "state/player_info.h"
#include "state/relative_seat.h"
#include "table/wealth_label.h"
#include "video/leave_table.h"

namespace dispatch {

namespace {

constexpr std::size_t RemovedSeatsByte = 6;
constexpr std::size_t SeatChangeByte = 11;  // changeRoomSeats with a removal
constexpr std::size_t ShuffleByte = 13;
constexpr std::size_t StartPhaseByte = 15;
constexpr std::size_t WealthByte = 16;
constexpr std::uint8_t HandStarts = 0;
constexpr std::uint8_t FirstRemovalPhase = 3;
constexpr int ShuffleIntervalMs = 300;

void PlaceClockAndSeatChange(client::Client& c) {
    auto& form = *c.MainForm;
    const float sx = c.s.g_fScaleX;
    const float sy = c.s.g_fScaleY;
    form.Time_Img.setLeft(form.Imgwealth.left());
    form.Time_Img.setTop(form.Imgwealth.top() - 120 * sy);
    form.Number.setLeft(form.Time_Img.left() + 48 * sx);
    form.Number.setTop(form.Time_Img.top() + 5 * sy);
    form.ImgShuffle.setLeft(form.Time_Img.left() + form.Time_Img.width() + 6 * sx);
    form.ImgShuffle.setTop(form.Number.top() + 2 * sy);
    form.LblShuffle.setLeft(form.ImgShuffle.left());
    form.LblShuffle.setTop(form.ImgShuffle.top() + 6 * sy);
}

void StartShuffleAnimation(client::Client& c) {
    auto& form = *c.MainForm;
    form.ImgShuffle.setVisible(true);
    form.ImgShuffle.zOrder(0);
    form.LblShuffle.setVisible(true);
    form.LblShuffle.zOrder(0);
    form.TimerShuffle.setInterval(ShuffleIntervalMs);
    form.TimerShuffle.setEnabled(true);
    form.LblShuffle.setCaption(c.s.g_aShuffleText[0]);
    c.s.g_bShuffling = true;
    c.s.g_nShuffleIndex = 0;
}

void StartHand(client::Client& c, const state::Frame& message) {
    auto& s = c.s;
    auto& form = *c.MainForm;
    if (s.g_bTimeLimit) {
        s.g_bTimeLimit = false;
        if (!s.g_bSpectator) {
            if (ReadByte(message, SeatChangeByte) == 1) s.g_bRandomSeats = true;
            PlaceClockAndSeatChange(c);
            s.g_bShuffleArmed = true;
            form.WebBrowser2.setLeft(form.ImgShuffle.left());
            form.WebBrowser2.setTop(form.ImgShuffle.top() + form.ImgShuffle.height());
            form.WebBrowser2.setHeight(2 * form.ImgShuffle.height());
            form.WebBrowser2.setWidth(form.ImgShuffle.width());
            if (ReadByte(message, ShuffleByte) == 1) StartShuffleAnimation(c);
            form.imgfanshu.setVisible(false);
            form.lblfanshu.setVisible(false);
        }
    }
    if (s.beishu == 0) {
        form.Imgwealth.setVisible(false);
        form.lbwealth.setVisible(false);
        return;
    }
    const std::int32_t wealth = ReadInt32LE(message, WealthByte);
    s.beishu = wealth;
    table::ShowWealthMultiplier(c, wealth);
}

void CentreScoreSheet(client::Client& c) {
    auto& table = *c.MainForm;
    auto& score = *c.Score;
    score.setLeft(table.left() + (table.width() - score.width()) / 2);
    score.setTop(table.top() + (table.height() - score.height()) / 2);
    score.setVisible(true);
    score.show();
}

void ClearRemovedSeat(client::Client& c, int k) {
    auto& s = c.s;
    auto& form = *c.MainForm;
    s.g_aPlayerInfo[k].voiceId.clear();
    s.Inited = false;
    form.OK[k].setVisible(false);
    form.Tou[k].setPicture({});
    form.Nid[k].setCaption({});
    form.Cash[k].setCaption({});
    form.Level[k].setCaption({});
    form.Sysmsg[0].clear();
    s.custom[k].name.clear();
    state::ClearDepartedProfile(s.g_aPlayerInfo[k]);
    c.Hero->Tou[k].setPicture({});
    c.Hero->ID[k].setCaption({});
    c.Score->Tou[k].setPicture({});
    c.Score->ID[k].setCaption({});
    props::PropsOnPlayerGone(c, static_cast<std::int16_t>(k));
    if (s.g_bVideoOn) video::HideSeatPanes(c, k);
}

void RemoveLocalPlayer(client::Client& c, std::uint8_t changeRoomSeats) {
    auto& s = c.s;
    auto& form = *c.MainForm;
    CentreScoreSheet(c);
    c.frmOtherExit->Label1.setCaption(
        (s.custom[0].seat & changeRoomSeats) != 0
            ? QStringLiteral("您的金币不够，请更换房间或充值后继续游戏！")
            : QStringLiteral("您的金币不够，请领取低保或充值后继续游戏！"));
    if (form.windowState() != forms::WindowState::Minimized) ShowOtherExitDialog(c);
    for (int k = 1; k <= 3; ++k) {
        if (!s.custom[k].name.isEmpty()) ClearRemovedSeat(c, k);
    }
    if (form.TimerKeepAlive.enabled()) form.TimerKeepAlive.setEnabled(false);
    StopClosingChannels(c);
    s.g_bGameRunning = false;
    s.Inited = false;
    CloseTableAndNotify(c);
    connection::QuitTable(c);
    if (s.g_nPropShowState == 1) {
        s.g_bPropShowPending = true;
    } else if (s.g_nPropState > 0) {
        std::int16_t code = 0;
        props::ExitGameDll(c, code);
    }
}

void RemovePlayersWithoutGold(client::Client& c, const state::Frame& message) {
    auto& s = c.s;
    auto& form = *c.MainForm;
    form.LblShuffle.setVisible(false);
    form.ImgShuffle.setVisible(false);
    s.g_bShuffleArmed = false;
    s.g_bShuffling = false;

    const std::uint8_t removedSeats = ReadByte(message, RemovedSeatsByte) & 15;
    const std::uint8_t changeRoomSeats = ReadByte(message, SeatChangeByte);
    // Every removed player is named before any seat is cleared: the local removal empties
    // the other seats' profiles.
    std::array<QString, 4> nicknames;
    for (std::size_t i = 0; i < nicknames.size(); ++i) {
        nicknames[i] = s.g_aPlayerInfo[i].nickname;
    }
    for (std::uint8_t f = 1; f <= 8; f <<= 1) {
        if ((removedSeats & f) != f) continue;
        const int r = state::RelativeSeat(f, s.custom[0].seat);
        form.Sysmsg[0].clear();
        form.Sysmsg[0].addItem(QStringLiteral("玩家") + nicknames.at(static_cast<std::size_t>(r)) +
                               QStringLiteral("金币不够，退出游戏！"));
        s.Inited = false;
        s.g_bGameRunning = false;
        if (r == 0) RemoveLocalPlayer(c, changeRoomSeats);
    }
    if (s.g_bSpectator) {
        c.sys.boxes.show(QStringLiteral("有用户退出，旁观结束！"), c.App_Title(),
                         platform::MessageButtons::Ok);
        platform::endProgram();
    }
}

}  // namespace

void HandleHandStart(client::Client& c, state::Frame& message) {
    const std::uint8_t startPhase = ReadByte(message, StartPhaseByte);
    if (startPhase == HandStarts) {
        StartHand(c, message);
    } else if (startPhase >= FirstRemovalPhase) {
        RemovePlayersWithoutGold(c, message);
    }
}

}  // namespace dispatch
