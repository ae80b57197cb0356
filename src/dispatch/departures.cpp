// Departures (type 21) and readiness (type 23). A departure empties the leaving player's seat
// wherever the client keeps it and, once per hand, turns the table back to waiting for the next
// hand; the local player's own departure ends the program. A ready frame marks the seat and,
// when the three others are ready before a deal, prepares the table.
#include "client/client.h"
#include "client/main_form.h"
#include "connection/table_clocks.h"
#include "dispatch/frame_reader.h"
#include "dispatch/handlers.h"
#include "platform/runtime/failure.h"
#include "platform/runtime/message_box.h"
#include "platform/text/gbk.h"
#include "props/prop_dll.h"
#include "props/props.h"
#include "table/table_layout.h"
#include "table/wealth_label.h"
#include "video/leave_table.h"

namespace dispatch {

namespace {

constexpr std::size_t AntiCheatByte = 8;
constexpr std::size_t ReadySecondsByte = 11;
constexpr std::size_t ReadyStateByte = 15;
constexpr std::size_t AccountByte = 16;
constexpr std::size_t AccountWidth = 16;
constexpr int ReadyButton = 2;
constexpr std::int16_t ShortPause = 10;
constexpr std::int16_t LongPause = 15;

// Byte 16 is always taken (lowered by one in anti-cheat rooms); the rest ends at a zero byte.
QString DepartingAccount(const state::Frame& message) {
    int first = ReadByte(message, AccountByte);
    if (ReadByte(message, AntiCheatByte) == 1) --first;
    if (first < 0) {
        platform::fail(platform::RuntimeFailure::Kind::InvalidArgument, "character code -1");
    }
    const QString head =
        first == 0 ? QString(QChar(0)) : platform::decodeGbk(std::string(1, char(first)));
    return head + OneBytePerCharText(message, AccountByte + 1, AccountWidth - 1);
}

void WriteDepartureLine(client::Client& c, int seat) {
    auto& table = *c.MainForm;
    const QTime now = c.sys.env.timeOfDay();
    table.Sysmsg[0].clear();
    table.Sysmsg[0].addItem(c.s.g_aPlayerInfo[std::size_t(seat)].nickname +
                            QStringLiteral("退出了游戏 ") + QString::number(now.hour()) + ':' +
                            QString::number(now.minute()) + ':' + QString::number(now.second()));
    table.Sysmsg[1].clear();
}

void ClearSeat(client::Client& c, int seat) {
    auto& s = c.s;
    auto& table = *c.MainForm;
    s.Inited = false;
    --s.Player_num;
    table.OK[seat].setVisible(false);
    table.Tou[seat].setPicture(forms::Picture{});
    table.Nid[seat].setCaption(QString());
    table.Cash[seat].setCaption(QString());
    table.Level[seat].setCaption(QString());
    WriteDepartureLine(c, seat);
    s.custom[std::size_t(seat)].name.clear();
    state::ClearDepartedProfile(s.g_aPlayerInfo[std::size_t(seat)]);
    props::PropsOnPlayerGone(c, std::int16_t(seat));
    if (s.beishu != 0) s.g_aSeatBeishu[std::size_t(seat)] = 0;
    table::ShowSeatsWealthMultiplier(c);
    video::HideSeatPanes(c, seat);
}

// The first departure after a deal or a login ends the running game for the client.
void EndRunningGame(client::Client& c, std::uint8_t readySeconds) {
    auto& s = c.s;
    s.g_bTimeLimit = false;
    s.g_aAnNiuState[ReadyButton] = false;
    s.g_bGameRunning = false;
    s.g_bReadyPressed = false;
    s.Inited = false;
    if (s.g_bSpectator) return;
    connection::StartNextHandClock(c, readySeconds == 1 ? ShortPause : LongPause);
}

}  // namespace

void HandlePlayerLeft(client::Client& c, state::Frame& message) {
    auto& s = c.s;
    auto& table = *c.MainForm;
    table.LblShuffle.setVisible(false);
    table.ImgShuffle.setVisible(false);
    s.g_bShuffleArmed = false;
    s.g_bShuffling = false;

    const QString account = DepartingAccount(message);
    if (account == s.custom[0].name) platform::endProgram();
    for (int seat = 1; seat <= 3; ++seat) {
        if (!account.isEmpty() && s.custom[std::size_t(seat)].name == account) ClearSeat(c, seat);
    }
    if (!account.isEmpty()) video::CloseSlotsOf(c, account);
    if (s.g_bTimeLimit) EndRunningGame(c, ReadByte(message, ReadySecondsByte));
    if (!table.TimerKeepAlive.enabled()) table.TimerKeepAlive.setEnabled(true);
    if (s.g_bSpectator) {
        c.sys.boxes.show(QStringLiteral("有用户退出，旁观结束！"), c.App_Title());
        platform::endProgram();
    }
}

void HandlePlayerReady(client::Client& c, state::Frame& message) {
    auto& s = c.s;
    auto& table = *c.MainForm;
    const QString account = OneBytePerCharText(message, AccountByte, AccountWidth);
    if (ReadByte(message, ReadyStateByte) == 1) {
        for (int seat = 0; seat < 4; ++seat) {
            if (table.Nid[seat].caption().isEmpty()) continue;
            if (s.custom[std::size_t(seat)].name != account) continue;
            table.OK[seat].setVisible(true);
            table.OK[seat].zOrder(0);
        }
    }
    const bool othersReady =
        table.OK[1].visible() && table.OK[2].visible() && table.OK[3].visible();
    if (othersReady && !s.g_bHandStarted) {
        table::ResetTableForNewHand(c);
        table::ResetPlayersOnLeave(c);
        s.Inited = true;
    }
}

}  // namespace dispatch
