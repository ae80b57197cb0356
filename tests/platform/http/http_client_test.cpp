// The HTTP client against a small web server on loopback, on a virtual-time scheduler: plain
// http through our own sockets (pages, error statuses, redirects, limits, silence, cancelling),
// and https through the network module.
#include "platform/http/http_client.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <chrono>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>

#include "platform/runtime/scheduler.h"
#include "support/fake_web_server.h"

namespace {

using namespace std::chrono_literals;
using platform::HttpGetOptions;
using platform::HttpResponse;
using support::FakeWebServer;

bool networkModuleLoaded() {
    std::ifstream maps("/proc/self/maps");
    std::stringstream text;
    text << maps.rdbuf();
    return text.str().find("libkorvash_qt_network") != std::string::npos;
}

class HttpClientTest : public ::testing::Test {
  protected:
    platform::Scheduler scheduler{platform::Scheduler::Mode::Virtual};
    std::unique_ptr<platform::HttpClient> client = platform::MakeHttpClient(scheduler);
    FakeWebServer server;
    std::unique_ptr<platform::HttpRequest> request;
    std::optional<HttpResponse> answer;
    int answers = 0;

    void get(const std::string& address, HttpGetOptions options = {}) {
        request = client->get(QUrl(QString::fromStdString(address)), options,
                              [this](HttpResponse response) {
                                  ++answers;
                                  answer = std::move(response);
                              });
    }

    // Our own client answers through the scheduler; the module through Qt's event loop.
    bool waitForAnswer() {
        return scheduler.pumpRealIo(
            [&] {
                QCoreApplication::processEvents();
                return answers > 0;
            },
            10s);
    }

