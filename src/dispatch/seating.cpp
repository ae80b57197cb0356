// MsgPlayerInfo: a player takes a seat (the local player too). The frame fills the seat's
// record and profile, and the table shows the player: badge, avatar, labels, score heads, the
// props plug-in's copy, the video link, the camera, the wealth multiplier; at four players the
// table is prepared and the chat voices are handed out.
#include "dispatch/seating.h"

#include <algorithm>

#include "client/client.h"
#include "client/main_form.h"
#include "connection/hall_link.h"
#include "connection/resource_pictures.h"
#include "dispatch/frame_reader.h"
#include "dispatch/handlers.h"
#include "dispatch/player_info.h"
#include "platform/runtime/failure.h"
#include "props/prop_dll.h"
#include "props/props.h"
#include "settlement/hero_window.h"
#include "settlement/score_window.h"
#include "state/relative_seat.h"
#include "table/local_camera.h"
#include "table/table_layout.h"
#include "table/wealth_label.h"
#include "video/video_component.h"

namespace dispatch {

namespace {

namespace bytes = player_info_bytes;

constexpr std::int16_t FirstBadgePicture = 280;
constexpr std::int16_t FirstAvatarPicture = 240;
constexpr std::int16_t VideoPaneKind = 2;
constexpr std::int16_t LocalPane = 0;
constexpr std::int16_t NotConnected = 10;
constexpr std::int16_t SlotFree = 1;
constexpr int ReadyButton = 2;

void StopSeatChangeScreen(client::Client& c) {
    auto& form = *c.MainForm;
    if (!form.TimerShuffle.enabled() && !form.LblShuffle.visible() && !c.s.g_bShuffleArmed) return;
    form.TimerShuffle.setEnabled(false);
    form.LblShuffle.setVisible(false);
    form.ImgShuffle.setVisible(false);
    c.s.g_bShuffleArmed = false;
    c.s.g_bShuffling = false;
}

// A digit of the avatar code; anything else fails the frame, as a number conversion would.
int FaceDigit(QChar ch) {
    if (!ch.isDigit() || ch.unicode() > '9') {
        platform::fail(platform::RuntimeFailure::Kind::TypeMismatch, "Type mismatch");
    }
    return ch.unicode() - '0';
}

void AskForSeatVideo(client::Client& c, int T) {
    video::P2PSocket& relay = *c.MainForm->P2PSocket1;
    QString& account = c.s.custom[T].name;
    std::int16_t s = static_cast<std::int16_t>(T);
    for (std::int16_t k = 1; k <= 3; ++k) {
        if (relay.UserID(k) == account) {
            s = k;
            break;
        }
        if (relay.UserID(s) != account && relay.SlotState(k) < SlotFree) s = k;
    }
    if (relay.SlotState(s) < NotConnected && relay.SlotCount >= s) relay.RequestVideo(s, account);
}

void HandOutVoices(client::Client& c) {
    auto& s = c.s;
    s.ID_num = 5;
    s.g_aMaleVoiceTaken.fill(false);
    s.g_aFemaleVoiceTaken.fill(false);
    // The client's one random source was seeded at start-up (from the clock in the program).
    static const QString VoiceIds[] = {QStringLiteral("10"), QStringLiteral("20"),
                                       QStringLiteral("30"), QStringLiteral("40")};
    for (auto& info : s.g_aPlayerInfo) {
        std::array<bool, 4>* taken = info.sex == 1   ? &s.g_aMaleVoiceTaken
                                     : info.sex == 0 ? &s.g_aFemaleVoiceTaken
                                                     : nullptr;
        if (!taken) continue;
        int j = std::min(3, static_cast<int>(c.random.next() * 4));
        if ((*taken)[j]) {
            const auto free = std::find(taken->begin(), taken->end(), false);
            if (free != taken->end()) j = static_cast<int>(free - taken->begin());
        }
        (*taken)[j] = true;
        info.voiceCode = QStringLiteral("27");
        info.voiceId = VoiceIds[j];
        info.voiceSlot = info.sex != 0 ? 3 : 2;
    }
}

}  // namespace

int AvatarIndex(const QString& face, int wealthLevel) {
    int A = wealthLevel;
    if (face.size() == 2) {
        A = FaceDigit(face[1]) - 1;
    } else if (face.size() == 3) {
        A = 10 * FaceDigit(face[1]) + FaceDigit(face[2]) - 1;
    }
    if (A >= 10) A = 0;
    if (face.startsWith(QLatin1Char('w'))) A += 10;
    return A;
}

int WealthLevel(double gold) {
    if (gold < 20000) return 0;
    return gold < 60000 ? 1 : 2;
}

void HandlePlayerInfo(client::Client& c, state::Frame& message) {
    auto& s = c.s;
    auto& form = *c.MainForm;

    StopSeatChangeScreen(c);
    form.WebBrowser2.setVisible(false);
    const QString account = OneBytePerCharText(message, bytes::Account, bytes::AccountWidth);
    ++s.ID_num;

    if (s.custom[0].seat == 0) s.custom[0].seat = ReadByte(message, bytes::Seat) & 15;
    const std::uint8_t playerSeat = ReadByte(message, bytes::PlayerSeat) & 15;
    const int T = state::RelativeSeat(playerSeat, s.custom[0].seat);
    if (T == 0) s.g_aAnNiuState[ReadyButton] = false;
    ++s.Player_num;

    if (s.Player_num == 4 && !s.g_bHandStarted) {
        form.setWindowState(forms::WindowState::Normal);
        connection::MinimizeHall(c);
        form.setFocus();
    }

    if (T >= 1) props::PropsOnPlayerGone(c, static_cast<std::int16_t>(T));
    s.custom[T].name = account;
    if (T >= 1) s.custom[T].seat = playerSeat;

    if (T == 0 && !s.g_bLocalVideoOk) table::StartLocalCamera(c, 7 * s.g_fScaleX);

    state::PlayerInfo& info = s.g_aPlayerInfo[T];
    DecodePlayerInfo(info, message);
    const int L = WealthLevel(info.gold);

    if (props::PropsOnPlayerInfo(c, message, static_cast<std::int16_t>(T))) {
        form.Tou[T].setVisible(false);
        form.Tou[T].setEnabled(false);
        if (T == 0 && s.g_bLocalVideoOk && c.g_oPropDll) {
            c.g_oPropDll->rec_state(VideoPaneKind, false, LocalPane);
        }
    }

    connection::ShowResourcePicture(c, static_cast<std::int16_t>(FirstBadgePicture + L),
                                    form.OK[T]);
    if (ReadByte(message, bytes::Ready) == 1) {
        form.OK[T].setVisible(true);
        form.OK[T].zOrder(0);
    }
    if (form.OK[1].visible() && form.OK[2].visible() && form.OK[3].visible() && !s.g_bHandStarted) {
        table::ResetTableForNewHand(c);
        table::ResetPlayersOnLeave(c);
        s.Inited = true;
    }

    const int A = AvatarIndex(info.face, L);
    if (A < 0 || A > 19) {
        platform::fail(platform::RuntimeFailure::Kind::InvalidArgument, "Resource not found");
    }
    const auto avatarPicture = static_cast<std::int16_t>(FirstAvatarPicture + A);
    connection::ShowResourcePicture(c, avatarPicture, form.Tou[T]);

    form.Nid[T].setCaption(QStringLiteral("[") + info.tag + QStringLiteral("] ") + info.nickname);
    form.Cash[T].setCaption(QString::number(info.gold, 'f', 0) + QStringLiteral("金币"));
    form.Level[T].setCaption(info.levelTitle);
    form.Nid[T].zOrder(0);
    form.Cash[T].zOrder(0);
    form.Level[T].zOrder(0);

    c.Score->ID[T].setCaption(info.nickname);
    connection::ShowResourcePicture(c, avatarPicture, c.Score->Tou[T]);
    c.Hero->ID[T].setCaption(info.nickname);
    connection::ShowResourcePicture(c, avatarPicture, c.Hero->Tou[T]);
    s.g_aScoreHeads[T].avatarIndex = QString::number(A);
    s.g_aScoreHeads[T].nickname = info.nickname;

    if (T >= 1 && s.g_bVideoRequested) AskForSeatVideo(c, T);

    if (s.Player_num == 4 && !s.Inited) {
        table::ResetTableForNewHand(c);
        table::ResetPlayersOnLeave(c);
        s.Inited = true;
        form.Sysmsg[0].clear();
        form.Sysmsg[0].addItem(QStringLiteral("游戏将在15秒内开始"));
    }

    if (s.ID_num == 4) HandOutVoices(c);

    s.beishu = ReadInt32LE(message, bytes::Wealth);
    if (s.beishu != 0) {
        for (int k = 0; k <= 2; ++k) form.lbfont[k].setVisible(true);
        s.g_aSeatBeishu[T] = s.beishu;
        table::ShowWealthMultiplier(c, table::MinWealthMultiplier(c));
    } else {
        form.Imgwealth.setVisible(false);
        form.lbwealth.setVisible(false);
    }
}

}  // namespace dispatch
