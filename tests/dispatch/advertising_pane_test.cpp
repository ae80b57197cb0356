// The advertising pane after an accepted login, against the fake game server and a small web
// server on loopback: the pane is navigated to the login answer's address and shows the page
// over its picture once the page is complete; a slow page holds up nothing of the table.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <chrono>
#include <memory>

#include "client/client.h"
#include "client/main_form.h"
#include "support/client_harness.h"
#include "support/fake_game_server.h"
#include "support/fake_web_server.h"
#include "support/server_frames.h"

namespace dispatch_test {
namespace {

using support::FrameType;

constexpr std::uint8_t kLogin = 18, kKeepAlive = 24;

void EnsureGuiApplication() {
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "test_dispatch";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

class AdvertisingPane : public ::testing::Test {
  protected:
    AdvertisingPane() { EnsureGuiApplication(); }

    std::unique_ptr<support::FakeGameServer> owned = support::FakeGameServer::onSignedPort();
    support::FakeGameServer& server = *owned;
    support::FakeWebServer web;
    support::ClientHarness harness;
    client::Client* c = nullptr;

    void logInWithAdvertising(const std::string& address) {
        harness.env.commandLine = support::ClientHarness::commandLine(
            {{4, QString::number(server.port())}, {6, QStringLiteral("0")}});
        c = &harness.make();
        (void)*c->MainForm;
        ASSERT_TRUE(server.waitForClient());
        harness.scheduler.advance(1000);
        ASSERT_TRUE(server.waitForFrames(1));
        ASSERT_EQ(FrameType(server.frames().front()), kLogin);
        server.send(support::BuildLoginReply({.loginResult = 1, .adUrl = address}));
        ASSERT_TRUE(harness.scheduler.pumpRealIo([&] { return c->s.g_aRecvRing.holdsFrame(); }));
        harness.scheduler.advance(200);
        ASSERT_TRUE(c->s.g_bLoggedIn);
    }

    // The page arrives through the client's scheduler, in real time on loopback.
    bool waitForPage() {
        auto& pane = c->MainForm->WebBrowser1;
        harness.scheduler.pumpRealIo(
            [&] { return c->s.g_vWeb1Failed || (!pane.busy() && pane.document()); },
            std::chrono::seconds(10));
        return !c->s.g_vWeb1Failed && !pane.busy() && pane.document();
    }
};

TEST_F(AdvertisingPane, AnAcceptedLoginShowsTheAdvertisingPageOverItsPicture) {
    web.serve("/table", {.body = "<body bgcolor=\"#2040c0\"><p>Korvash</p></body>"});
    logInWithAdvertising(web.url("/table"));
    auto& form = *c->MainForm;
    EXPECT_TRUE(form.WebBrowser1.visible()) << "shown at once, before the page is in";

    ASSERT_TRUE(waitForPage());
    EXPECT_EQ(web.requestCount("/table"), 1);
    EXPECT_TRUE(form.WebBrowser1.visible());
    EXPECT_EQ(form.WebBrowser1.left(), form.Bird.left() + 2);
    EXPECT_EQ(form.WebBrowser1.top(), form.Bird.top() + 2);
    EXPECT_EQ(form.Pic1.children().back(), &form.WebBrowser1) << "in front of the table";
    EXPECT_EQ(form.M_Dom_1, form.WebBrowser1.document());
    EXPECT_EQ(QColor(form.WebBrowser1.picture().image().pixel(2, 2)), QColor(0x20, 0x40, 0xc0));
    EXPECT_EQ(c->s.g_sShuffleAdUrl, QString::fromStdString(web.url("/table.gamead")));
}

TEST_F(AdvertisingPane, AMissingPageHidesThePaneForTheRestOfTheRun) {
    logInWithAdvertising(web.url("/gone"));
    harness.scheduler.pumpRealIo([&] { return bool(c->s.g_vWeb1Failed); },
                                 std::chrono::seconds(10));
    EXPECT_TRUE(c->s.g_vWeb1Failed);
    EXPECT_FALSE(c->MainForm->WebBrowser1.visible());
}

TEST_F(AdvertisingPane, ASlowPageHoldsUpNeitherTheTickNorTheKeepAlive) {
    web.serve("/slow", {.body = "<p>late</p>", .delay = std::chrono::milliseconds(1500)});
    logInWithAdvertising(web.url("/slow"));
    auto& pane = c->MainForm->WebBrowser1;
    server.clearFrames();
    // Five seconds of the table's time pass while the page is still on its way.
    harness.scheduler.advance(5000);
    ASSERT_TRUE(server.waitForFrames(1));
    EXPECT_EQ(FrameType(server.frames().back()), kKeepAlive);
    EXPECT_TRUE(pane.busy());
    EXPECT_FALSE(pane.document());
    ASSERT_TRUE(waitForPage());
}

}  // namespace
}  // namespace dispatch_test
