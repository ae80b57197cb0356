// The web pane against a small HTTP server on loopback: what ends in a page and what ends in a
// navigation error, with the events in the order the window hears them.
#include "platform/web/web_browser.h"

#include <gmock/gmock.h>

#include <QBuffer>
#include <QImage>
#include <chrono>
#include <string>
#include <vector>

#include "platform/forms/forms.h"
#include "platform/runtime/scheduler.h"
#include "platform/web/page_document.h"
#include "support/fake_web_server.h"

namespace {

using support::FakeWebServer;
using ::testing::ElementsAre;

class PaneWindow : public forms::Form {
  public:
    explicit PaneWindow(forms::Forms& forms) : Form(forms) {
        move(0, 0, 6000, 4500);
        Pane.move(300, 300, 82 * 15, 80 * 15);
        Pane.onDownloadComplete = [this] { events.push_back("DownloadComplete"); };
        Pane.onDocumentComplete = [this] { events.push_back("DocumentComplete"); };
        Pane.onNavigateError = [this] { events.push_back("NavigateError"); };
    }
    web::WebBrowser Pane{*this, "Pane"};
    std::vector<std::string> events;
};

std::string RedPng(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

class WebBrowserTest : public ::testing::Test {
  protected:
    platform::Scheduler scheduler{platform::Scheduler::Mode::Virtual};
    forms::Forms forms{scheduler};
    PaneWindow& window = forms.create<PaneWindow>();
    FakeWebServer server;

    // The navigation ends through the scheduler, in real time on loopback.
    bool waitForEnd() {
        return scheduler.pumpRealIo([&] { return !window.events.empty() && !window.Pane.busy(); },
                                    std::chrono::seconds(10));
    }
};

TEST_F(WebBrowserTest, APageWithItsPictureEndsInDownloadThenDocumentComplete) {
    server.serve("/ad", {.body = "<html><head><title>Ad</title><script>document.write('run')"
                                 "</script></head><body><img src=\"/red.png\" width=\"40\" "
                                 "height=\"40\"></body></html>"});
    server.serve("/red.png", {.contentType = "image/png", .body = RedPng(40, 40)});

    window.Pane.navigate(QString::fromStdString(server.url("/ad")));
    EXPECT_TRUE(window.events.empty()) << "nothing is reported inside navigate";
    ASSERT_TRUE(waitForEnd());

    EXPECT_THAT(window.events, ElementsAre("DownloadComplete", "DocumentComplete"));
    EXPECT_EQ(server.requestCount("/red.png"), 1);
    ASSERT_TRUE(window.Pane.document());
    EXPECT_EQ(window.Pane.document()->page().title(), QStringLiteral("Ad"));
    // The picture is drawn into the pane's own picture at the pane's size.
    const QImage shown = window.Pane.picture().image();
    ASSERT_EQ(shown.size(), QSize(82, 80));
    EXPECT_EQ(QColor(shown.pixel(20, 20)), QColor(Qt::red));
}

TEST_F(WebBrowserTest, RedirectsAreFollowedAndTheFinalAddressIsShown) {
    server.serve("/a", {.status = 302, .location = "/b"});
    server.serve("/b", {.status = 301, .location = "/page"});
    server.serve("/page", {.body = "<p>after two hops</p>"});

    window.Pane.navigate(QString::fromStdString(server.url("/a")));
    ASSERT_TRUE(waitForEnd());
    EXPECT_THAT(window.events, ElementsAre("DownloadComplete", "DocumentComplete"));
    EXPECT_EQ(window.Pane.locationUrl(), QString::fromStdString(server.url("/page")));
}

// Every way a navigation fails: the pane hears NavigateError once and nothing else, and keeps
// what it showed before.
struct Failure {
    const char* name;
    std::function<std::string(FakeWebServer&)> address;
};

class NavigationFailure : public WebBrowserTest, public ::testing::WithParamInterface<Failure> {};

TEST_P(NavigationFailure, EndsInOneNavigateError) {
    window.Pane.navigate(QString::fromStdString(GetParam().address(server)));
    ASSERT_TRUE(waitForEnd());
    EXPECT_THAT(window.events, ElementsAre("NavigateError"));
    EXPECT_FALSE(window.Pane.document());
    EXPECT_TRUE(window.Pane.picture().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Pane, NavigationFailure,
    ::testing::Values(
        Failure{"NotFound", [](FakeWebServer& s) { return s.url("/missing"); }},
        Failure{"ServerError",
                [](FakeWebServer& s) {
                    s.serve("/broken", {.status = 500, .body = "oops"});
                    return s.url("/broken");
                }},
        Failure{"ConnectionRefused",
                [](FakeWebServer&) { return FakeWebServer::refusedUrl("/ad"); }},
        Failure{"FtpAddress", [](FakeWebServer&) { return std::string("ftp://127.0.0.1/ad"); }},
        Failure{"LocalFile", [](FakeWebServer&) { return std::string("file:///etc/hostname"); }},
        Failure{"NotAnAddress", [](FakeWebServer&) { return std::string("ads at the table"); }},
        Failure{"Empty", [](FakeWebServer&) { return std::string(); }},
        Failure{"EndlessRedirects",
                [](FakeWebServer& s) {
                    s.serve("/loop", {.status = 302, .location = "/loop"});
                    return s.url("/loop");
                }}),
    [](const ::testing::TestParamInfo<Failure>& info) { return std::string(info.param.name); });

TEST_F(WebBrowserTest, ASecondNavigationReplacesTheFirstWithoutItsEvents) {
    server.serve("/slow", {.body = "<p>slow</p>", .delay = std::chrono::milliseconds(300)});
    server.serve("/fast", {.body = "<p>fast</p>"});
    window.Pane.navigate(QString::fromStdString(server.url("/slow")));
    window.Pane.navigate(QStringLiteral("ftp://nowhere/"));
    ASSERT_TRUE(waitForEnd());
    EXPECT_THAT(window.events, ElementsAre("NavigateError"));
}

TEST_F(WebBrowserTest, ARightClickAsksThePagesHandlerAndOpensNoMenu) {
    server.serve("/ad", {.body = "<p>ad</p>"});
    window.Pane.navigate(QString::fromStdString(server.url("/ad")));
    ASSERT_TRUE(waitForEnd());
    int asked = 0;
    window.Pane.document()->oncontextmenu = [&] {
        ++asked;
        return true;
    };
    const QPointF inside = window.Pane.rectInForm().center();
    window.mouseDown(inside, 2);
    window.mouseUp(inside, 2);
    window.mouseDown(inside, 1);
    window.mouseUp(inside, 1);
    EXPECT_EQ(asked, 1);
}

}  // namespace
