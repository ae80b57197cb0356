// The GIF control's reads of web addresses, through the HTTP client, against a small HTTP
// server on loopback: the bytes or an error status reach the handlers once, and a cancelled or
// replaced read never answers.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "anigif/async_read.h"
#include "platform/runtime/scheduler.h"
#include "support/fake_web_server.h"

namespace {

using support::FakeWebServer;

class NetworkReader : public ::testing::Test {
  protected:
    platform::Scheduler scheduler{platform::Scheduler::Mode::Virtual};
    std::unique_ptr<anigif::AsyncReader> reader = anigif::makeNetworkAsyncReader(scheduler);
    FakeWebServer server;
    std::vector<std::string> heard;

    anigif::AsyncReader::Handlers handlers() {
        return {[this](const QString& name, int status) {
                    heard.push_back(name.toStdString() + " status " + std::to_string(status));
                },
                [this](const QString& name, const QByteArray& bytes) {
                    heard.push_back(name.toStdString() + " " + bytes.toStdString());
                }};
    }

    bool read(const std::string& path, const QString& name) {
        return reader->AsyncRead(QString::fromStdString(server.url(path)), name, false, handlers());
    }

    // Answers come through the scheduler, in real time on loopback.
    void waitForAnswers(std::size_t count) {
        scheduler.pumpRealIo([&] { return heard.size() >= count; }, std::chrono::seconds(10));
    }
};

TEST_F(NetworkReader, BytesAndErrorsReachTheHandlersOnce) {
    server.serve("/anim.gif", {.contentType = "image/gif", .body = "GIF89a-bytes"});
    ASSERT_TRUE(read("/anim.gif", "first"));
    ASSERT_TRUE(read("/missing.gif", "second"));
    waitForAnswers(2);
    std::sort(heard.begin(), heard.end());
    EXPECT_EQ(heard, (std::vector<std::string>{"first GIF89a-bytes", "second status 0"}));
}

// A picture past the size limit is a failed read; one of exactly the limit arrives whole.
TEST_F(NetworkReader, APictureLargerThanTheLimitIsAFailedRead) {
    const std::string whole(std::size_t(anigif::kMostWebPictureBytes), 'g');
    server.serve("/limit.gif", {.body = whole});
    server.serve("/past.gif", {.body = whole + "g"});
    std::vector<std::string> sizes;
    const anigif::AsyncReader::Handlers bySize{
        [&](const QString& name, int status) {
            sizes.push_back(name.toStdString() + " status " + std::to_string(status));
        },
        [&](const QString& name, const QByteArray& bytes) {
            sizes.push_back(name.toStdString() + " " + std::to_string(bytes.size()) + " bytes");
        }};
    ASSERT_TRUE(reader->AsyncRead(QString::fromStdString(server.url("/limit.gif")), "limit", false,
                                  bySize));
    ASSERT_TRUE(
        reader->AsyncRead(QString::fromStdString(server.url("/past.gif")), "past", false, bySize));
    scheduler.pumpRealIo([&] { return sizes.size() >= 2; }, std::chrono::seconds(20));
    std::sort(sizes.begin(), sizes.end());
    EXPECT_EQ(sizes, (std::vector<std::string>{"limit " + std::to_string(whole.size()) + " bytes",
                                               "past status 0"}));
}

TEST_F(NetworkReader, ACancelledOrReplacedReadNeverAnswers) {
    server.serve("/slow.gif", {.body = "old", .delay = std::chrono::milliseconds(300)});
    server.serve("/new.gif", {.body = "new"});
    ASSERT_TRUE(read("/slow.gif", "cancelled"));
    reader->CancelAsyncRead("cancelled");
    ASSERT_TRUE(read("/slow.gif", "replaced"));
    ASSERT_TRUE(read("/new.gif", "replaced"));
    waitForAnswers(1);
    // Past the slow page's answer.
    scheduler.pumpRealIo([] { return false; }, std::chrono::milliseconds(600));
    EXPECT_EQ(heard, (std::vector<std::string>{"replaced new"}));
}

TEST_F(NetworkReader, AddressesOtherThanWebAndFilesAreRefused) {
    EXPECT_FALSE(reader->AsyncRead("ftp://127.0.0.1/a.gif", "ftp", false, handlers()));
    EXPECT_FALSE(reader->AsyncRead("file:///no/such/file.gif", "none", false, handlers()));
}

}  // namespace
