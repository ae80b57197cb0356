#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>

#include "client_loading.h"
#include "connection/hall_link.h"
#include "connection/send_queue.h"
#include "platform/forms/form_view.h"
#include "platform/forms/render.h"

namespace {

using Post = platform::FakeDesktop::Post;

TEST(StartUpEndToEnd, ConnectsLogsInFirstAndThenSendsTheQueuedFramesInOrder) {
    support::ensureApplication();
    support::DirectTable table;
    ASSERT_NE(table.server, nullptr);
    ASSERT_TRUE(table.loaded);
    auto& c = table.c();
    // Frames the table queues before the connection is up.
    for (std::uint8_t i = 1; i <= 3; ++i) {
        auto frame = support::markedFrame(7, i);
        connection::QueueOutgoingMessage(c.s, frame);
    }
    table.ticks(8);
    ASSERT_TRUE(table.server->waitForFrames(4));
    const auto frames = table.server->frames();
    EXPECT_EQ(frames[0], c.s.g_aLoginFrame);
    for (int i = 1; i <= 3; ++i) EXPECT_EQ(frames[i][100], i);
    // Restored at start-up, minimised as the table showed; then the login's posts.
    EXPECT_EQ(table.harness.desktop.systemCommands(table.harness.hall),
              (std::vector<platform::SystemCommand>{platform::SystemCommand::Restore,
                                                    platform::SystemCommand::Minimise}));
    EXPECT_EQ(
        table.harness.desktop.posts(table.harness.hall),
        (std::vector<Post>{{connection::HallMsgRelink, 0, 0}, {connection::HallMsgClose, 0, 0}}));
    EXPECT_TRUE(c.MainForm->visible());
}

TEST(StartUpEndToEnd, TheTableWindowAfterStartUpRendersToAPicture) {
    support::ensureApplication();
    support::ClientHarness harness;
    harness.attachView = forms::attachView;
    ASSERT_TRUE(support::loadTable(harness));
    auto& form = *harness.client->MainForm;
    const QImage picture = forms::renderWindow(form);
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.width(), 1040);
    EXPECT_EQ(picture.height(), 796);
    const char* base = std::getenv("KORVASH_TEST_TMP");
    const auto folder = std::filesystem::path(base && *base ? base : "/tmp");
    std::filesystem::create_directories(folder);
    EXPECT_TRUE(forms::saveWindowPng(
        form, QString::fromStdString((folder / "table-after-start-up.png").string())));
}

}  // namespace