    std::string path(const HttpResponse& response) const {
        return response.url.toString(QUrl::RemoveScheme | QUrl::RemoveAuthority).toStdString();
    }
};

// What a request ends in.
struct Ending {
    bool failed = false;
    bool tooLarge = false;
    int status = 0;
    std::string body;
    std::string path;  // of the address after redirects
    std::string contentType;
};

struct Case {
    const char* name;
    // Serves what the case needs and gives the address to get.
    std::function<std::string(FakeWebServer&)> address;
    HttpGetOptions options;
    Ending ending;
};

std::string chunkedReply(const std::string& chunks) {
    return "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nTransfer-Encoding: chunked\r\n\r\n" +
           chunks;
}

FakeWebServer::Page redirectTo(std::string location, int status = 302) {
    return {.status = status, .location = std::move(location)};
}

const Case kCases[] = {
    {"PageFetched",
     [](FakeWebServer& s) {
         s.serve("/page", {.contentType = "text/plain; charset=utf-8", .body = "hello"});
         return s.url("/page");
     },
     {},
     {.status = 200, .body = "hello", .path = "/page", .contentType = "text/plain; charset=utf-8"}},
    {"QueryKept",
     [](FakeWebServer& s) {
         s.serve("/ad?seat=3", {.body = "seat three"});
         return s.url("/ad?seat=3");
     },
     {},
     {.status = 200,
      .body = "seat three",
      .path = "/ad?seat=3",
      .contentType = "text/html; charset=utf-8"}},
    {"NotFound",
     [](FakeWebServer& s) { return s.url("/missing"); },
     {},
     {.failed = true,
      .status = 404,
      .path = "/missing",
      .contentType = "text/html; charset=utf-8"}},
    {"ServerError",
     [](FakeWebServer& s) {
         s.serve("/broken", {.status = 500, .body = "oops"});
         return s.url("/broken");
     },
     {},
     {.failed = true, .status = 500, .path = "/broken", .contentType = "text/html; charset=utf-8"}},
    {"RefusedPort",
     [](FakeWebServer&) { return FakeWebServer::refusedUrl("/page"); },
     {},
     {.failed = true, .path = "/page"}},
    {"NotWebAddress",
     [](FakeWebServer&) { return std::string("ftp://127.0.0.1/page"); },
     {},
     {.failed = true, .path = "/page"}},
    {"RedirectChain",
     [](FakeWebServer& s) {
         s.serve("/a", redirectTo("/b", 301));
         s.serve("/b", redirectTo("/c", 302));
         s.serve("/c", redirectTo("/d", 303));
         s.serve("/d", redirectTo("/e", 307));
         s.serve("/e", redirectTo(s.url("/page"), 308));
         s.serve("/page", {.body = "after five hops"});
         return s.url("/a");
     },
     {.maxRedirects = 5},
     {.status = 200,
      .body = "after five hops",
      .path = "/page",
      .contentType = "text/html; charset=utf-8"}},
    {"RelativeLocations",
     [](FakeWebServer& s) {
         s.serve("/dir/a", redirectTo("b"));
         s.serve("/dir/b", redirectTo("../top?x=1"));
         s.serve("/top?x=1", {.body = "top"});
         return s.url("/dir/a");
     },
     {},
     {.status = 200, .body = "top", .path = "/top?x=1", .contentType = "text/html; charset=utf-8"}},
    {"TooManyRedirects",
     [](FakeWebServer& s) {
         s.serve("/loop", redirectTo("/loop"));
         return s.url("/loop");
     },
     {.maxRedirects = 3},
     {.failed = true, .status = 302, .path = "/loop", .contentType = "text/html; charset=utf-8"}},
    {"RedirectToAnotherScheme",
     [](FakeWebServer& s) {
         s.serve("/away", redirectTo("ftp://127.0.0.1/file"));
         return s.url("/away");
     },
     {},
     {.failed = true, .path = "/file"}},
    {"RedirectWithoutLocationIsTheAnswer",
     [](FakeWebServer& s) {
         s.serve("/nowhere", {.status = 302, .body = "moved, but where"});
         return s.url("/nowhere");
     },
     {},
     {.status = 302,
      .body = "moved, but where",
      .path = "/nowhere",
      .contentType = "text/html; charset=utf-8"}},
    {"ChunkedReply",
     [](FakeWebServer& s) {
         s.serve("/chunks", {.raw = chunkedReply("4\r\nsome\r\n7\r\n chunks\r\n0\r\n\r\n")});
         return s.url("/chunks");
     },
     {},
     {.status = 200, .body = "some chunks", .path = "/chunks", .contentType = "text/plain"}},
    {"ReplyEndedByTheClose",
     [](FakeWebServer& s) {
         s.serve("/old", {.raw = "HTTP/1.0 200 OK\r\nContent-Type: image/gif\r\n\r\nGIF89a"});
         return s.url("/old");
     },
     {},
     {.status = 200, .body = "GIF89a", .path = "/old", .contentType = "image/gif"}},
    {"MalformedReply",
     [](FakeWebServer& s) {
         s.serve("/junk", {.raw = "<html>no status line</html>\r\n\r\n"});
         return s.url("/junk");
     },
     {},
     {.failed = true, .path = "/junk"}},
    {"ReplyCutShort",
     [](FakeWebServer& s) {
         s.serve("/short", {.raw = "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nonly this"});
         return s.url("/short");
     },
     {},
     {.failed = true, .path = "/short"}},
    {"SizeAnnouncedPastTheLimit",
     [](FakeWebServer& s) {
         s.serve("/big", {.body = std::string(100, 'x')});
         return s.url("/big");
     },
     {.maxBytes = 50},
     {.failed = true,
      .tooLarge = true,
      .status = 200,
      .path = "/big",
      .contentType = "text/html; charset=utf-8"}},
    {"ChunksGrowingPastTheLimit",
     [](FakeWebServer& s) {
         s.serve("/growing", {.raw = chunkedReply("20\r\n" + std::string(32, 'a') + "\r\n20\r\n" +
                                                  std::string(32, 'b') + "\r\n0\r\n\r\n")});
         return s.url("/growing");
     },
     {.maxBytes = 50},
     {.failed = true,
      .tooLarge = true,
      .status = 200,
      .path = "/growing",
      .contentType = "text/plain"}},
    {"BodyExactlyAtTheLimit",
     [](FakeWebServer& s) {
         s.serve("/fits", {.body = std::string(50, 'x')});
         return s.url("/fits");
     },
     {.maxBytes = 50},
     {.status = 200,
      .body = std::string(50, 'x'),
      .path = "/fits",
      .contentType = "text/html; charset=utf-8"}},
};

class PlainRequest : public HttpClientTest, public ::testing::WithParamInterface<Case> {};

TEST_P(PlainRequest, EndsOnceAsExpected) {
    get(GetParam().address(server), GetParam().options);
    EXPECT_EQ(answers, 0) << "nothing is answered inside get";
    ASSERT_TRUE(waitForAnswer());
    scheduler.advance(100);
    EXPECT_EQ(answers, 1);
    const Ending& want = GetParam().ending;
    EXPECT_EQ(answer->failed, want.failed);
    EXPECT_EQ(answer->tooLarge, want.tooLarge);
    // A failed answer keeps the HTTP status only where one came.
    if (!want.failed || want.status != 0) EXPECT_EQ(answer->status, want.status);
    EXPECT_EQ(answer->body.toStdString(), want.body);
    EXPECT_EQ(path(*answer), want.path);
    if (!want.failed) EXPECT_EQ(answer->contentType.toStdString(), want.contentType);
}

INSTANTIATE_TEST_SUITE_P(Http, PlainRequest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(HttpClientTest, TheRequestIsOneGetThatClosesItsConnection) {
    server.serve("/ad?seat=3", {.body = "ad"});
    get(server.url("/ad?seat=3#top"));
    ASSERT_TRUE(waitForAnswer());
    const std::string head = server.lastRequestHead("/ad?seat=3");
    EXPECT_TRUE(head.starts_with("GET /ad?seat=3 HTTP/1.1\r\n")) << head;
    EXPECT_NE(head.find("\r\nHost: 127.0.0.1:" + std::to_string(server.port()) + "\r\n"),
              std::string::npos)
        << head;
    EXPECT_NE(head.find("\r\nConnection: close\r\n"), std::string::npos) << head;
    EXPECT_NE(head.find("\r\nUser-Agent: "), std::string::npos) << head;
    EXPECT_NE(head.find("\r\nAccept: "), std::string::npos) << head;
    EXPECT_TRUE(head.ends_with("\r\n\r\n")) << head;
}

TEST_F(HttpClientTest, EachRedirectIsOneRequestAndTheLimitStopsTheLoop) {
    server.serve("/loop", redirectTo("/loop"));
    get(server.url("/loop"), {.maxRedirects = 3});
    ASSERT_TRUE(waitForAnswer());
    EXPECT_TRUE(answer->failed);
    EXPECT_EQ(server.requestCount("/loop"), 4) << "the first request and three redirects";
}

TEST_F(HttpClientTest, ATransferSilentPastItsTimeoutFailsOnTheSchedulersClock) {
    server.serve("/silent", {.body = "late", .delay = 60s});
    get(server.url("/silent"), {.transferTimeoutMs = 5000});
    scheduler.advance(4900);
    EXPECT_EQ(answers, 0) << "still within its time";
    scheduler.advance(200);
    ASSERT_EQ(answers, 1);
    EXPECT_TRUE(answer->failed);
    EXPECT_EQ(answer->status, 0);
}

TEST_F(HttpClientTest, WithoutATimeoutASilentTransferWaits) {
    server.serve("/silent", {.body = "late", .delay = 60s});
    get(server.url("/silent"));
    scheduler.advance(10 * 60 * 1000);
    EXPECT_EQ(answers, 0);
}

TEST_F(HttpClientTest, ADestroyedRequestNeverAnswers) {
    server.serve("/slow", {.body = "slow", .delay = 300ms});
    get(server.url("/slow"));
    request.reset();
    EXPECT_FALSE(scheduler.pumpRealIo([&] { return answers > 0; }, 800ms));
    EXPECT_EQ(answers, 0);
}

TEST_F(HttpClientTest, ARequestDestroyedInsideAnothersAnswerNeverAnswers) {
    // Two servers, so that neither request waits for the other; whichever answers first drops
    // the other, whose answer may already be on its way.
    FakeWebServer other;
    server.serve("/one", {.body = "one"});
    other.serve("/two", {.body = "two"});
    std::unique_ptr<platform::HttpRequest> first;
    std::unique_ptr<platform::HttpRequest> second;
    std::vector<std::string> heard;
    first = client->get(QUrl(QString::fromStdString(server.url("/one"))), {},
                        [&](HttpResponse response) {
                            heard.push_back(response.body.toStdString());
                            second.reset();
                        });
    second = client->get(QUrl(QString::fromStdString(other.url("/two"))), {},
                         [&](HttpResponse response) {
                             heard.push_back(response.body.toStdString());
                             first.reset();
                         });
    ASSERT_TRUE(scheduler.pumpRealIo([&] { return !heard.empty(); }, 10s));
    scheduler.pumpRealIo([] { return false; }, 300ms);
    EXPECT_EQ(heard.size(), 1u);
}

TEST_F(HttpClientTest, ARequestMayBeDestroyedInsideItsOwnAnswer) {
    server.serve("/page", {.body = "page"});
    request = client->get(QUrl(QString::fromStdString(server.url("/page"))), {},
                          [&](HttpResponse response) {
                              request.reset();
                              answer = std::move(response);
                              ++answers;
                          });
    ASSERT_TRUE(waitForAnswer());
    EXPECT_EQ(answer->body, "page");
}

TEST_F(HttpClientTest, PlainHttpLeavesTheNetworkModuleUnloaded) {
    if (networkModuleLoaded()) GTEST_SKIP() << "an earlier test of this process loaded it";
    server.serve("/page", {.body = "page"});
    get(server.url("/page"));
    ASSERT_TRUE(waitForAnswer());
    EXPECT_FALSE(answer->failed);
    EXPECT_FALSE(networkModuleLoaded());
}

// https goes to the network module: an address nothing listens on fails cleanly there, and a
// redirect from http to https is handed over to it.
TEST_F(HttpClientTest, HttpsGoesToTheNetworkModuleAndFailsCleanly) {
    const QUrl refused(QString::fromStdString(FakeWebServer::refusedUrl("/page")));
    QUrl secure = refused;
    secure.setScheme("https");
    get(secure.toString().toStdString(), {.maxRedirects = 5, .transferTimeoutMs = 5000});
    EXPECT_EQ(answers, 0);
    ASSERT_TRUE(waitForAnswer());
    EXPECT_TRUE(answer->failed);
    EXPECT_TRUE(answer->body.isEmpty());
    EXPECT_TRUE(networkModuleLoaded());
}

TEST_F(HttpClientTest, ARedirectFromHttpToHttpsIsHandedToTheNetworkModule) {
    QUrl secure(QString::fromStdString(FakeWebServer::refusedUrl("/secure")));
    secure.setScheme("https");
    server.serve("/hop", redirectTo(secure.toString().toStdString()));
    get(server.url("/hop"), {.maxRedirects = 5, .transferTimeoutMs = 5000});
    ASSERT_TRUE(waitForAnswer());
    EXPECT_EQ(server.requestCount("/hop"), 1);
    EXPECT_TRUE(answer->failed);
    EXPECT_EQ(answer->url.scheme(), "https");
    EXPECT_TRUE(networkModuleLoaded());
}

}  // namespace
