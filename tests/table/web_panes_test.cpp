// The table's two web panes against a small web server on loopback: the seat-change pane shows
// its page in front once the page is complete, and a failed navigation of either pane hides it
// for the rest of the run, whatever pages come after.
#include "table/web_panes.h"

#include <gtest/gtest.h>

#include <QImage>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>

#include "platform/forms/render.h"
#include "support/fake_web_server.h"
#include "table_fixture.h"

namespace table_test {
namespace {

using support::FakeWebServer;

// Navigations end through the table's scheduler, in real time on loopback.
bool WaitFor(LoadedTable& table, const std::function<bool()>& done) {
    return table.harness.scheduler.pumpRealIo(done, std::chrono::seconds(10));
}

class WebPanes : public ::testing::Test {
  protected:
    WebPanes() { EnsureApplication(); }
    LoadedTable table{Screen::Framed1280};
    FakeWebServer web;
    client::MainForm& form = table.form();
};

TEST_F(WebPanes, TheSeatChangePaneShowsItsPageInFront) {
    web.serve("/ad.gamead", {.body = "<body bgcolor=\"#c04020\"><p>seats</p></body>"});
    table.s().g_sShuffleAdUrl = QString::fromStdString(web.url("/ad.gamead"));
    table::ShowSeatChangePane(*table.c);
    EXPECT_TRUE(form.WebBrowser2.visible());
    ASSERT_TRUE(WaitFor(table, [&] { return form.M_Dom2 != nullptr; }));
    EXPECT_EQ(web.requestCount("/ad.gamead"), 1);
    EXPECT_TRUE(form.WebBrowser2.visible());
    EXPECT_EQ(form.Pic1.children().back(), &form.WebBrowser2);
    ASSERT_TRUE(form.M_Dom2->oncontextmenu);
    EXPECT_FALSE(form.M_Dom2->oncontextmenu()) << "the page's menu stays shut";
}

// The framed table with both panes showing, saved under the build folder for a look.
TEST(WebPanesShown, TheFramedTableDrawsBothPanesOverTheTable) {
    EnsureApplication();
    LoadedTable table(Screen::Framed1280, true);
    auto& form = table.form();
    FakeWebServer web;
    web.serve("/ad", {.body = "<body bgcolor=\"#2040c0\"><p><font color=\"white\">Korvash "
                              "advertising</font></p></body>"});
    web.serve("/ad.gamead", {.body = "<body bgcolor=\"#c04020\"><p><font color=\"white\">"
                                     "Seat change page</font></p></body>"});
    form.WebBrowser1.navigate(QString::fromStdString(web.url("/ad")));
    form.WebBrowser1.setVisible(true);
    // Under the seat-change picture, as the table's placement before a seat change puts it.
    form.WebBrowser2.move(form.ImgShuffle.left(), form.ImgShuffle.top() + form.ImgShuffle.height(),
                          form.ImgShuffle.width(), 2 * form.ImgShuffle.height());
    table.s().g_sShuffleAdUrl = QString::fromStdString(web.url("/ad.gamead"));
    table::ShowSeatChangePane(*table.c);
    ASSERT_TRUE(WaitFor(table, [&] { return form.M_Dom_1 && form.M_Dom2; }));

    const QImage shot = forms::renderWindow(form);
    ASSERT_FALSE(shot.isNull());
    const QPoint inAd = form.WebBrowser1.rectInForm().topLeft().toPoint() + QPoint(3, 3);
    const QPoint inSeats = form.WebBrowser2.rectInForm().topLeft().toPoint() + QPoint(3, 3);
    EXPECT_EQ(QColor(shot.pixel(inAd)), QColor(0x20, 0x40, 0xc0));
    EXPECT_EQ(QColor(shot.pixel(inSeats)), QColor(0xc0, 0x40, 0x20));

    const auto folder = std::filesystem::path(KORVASH_BUILD_DIR) / "screenshots";
    std::filesystem::create_directories(folder);
    EXPECT_TRUE(shot.save(QString::fromStdString((folder / "table-web-panes.png").string())));
}

struct Failure {
    const char* name;
    std::function<std::string(FakeWebServer&)> address;
};

const Failure kFailures[] = {
    {"NotFound", [](FakeWebServer& s) { return s.url("/missing"); }},
    {"ConnectionRefused", [](FakeWebServer&) { return FakeWebServer::refusedUrl("/ad"); }},
    {"NotHttp", [](FakeWebServer&) { return std::string("ftp://127.0.0.1/ad"); }},
};

class FailedPane : public WebPanes, public ::testing::WithParamInterface<Failure> {
  protected:
    void SetUp() override { web.serve("/good", {.body = "<p>good</p>"}); }
};

TEST_P(FailedPane, TheAdvertisingPaneHidesAndNoLaterPageShowsIt) {
    auto& pane = form.WebBrowser1;
    pane.setVisible(true);
    pane.navigate(QString::fromStdString(GetParam().address(web)));
    ASSERT_TRUE(WaitFor(table, [&] { return bool(table.s().g_vWeb1Failed); }));
    EXPECT_FALSE(pane.visible());
    const float left = pane.left();
    const float top = pane.top();

    pane.navigate(QString::fromStdString(web.url("/good")));
    ASSERT_TRUE(WaitFor(table, [&] { return pane.document() != nullptr; }));
    EXPECT_FALSE(pane.visible());
    EXPECT_EQ(pane.left(), left) << "not moved over its picture either";
    EXPECT_EQ(pane.top(), top);
}

TEST_P(FailedPane, TheSeatChangePaneHidesAndHidesAgainOnEveryLaterPage) {
    auto& pane = form.WebBrowser2;
    table.s().g_sShuffleAdUrl = QString::fromStdString(GetParam().address(web));
    table::ShowSeatChangePane(*table.c);
    ASSERT_TRUE(WaitFor(table, [&] { return table.s().g_bWeb2Failed; }));
    EXPECT_FALSE(pane.visible());

    table.s().g_sShuffleAdUrl = QString::fromStdString(web.url("/good"));
    table::ShowSeatChangePane(*table.c);
    EXPECT_TRUE(pane.visible()) << "the seat change shows it at once";
    ASSERT_TRUE(WaitFor(table, [&] { return pane.document() != nullptr; }));
    EXPECT_FALSE(pane.visible());
}

INSTANTIATE_TEST_SUITE_P(Pane, FailedPane, ::testing::ValuesIn(kFailures),
                         [](const ::testing::TestParamInfo<Failure>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace table_test
