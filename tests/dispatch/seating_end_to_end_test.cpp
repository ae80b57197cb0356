// Seating, the gold check and the table closing against the fake game server over loopback, on
// virtual time: four players fill the table on screen, removals for lack of gold, and the
// server closing the table.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <filesystem>

#include "client/client.h"
#include "client/main_form.h"
#include "connection/exit_dialogs.h"
#include "connection/hall_link.h"
#include "platform/forms/render.h"
#include "seating_fixture.h"
#include "support/loopback_table.h"

namespace dispatch_test {
namespace {

// Drawing the window needs the widgets' application; each test runs in a process of its own.
void EnsureWidgetApplication() {
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "test_dispatch";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
}

using support::BuildHandStart;
using support::BuildPlayerInfo;

class SeatingEndToEnd : public ::testing::Test, protected support::LoopbackTable {
  protected:
    void seatFourPlayers() {
        start();
        deliver(support::BuildLoginReply({.loginResult = 1}));
        ASSERT_TRUE(c->s.g_bLoggedIn);
        const char* accounts[] = {"me", "left", "across", "right"};
        const char* faces[] = {"m3", "w5", "m8", "w1"};
        for (int i = 0; i < 4; ++i) {
            auto fields = Seated(1, std::uint8_t(1 << i), accounts[i], 15000 + 20000 * i);
            fields.face = faces[i];
            fields.sex = i % 2 == 0 ? 1 : 0;
            fields.ready = i == 0 ? 0 : 1;
            fields.wealth = 2;
            deliver(BuildPlayerInfo(fields));
        }
        server.clearFrames();
    }
    std::vector<std::uint32_t> hallPosts() const {
        std::vector<std::uint32_t> messages;
        for (const auto& post : harness.desktop.posts(harness.hall))
            messages.push_back(post.message);
        return messages;
    }
    client::MainForm& form() { return *c->MainForm; }
    bool ringsEmpty() const {
        return c->s.g_aRecvRing.unread() == 0 && c->s.g_aSendRing.unread() == 0;
    }
};

TEST_F(SeatingEndToEnd, FourPlayerFramesMakeAFullTableOnScreen) {
    EnsureWidgetApplication();
    seatFourPlayers();
    EXPECT_EQ(c->s.Player_num, 4);
    EXPECT_TRUE(c->s.Inited);
    EXPECT_EQ(form().windowState(), forms::WindowState::Normal);
    // The three others were ready, so the table was prepared by their marks, not by the count.
    for (int k = 1; k <= 3; ++k) EXPECT_TRUE(form().OK[k].visible());
    EXPECT_EQ(form().Nid[3].caption(), QStringLiteral("[会] right-nick"));
    EXPECT_EQ(form().Cash[2].caption(), QStringLiteral("55000金币"));
    EXPECT_EQ(form().lbwealth.caption(), QStringLiteral("2"));

    const QImage shot = forms::renderWindow(form());
    ASSERT_FALSE(shot.isNull());
    const auto folder = std::filesystem::path(KORVASH_BUILD_DIR) / "screenshots";
    std::filesystem::create_directories(folder);
    EXPECT_TRUE(shot.save(QString::fromStdString((folder / "seated-table.png").string())));
}

TEST_F(SeatingEndToEnd, AnotherSeatsRemovalIsOnlyAnnounced) {
    seatFourPlayers();
    deliver(BuildHandStart({.startPhase = 3, .removedSeats = 2}));
    EXPECT_EQ(form().Sysmsg[0].list(0), QStringLiteral("玩家left-nick金币不够，退出游戏！"));
    EXPECT_EQ(form().Winsock1.state(), platform::SocketState::Connected);
    EXPECT_FALSE(c->frmOtherExit->visible());
}

TEST_F(SeatingEndToEnd, TheLocalRemovalClosesTheConnectionAndLeavesTheTable) {
    seatFourPlayers();
    deliver(BuildHandStart({.startPhase = 3, .removedSeats = 1, .seatChange = 1}));
    EXPECT_TRUE(c->frmOtherExit->visible());
    EXPECT_EQ(c->frmOtherExit->Label1.caption(),
              QStringLiteral("您的金币不够，请更换房间或充值后继续游戏！"));
    EXPECT_TRUE(server.waitForNoClient());
    EXPECT_NE(form().Winsock1.state(), platform::SocketState::Connected);
    EXPECT_TRUE(ringsEmpty());
    // The closing step closed the socket before the table was left: no leave frame follows.
    EXPECT_EQ(server.frameCount(), 0u);
    // The player's OK in the dialog returns to the hall.
    harness.desktop.clearRecords(harness.hall);
    c->frmOtherExit->imgOK_Click();
    EXPECT_EQ(harness.desktop.systemCommands(harness.hall),
              std::vector<platform::SystemCommand>{platform::SystemCommand::Restore});
}

TEST_F(SeatingEndToEnd, TheServerClosingTheTableLeavesTheChoiceToTheDialog) {
    seatFourPlayers();
    deliver(support::BuildTableClosed({.text = support::gbk(QStringLiteral("服务器维护"))}));
    EXPECT_EQ(c->frmOtherExit->Label1.caption(), QStringLiteral("服务器维护"));
    EXPECT_TRUE(c->frmOtherExit->visible());
    EXPECT_TRUE(server.waitForNoClient());
    EXPECT_TRUE(ringsEmpty());
    EXPECT_EQ(c->s.Player_num, 0);
    harness.desktop.clearRecords(harness.hall);
    c->frmOtherExit->imgOK_Click();
    EXPECT_EQ(harness.desktop.systemCommands(harness.hall),
              std::vector<platform::SystemCommand>{platform::SystemCommand::Restore});
    EXPECT_FALSE(harness.scheduler.hasEnded());
}

}  // namespace
}  // namespace dispatch_test
