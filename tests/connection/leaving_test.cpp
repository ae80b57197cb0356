#include "connection/leaving.h"

#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <fstream>

#include "chat/huifu.h"
#include "client_loading.h"
#include "connection/exit_dialogs.h"
#include "platform/forms/render.h"
#include "platform/forms/testing/driver.h"
#include "table_session.h"
#include "video/video_component.h"

namespace {

using forms::testing::click;

class Leaving : public ::testing::Test {
  protected:
    testing_session::TableSession session;
    client::Client& c() { return *session.c; }
    std::filesystem::path programFolder() { return session.harness.env.programFolder; }
};

struct LeaveCase {
    const char* name;
    bool connected;
    std::size_t leaveFrames;
};

class ConfirmingTheExitDialog : public Leaving, public ::testing::WithParamInterface<LeaveCase> {};

TEST_P(ConfirmingTheExitDialog, SendsOneLeaveFrameOnlyWhileConnected) {
    const LeaveCase& k = GetParam();
    session.startDirect();
    c().s.custom[0].seat = 4;
    if (!k.connected) {
        session.server.dropConnection();
        ASSERT_TRUE(session.waitForClientClosed());
    }
    c().frmExit->show();
    click(c().frmExit->pbCloseMe);
    session.time().pumpRealIo([] { return false; }, std::chrono::milliseconds(200));

    const auto frames = session.server.frames();
    ASSERT_EQ(frames.size(), 1 + k.leaveFrames);
    if (k.leaveFrames == 1) {
        state::Frame expected{};
        expected[3] = 16;
        expected[6] = 4;
        expected[15] = 0;
        EXPECT_EQ(frames[1], expected);
    }
    EXPECT_EQ(session.table().Winsock1.state(), platform::SocketState::Closed);
    EXPECT_TRUE(session.server.waitForNoClient());
    EXPECT_FALSE(c().frmExit.isLoaded());
    EXPECT_EQ(session.table().windowState(), forms::WindowState::Minimized);
    EXPECT_FALSE(session.harness.desktop.isMinimised(session.harness.hall));
    EXPECT_FALSE(session.table().TimerBong.enabled() && session.table().TimerKeepAlive.enabled());
    EXPECT_FALSE(c().s.channels.check[state::ChannelDisconnect]);
}

INSTANTIATE_TEST_SUITE_P(, ConfirmingTheExitDialog,
                         ::testing::Values(LeaveCase{"Connected", true, 1},
                                           LeaveCase{"Disconnected", false, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

struct WarningCase {
    bool gameRunning;
    bool spectator;
    bool warned;
};

class EscapeWarning : public Leaving, public ::testing::WithParamInterface<WarningCase> {};

TEST_P(EscapeWarning, ShowsOnlyWhileAGameRunsForAPlayer) {
    const WarningCase& k = GetParam();
    session.startIdle();
    c().s.g_bGameRunning = k.gameRunning;
    c().s.g_bSpectator = k.spectator;
    auto& dialog = *c().frmExit;
    EXPECT_EQ(dialog.Label2.visible(), k.warned);
    EXPECT_EQ(dialog.Label2.caption(), QStringLiteral("游戏正在进行，逃跑会扣分！"));
}

INSTANTIATE_TEST_SUITE_P(, EscapeWarning,
                         ::testing::Values(WarningCase{true, false, true},
                                           WarningCase{true, true, false},
                                           WarningCase{false, false, false},
                                           WarningCase{false, true, false}));

// Notes the relay slots closed, and the panes of every remote seat as each slot closes.
class PaneWatchingRelay final : public video::P2PSocket {
  public:
    explicit PaneWatchingRelay(client::MainForm& form) : form_(form) {}
    std::vector<std::int16_t> closedSlots;
    std::vector<bool> paneShowingAtClose;
    void ServerLogout() override {}
    void CloseSlot(std::int16_t& slot) override {
        closedSlots.push_back(slot);
        paneShowingAtClose.push_back(form_.vshow1[slot].Visible || form_.PicLocal[slot].visible() ||
                                     form_.ImgKuang[slot].visible() ||
                                     form_.ImgShow[slot].visible());
    }
    QString UserID(std::int16_t&) override { return {}; }
    std::int16_t SlotState(std::int16_t&) override { return 0; }
    void RequestVideo(std::int16_t&, QString&) override {}
    void SendFormat(std::int16_t&, std::int32_t) override {}
    void SendMode(std::int16_t&, std::int16_t) override {}
    void SendFrame(std::int16_t&, const QByteArray&) override {}

  private:
    client::MainForm& form_;
};

TEST_F(Leaving, QuittingTakesDownEachRemoteSeatsPanesThenItsRelaySlot) {
    session.startIdle();
    auto& form = session.table();
    auto relay = std::make_unique<PaneWatchingRelay>(form);
    PaneWatchingRelay& watched = *relay;
    form.P2PSocket1 = std::move(relay);
    form.PicLocal[0].setVisible(true);  // the local camera's preview
    for (int k = 1; k <= 3; ++k) {
        form.vshow1[k].Visible = true;
        form.PicLocal[k].setVisible(true);
        form.ImgKuang[k].setVisible(true);
        form.ImgShow[k].setVisible(true);
    }

    connection::QuitTable(c());

    EXPECT_EQ(watched.closedSlots, (std::vector<std::int16_t>{1, 2, 3}));
    EXPECT_EQ(watched.paneShowingAtClose, (std::vector<bool>{false, false, false}));
    EXPECT_TRUE(form.PicLocal[0].visible());
}

struct QuickPhraseCase {
    const char* name;
    bool loaded;
    bool showing;
    bool loadedAfter;
};

class QuickPhrasesAtTheExit : public Leaving,
                              public ::testing::WithParamInterface<QuickPhraseCase> {};

// A showing quick-phrase window goes, so that its next use reads the phrase file again; a
// hidden one stays loaded, and one never opened is not opened by leaving.
TEST_P(QuickPhrasesAtTheExit, ConfirmingUnloadsTheWindowOnlyWhenItShows) {
    const QuickPhraseCase& k = GetParam();
    session.startIdle();
    if (k.loaded) c().huifu->setVisible(k.showing);
    c().frmExit->show();
    click(c().frmExit->pbCloseMe);
    EXPECT_EQ(c().huifu.isLoaded(), k.loadedAfter);
    EXPECT_FALSE(c().frmExit.isLoaded());
}

INSTANTIATE_TEST_SUITE_P(, QuickPhrasesAtTheExit,
                         ::testing::Values(QuickPhraseCase{"Showing", true, true, false},
                                           QuickPhraseCase{"Hidden", true, false, true},
                                           QuickPhraseCase{"NeverOpened", false, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Leaving, LeavingDeletesTheHandHistoryFileWhenThereIsOne) {
    session.startIdle();
    const auto history = programFolder() / "info.brm";
    const auto other = programFolder() / "info.brm.old";
    std::ofstream(history) << "[hand]\n";
    std::ofstream(other) << "kept\n";
    connection::ResetTableState(c());
    EXPECT_FALSE(std::filesystem::exists(history));
    EXPECT_TRUE(std::filesystem::exists(other));
    // Without the file, leaving goes on as usual.
    connection::ResetTableState(c());
    EXPECT_EQ(session.table().windowState(), forms::WindowState::Minimized);
}

TEST_F(Leaving, LeavingEmptiesTheSeatsProfilesButKeepsAccountTagVoicesAndSpares) {
    session.startIdle();
    state::PlayerInfo full;
    full.nickname = "阿明";
    full.face = "w3";
    full.sex = 1;
    full.location = "北京";
    full.points = 1;
    full.credit = 2;
    full.gold = 3;
    full.spareAmounts = {4, 5, 6, 7};
    full.levelTitle = "长工";
    full.logins = 8;
    full.drops = 9;
    full.wins = 10;
    full.losses = 11;
    full.account = "ming";
    full.tag = "会员";
    full.voiceCode = "27";
    full.voiceId = "20";
    full.voiceSlot = 2;
    full.lastSpareAmount = 12;
    for (int i = 0; i < 4; ++i) {
        c().s.g_aPlayerInfo[i] = full;
        c().s.custom[i].name = "ming";
        c().s.custom[i].seat = 8;
    }

    connection::ResetTableState(c());

    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const state::PlayerInfo& info = c().s.g_aPlayerInfo[i];
        EXPECT_TRUE(info.nickname.isEmpty() && info.face.isEmpty() && info.location.isEmpty() &&
                    info.levelTitle.isEmpty());
        EXPECT_EQ(info.sex, 0);
        EXPECT_EQ(info.points + info.credit + info.gold, 0);
        EXPECT_EQ(info.logins + info.drops + info.wins + info.losses, 0);
        EXPECT_EQ(info.account, full.account);
        EXPECT_EQ(info.tag, full.tag);
        EXPECT_EQ(info.voiceCode, full.voiceCode);
        EXPECT_EQ(info.voiceId, full.voiceId);
        EXPECT_EQ(info.voiceSlot, full.voiceSlot);
        EXPECT_EQ(info.spareAmounts, full.spareAmounts);
        EXPECT_EQ(info.lastSpareAmount, full.lastSpareAmount);
        EXPECT_TRUE(c().s.custom[i].name.isEmpty());
        EXPECT_EQ(c().s.custom[i].seat, 0);
    }
}

TEST_F(Leaving, CancellingTheMessageDialogOnlyMarksTheTableClosed) {
    session.startDirect();
    c().s.custom[1].name = "east";
    c().s.g_bGameRunning = true;
    auto& notice = *c().frmOtherExit;
    notice.Label1.setCaption("桌子已关闭");
    notice.show();
    click(notice.imgCancel);
    EXPECT_TRUE(c().s.g_bTableClosed);
    EXPECT_FALSE(c().frmOtherExit.isLoaded());
    EXPECT_EQ(c().s.custom[1].name, "east");
    EXPECT_TRUE(c().s.g_bGameRunning);
    EXPECT_EQ(session.table().Winsock1.state(), platform::SocketState::Connected);
    EXPECT_NE(session.table().windowState(), forms::WindowState::Minimized);
}

TEST_F(Leaving, TheMessageDialogsOkReturnsToTheHallWithoutALeaveFrame) {
    session.startDirect();
    c().s.custom[0].seat = 2;
    click(c().frmOtherExit->imgOK);
    session.time().pumpRealIo([] { return false; }, std::chrono::milliseconds(200));
    EXPECT_EQ(session.server.frameCount(), 1u);
    EXPECT_EQ(session.table().Winsock1.state(), platform::SocketState::Closed);
    EXPECT_EQ(c().s.custom[0].seat, 0);
    EXPECT_FALSE(c().frmOtherExit.isLoaded());
    EXPECT_EQ(session.table().windowState(), forms::WindowState::Minimized);
    EXPECT_FALSE(session.harness.desktop.isMinimised(session.harness.hall));
}

TEST_F(Leaving, WithTheHallClosedConfirmingTheExitEndsTheClient) {
    session.startDirect();
    session.harness.desktop.closeWindow(session.harness.hall);
    c().frmExit->show();
    EXPECT_THROW(click(c().frmExit->pbCloseMe), platform::ProgramEnd);
    EXPECT_TRUE(session.time().hasEnded());
}

// Renders both dialogs for a look: build/test-tmp/screens/frmExit.png and frmOtherExit.png.
TEST_F(Leaving, TheExitDialogsRenderWithTheirTextsAndButtons) {
    support::ensureApplication();
    session.startIdle();
    c().s.g_bGameRunning = true;
    auto& exitDialog = *c().frmExit;
    auto& notice = *c().frmOtherExit;
    notice.Label1.setCaption(QStringLiteral("网络已断开,请退出大厅重新登陆游戏"));
    const char* base = std::getenv("KORVASH_TEST_TMP");
    const auto folder = std::filesystem::path(base && *base ? base : "/tmp") / "screens";
    std::filesystem::create_directories(folder);
    for (forms::Form* dialog :
         {static_cast<forms::Form*>(&exitDialog), static_cast<forms::Form*>(&notice)}) {
        const QImage image = forms::renderWindow(*dialog);
        EXPECT_EQ(image.size(), QSize(280, 150));
        const auto name = folder / (dialog == &exitDialog ? "frmExit.png" : "frmOtherExit.png");
        EXPECT_TRUE(image.save(QString::fromStdString(name.string())));
    }
    EXPECT_FALSE(exitDialog.pbCloseMe.picture().isEmpty());
    EXPECT_FALSE(exitDialog.pbCancel.picture().isEmpty());
    EXPECT_EQ(exitDialog.pbCloseMe.width(), 65);
    EXPECT_EQ(notice.imgOK.width(), 70);
    EXPECT_EQ(exitDialog.alpha(), 200);
}

}  // namespace
