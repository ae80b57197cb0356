#include "props/props.h"

#include "client/client.h"
#include "client/main_form.h"
#include "connection/send_queue.h"
#include "platform/files/dir_lookup.h"
#include "platform/files/windows_path.h"
#include "platform/runtime/failure.h"
#include "props/bao_show.h"
#include "props/prop_library.h"
#include "settlement/show_settlement.h"

namespace props {

namespace {

constexpr std::size_t kPropAllowedByte = 255;

// The chest layout passes when every array has the bounds the show indexes and the count-up
// can run: a timer interval of 1..65535 ms and at least one tick.
std::optional<BaoLayout> CheckBaoInfo(const BaoInfo& in) {
    if (in.g_aBaoPos.size() != 15 || in.g_aBaoCentre.size() != 2 || in.g_aBaoSeatPos.size() != 4 ||
        in.g_aBaoLabelPos.size() != 2 || in.g_aBaoTiming.size() != 2 ||
        in.g_aBaoClosedSize.size() != 2 || in.g_aBaoOpenSize.size() != 2) {
        return std::nullopt;
    }
    if (in.g_aBaoTiming[0] < 1 || in.g_aBaoTiming[1] < 1) return std::nullopt;
    for (const auto* size : {&in.g_aBaoClosedSize, &in.g_aBaoOpenSize}) {
        if ((*size)[0] < 0 || (*size)[1] < 0) return std::nullopt;
    }
    BaoLayout out;
    std::copy(in.g_aBaoPos.begin(), in.g_aBaoPos.end(), out.g_aBaoPos.begin());
    std::copy(in.g_aBaoCentre.begin(), in.g_aBaoCentre.end(), out.g_aBaoCentre.begin());
    std::copy(in.g_aBaoSeatPos.begin(), in.g_aBaoSeatPos.end(), out.g_aBaoSeatPos.begin());
    std::copy(in.g_aBaoLabelPos.begin(), in.g_aBaoLabelPos.end(), out.g_aBaoLabelPos.begin());
    std::copy(in.g_aBaoTiming.begin(), in.g_aBaoTiming.end(), out.g_aBaoTiming.begin());
    std::copy(in.g_aBaoClosedSize.begin(), in.g_aBaoClosedSize.end(), out.g_aBaoClosedSize.begin());
    std::copy(in.g_aBaoOpenSize.begin(), in.g_aBaoOpenSize.end(), out.g_aBaoOpenSize.begin());
    out.g_oBaoClosedPic = forms::Picture(in.g_oBaoClosedPic);
    out.g_oBaoOpenPic = forms::Picture(in.g_oBaoOpenPic);
    return out;
}

QString LibraryPath(const client::Client& c) {
    return c.App_Path() + QString::fromUtf16(PropLibraryPath);
}

void CreatePlugin(client::Client& c) {
    PropLoadResult loaded = CreatePropObject(platform::mapWindowsPath(LibraryPath(c)));
    c.g_oPropDll = std::move(loaded.object);
}

// Steps 3 on of loading, with the object in hand; a throw leaves the state as it then is.
bool LoadWithObject(client::Client& c) {
    auto& s = c.s;
    auto& form = *c.MainForm;
    s.g_nPropHandCount = 0;
    if (!c.g_oPropDll || !s.g_bLoggedIn) {
        s.g_nPropState = -1;
        return false;
    }
    s.g_nPropState = -1;
    std::int16_t layout = s.g_fScaleY == 1.0f ? 1 : 2;
    QString kind = QStringLiteral("DLL");
    QString game = QStringLiteral("fourgame");
    if (!c.g_oPropDll->Initdll(s.g_sPropUser, s.g_sPropPassword, kind, form.hWnd.value, game,
                               *c.g_oPropDll, std::nullopt, layout, s.g_nPropParam)) {
        s.g_bPropRunning = false;
        s.g_nPropState = 0;
        c.g_oPropDll.reset();
        return false;
    }
    BaoInfo info;
    const bool chests = c.g_oPropDll->GetBaoInfo(info);
    const std::optional<BaoLayout> layoutChecked = chests ? CheckBaoInfo(info) : std::nullopt;
    // Chests whose layout the show cannot use are no chests at all.
    if (layoutChecked) c.propShow.layout = *layoutChecked;
    s.g_nPropState = layoutChecked ? 2 : 1;
    form.ImgProp[0].setVisible(false);
    form.ImgProp[0].setEnabled(false);
    for (int k = 1; k <= 14; ++k) {
        if (!form.ImgProp.exists(k)) form.ImgProp.load(k);
        form.ImgProp[k].setVisible(false);
        form.ImgProp[k].setEnabled(false);
    }
    s.g_bPropRunning = true;
    return true;
}

}  // namespace

bool InitGameDll(client::Client& c) {
    auto& s = c.s;
    try {
        auto& form = *c.MainForm;
        form.Bank.setVisible(true);
        form.Bank.zOrder(0);
        form.setKeyPreview(true);
        c.propShow.g_aBaoNames = {};
        if (!c.g_oPropDll && s.g_nPropState == 0) {
            if (!s.g_bLoggedIn || platform::firstMatchingFileName(LibraryPath(c)).isEmpty()) {
                s.g_nPropState = -1;
                return false;
            }
            CreatePlugin(c);
        }
        return LoadWithObject(c);
    } catch (const platform::ProgramEnd&) {
        throw;
    } catch (...) {
        // Any failure, the client's or one the plug-in throws, is a failed load.
        return false;
    }
}

void ExitGameDll(client::Client& c, std::int16_t& code, HeldSettlement held) {
    auto& s = c.s;
    if (s.g_nPropState < 1) return;
    // Taken first: unloading stops the show that would have released it.
    const bool release = held == HeldSettlement::Release && code != 1 && c.propShow.settlementHeld;
    if (!release) c.propShow.settlementHeld = false;
    if (c.g_oPropDll) c.g_oPropDll->InitExit(code);
    s.g_nPropState = 0;
    s.g_bPropRunning = false;
    auto& form = *c.MainForm;
    form.TimerProp.setEnabled(false);
    EndBaoShow(c);
    c.propShow.g_bPropTextShown = false;
    for (int k = 1; k <= 14; ++k) {
        if (form.ImgProp.exists(k)) form.ImgProp.unload(k);
    }
    form.ImgProp[0].setVisible(false);
    form.ImgProp[0].setEnabled(false);
    form.LbProp.setCaption({});
    form.LbProp.setVisible(false);
    if (release) {
        s.g_bScorePending = false;
        ReleaseHeldSettlement(c);
    }
}

bool PropsOnPlayerInfo(client::Client& c, const state::Frame& message, std::int16_t seat) {
    auto& s = c.s;
    if (seat < 0 || seat > 3) return false;
    if (message[kPropAllowedByte] != 0 || s.g_nPropAllowed != 1) {
        s.g_nPropState = -1;
    } else if (s.g_nPropState == 0) {
        InitGameDll(c);
    }
    const state::PlayerInfo& info = s.g_aPlayerInfo[seat];
    if (!c.g_oPropDll || info.gold <= 0 || s.g_nPropState < 1) return false;
    QString nickname = info.nickname;
    QString account = s.custom[seat].name;
    std::uint8_t seatFlag = s.custom[seat].seat;
    std::int16_t relative = seat;
    std::uint8_t sex = info.sex;
    QString tag = info.tag;
    QString face = info.face;
    if (!c.g_oPropDll->SetUserinfo(nickname, account, seatFlag, relative, info.credit != 0, sex,
                                   tag, face)) {
        std::int16_t code = 0;
        ExitGameDll(c, code);
        s.g_nPropState = -1;
    }
    return true;
}

void PropsOnPlayerGone(client::Client& c, std::int16_t seat) {
    if (c.s.g_nPropState > 0 && c.g_oPropDll) c.g_oPropDll->ClearUser(seat);
}

void HoldResultFrame(client::Client& c, const state::Frame& message) {
    c.s.g_aHeldResultFrame = message;
    c.propShow.settlementHeld = true;
}

void ReleaseHeldSettlement(client::Client& c) {
    if (!c.propShow.settlementHeld) return;
    c.propShow.settlementHeld = false;
    settlement::ShowSettlement(c, c.s.g_aHeldResultFrame);
}

void SendHeldPropFrames(client::Client& c) {
    auto& s = c.s;
    const std::pair<state::Frame*, bool> held[] = {{&s.g_aHeldPropFrameA, s.g_bHoldPropFrameA},
                                                   {&s.g_aHeldPropFrameB, s.g_bHoldPropFrameB}};
    for (const auto& [frame, holding] : held) {
        // A frame whose hold is still on stays parked.
        if ((*frame)[state::FrameTypeByte] == 0 || holding) continue;
        state::Frame out = *frame;
        connection::QueueOutgoingMessage(s, out);
        (*frame)[state::FrameTypeByte] = 0;
    }
    s.g_bHoldPropFrameB = false;
}

void ResetPropShow(client::Client& c) {
    auto& s = c.s;
    auto& form = *c.MainForm;
    form.ImgProp.forEach([](int, forms::Image& chest) {
        if (chest.visible() || chest.enabled()) {
            chest.setVisible(false);
            chest.setEnabled(false);
        }
    });
    if (form.LbProp.visible()) {
        form.LbProp.setCaption({});
        form.LbProp.setVisible(false);
    }
    if (s.g_nPropState > 0 && c.g_oPropDll) c.g_oPropDll->InitShowNext(true);
    s.g_aScoreLines = {};
    s.g_aPrizeAmount = {};
}

void AskPlayerVideo(client::Client& c, std::int16_t seat) {
    auto& p = c.propShow;
    if (p.g_bPropVideoAsked || c.s.g_nPropState <= 0 || !c.g_oPropDll) return;
    p.g_bPropVideoAsked = true;
    if (c.g_oPropDll->ShowBrmVideo(seat, true, 0)) p.g_nPropVideoSeat = std::int16_t(seat + 1);
}

void ReleasePlayerVideo(client::Client& c) {
    auto& p = c.propShow;
    p.g_bPropVideoAsked = false;
    if (p.g_nPropVideoSeat >= 1 && p.g_nPropVideoSeat <= 4) {
        // Only a loaded plug-in is asked to end its video.
        if (c.s.g_nPropState > 0 && c.g_oPropDll) {
            c.g_oPropDll->ShowBrmVideo(std::int16_t(p.g_nPropVideoSeat - 1), false, 0);
        }
        p.g_nPropVideoSeat = 0;
    }
}

}  // namespace props

namespace client {

void MainForm::Bank_Click() {
    if (c.s.g_nPropState > 0 && c.g_oPropDll) c.g_oPropDll->setbankstate(0);
}

void MainForm::Bank_MouseMove(int, int, float, float) {
    // Resources 600 and 601 are not among the program's pictures: the button keeps its own.
}

}  // namespace client
