#include "platform/desktop/fake_desktop.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

using platform::FakeDesktop;
using platform::SystemCommand;
using platform::WindowHandle;
using Post = FakeDesktop::Post;

constexpr std::uint32_t kQuery = 0x465;

struct Received {
    std::uint32_t message;
    std::int32_t wParam;
    std::int32_t lParam;
    bool operator==(const Received&) const = default;
};

class FakeDesktopTest : public ::testing::Test {
  protected:
    int argc = 1;
    char name[16] = "test_desktop";
    char* argv[2] = {name, nullptr};
    QApplication app{argc, argv};
    platform::Scheduler scheduler{platform::Scheduler::Mode::Virtual};
    FakeDesktop desktop{scheduler};
    WindowHandle hall = desktop.addWindow(QStringLiteral("Brenmoor山庄"));
    std::unique_ptr<QWidget> table = std::make_unique<QWidget>();
    WindowHandle tableHandle;
    std::vector<Received> received;

    FakeDesktopTest() {
        table->setWindowTitle(QStringLiteral("Korvash"));
        tableHandle = desktop.attachWindow(*table);
    }

    // Installs a procedure that records every message and passes it on, as a program's own
    // procedure does.
    void hookTable() {
        auto previous = std::make_shared<platform::WindowProcedure>();
        *previous = desktop.setWindowProcedure(
            tableHandle,
            [this, previous](WindowHandle w, std::uint32_t m, std::int32_t wp, std::int32_t lp) {
                received.push_back({m, wp, lp});
                return FakeDesktop::callWindowProcedure(*previous, w, m, wp, lp);
            });
    }
};

TEST_F(FakeDesktopTest, FindsWindowsByTheirExactCaption) {
    struct Case {
        QString caption;
        WindowHandle expected;
    };
    const Case cases[] = {
        {QStringLiteral("Brenmoor山庄"), hall}, {QStringLiteral("Korvash"), tableHandle},
        {QStringLiteral("Brenmoor山庄 "), {}},  {QStringLiteral("brenmoor山庄"), {}},
        {QStringLiteral("Brenmoor"), {}},       {QString(), {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(desktop.findWindow(c.caption), c.expected) << c.caption.toStdString();
    }
}

TEST_F(FakeDesktopTest, PostsAndSystemCommandsToAnotherProgramAreRecorded) {
    desktop.postMessage(hall, 0x303);
    desktop.postMessage(hall, 0x400, 5, -6);
    EXPECT_TRUE(desktop.sendSystemCommand(hall, SystemCommand::Minimise));
    EXPECT_TRUE(desktop.isMinimised(hall));
    EXPECT_TRUE(desktop.sendSystemCommand(hall, SystemCommand::Restore));
    EXPECT_FALSE(desktop.isMinimised(hall));
    EXPECT_EQ(desktop.posts(hall), (std::vector<Post>{{0x303, 0, 0}, {0x400, 5, -6}}));
    EXPECT_EQ(desktop.systemCommands(hall),
              (std::vector<SystemCommand>{SystemCommand::Minimise, SystemCommand::Restore}));
}

TEST_F(FakeDesktopTest, AClosedWindowIsGoneAndMessagesToItAreDropped) {
    desktop.closeWindow(hall);
    EXPECT_FALSE(desktop.findWindow(QStringLiteral("Brenmoor山庄")));
    EXPECT_FALSE(desktop.windowExists(hall));
    desktop.postMessage(hall, 0x303);
    EXPECT_FALSE(desktop.sendSystemCommand(hall, SystemCommand::Restore));
    EXPECT_TRUE(desktop.posts(hall).empty());
    desktop.postMessage(WindowHandle{}, 0x303);  // no window at all
}

TEST_F(FakeDesktopTest, OwnWindowReceivesPostsLaterThroughItsProcedure) {
    hookTable();
    desktop.postMessage(tableHandle, kQuery, 1, -1);
    EXPECT_TRUE(received.empty()) << "a posted message waits for event processing";
    scheduler.processPendingEvents();
    EXPECT_EQ(received, (std::vector<Received>{{kQuery, 1, -1}}));
}

TEST_F(FakeDesktopTest, DefaultProcedureRestoresAndMinimisesTheWidget) {
    hookTable();
    table->show();
    desktop.postMessage(tableHandle, platform::kSystemCommandMessage,
                        static_cast<std::int32_t>(SystemCommand::Minimise));
    scheduler.processPendingEvents();
    EXPECT_TRUE(table->isMinimized());
    // Sent, not posted: handled before the call returns.
    EXPECT_TRUE(desktop.sendSystemCommand(tableHandle, SystemCommand::Restore));
    EXPECT_FALSE(table->isMinimized());
    EXPECT_EQ(received.size(), 2u);
}

TEST_F(FakeDesktopTest, OwnerActionsReplaceTheWidgetDefaults) {
    QWidget other;
    other.setWindowTitle(QStringLiteral("speakbox"));
    std::vector<std::string> actions;
    const WindowHandle handle = desktop.attachWindow(
        other, {[&] { actions.push_back("restore"); }, [&] { actions.push_back("minimise"); }});
    desktop.sendSystemCommand(handle, SystemCommand::Minimise);
    desktop.sendSystemCommand(handle, SystemCommand::Restore);
    desktop.postMessage(handle, platform::kSystemCommandMessage, 0x1234);  // not one of the two
    scheduler.processPendingEvents();
    EXPECT_EQ(actions, (std::vector<std::string>{"minimise", "restore"}));
    EXPECT_FALSE(other.isMinimized());
}

TEST_F(FakeDesktopTest, MessageToAnOwnWindowThatWentBeforeDeliveryIsDropped) {
    hookTable();
    desktop.postMessage(tableHandle, kQuery);
    table.reset();
    scheduler.processPendingEvents();
    EXPECT_TRUE(received.empty());
    EXPECT_FALSE(desktop.findWindow(QStringLiteral("Korvash")));
    EXPECT_FALSE(desktop.sendSystemCommand(tableHandle, SystemCommand::Restore));
}

TEST_F(FakeDesktopTest, ProgramEndInAProcedureReachesTheTest) {
    desktop.setWindowProcedure(
        tableHandle, [](WindowHandle, std::uint32_t, std::int32_t, std::int32_t) -> std::int32_t {
            platform::endProgram(3);
        });
    desktop.postMessage(tableHandle, kQuery);
    try {
        scheduler.processPendingEvents();
        FAIL() << "the program should have ended";
    } catch (const platform::ProgramEnd& end) {
        EXPECT_EQ(end.exitCode, 3);
    }
}

TEST_F(FakeDesktopTest, ATestCanAnswerAsTheOtherProgram) {
    hookTable();
    desktop.onPost = [&](WindowHandle window, const Post& post) {
        if (window == hall && post.message == kQuery) desktop.postMessage(tableHandle, 0x400);
    };
    desktop.postMessage(hall, kQuery);
    scheduler.processPendingEvents();
    EXPECT_EQ(received, (std::vector<Received>{{0x400, 0, 0}}));
}

}  // namespace

namespace {

// Only web addresses reach the browser; files, programs and other schemes are refused.
struct UrlCase {
    const char* name;
    const char* url;
    bool opened;
};

class OpenUrl : public ::testing::TestWithParam<UrlCase> {};

TEST_P(OpenUrl, HandsOnlyHttpAndHttpsAddressesToTheBrowser) {
    platform::Scheduler scheduler{platform::Scheduler::Mode::Virtual};
    FakeDesktop desktop(scheduler);
    EXPECT_EQ(desktop.openUrl(QString::fromUtf8(GetParam().url)), GetParam().opened);
    EXPECT_EQ(desktop.openedUrls().size(), GetParam().opened ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, OpenUrl,
    ::testing::Values(UrlCase{"Http", "http://www.brenmoor.com/gameinfo/Korvash/index.php", true},
                      UrlCase{"Https", "HTTPS://example.org/", true},
                      UrlCase{"File", "file:///etc/passwd", false},
                      UrlCase{"Javascript", "javascript:alert(1)", false},
                      UrlCase{"NoHost", "http:///path", false},
                      UrlCase{"Relative", "/gameinfo/Korvash/index.php", false},
                      UrlCase{"Empty", "", false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace

namespace {

// A folder is shown only when it exists as a folder: a file or a missing path opens nothing.
struct FolderCase {
    const char* name;
    const char* path;  // under a fresh temporary folder holding "photo/" and "notes.txt"
    bool opened;
};

class OpenFolder : public ::testing::TestWithParam<FolderCase> {};

TEST_P(OpenFolder, HandsOnlyExistingFoldersToTheFileManager) {
    const auto root = std::filesystem::temp_directory_path() /
                      ("open-folder-" + std::to_string(::getpid()) + GetParam().name);
    std::filesystem::create_directories(root / "photo");
    { std::ofstream(root / "notes.txt") << "x"; }
    platform::Scheduler scheduler{platform::Scheduler::Mode::Virtual};
    FakeDesktop desktop(scheduler);
    const auto target = root / GetParam().path;
    EXPECT_EQ(desktop.openFolder(target), GetParam().opened);
    if (GetParam().opened) {
        ASSERT_EQ(desktop.openedUrls().size(), 1u);
        EXPECT_EQ(desktop.openedUrls()[0],
                  QUrl::fromLocalFile(QString::fromStdString(target.string())).toString());
    } else {
        EXPECT_TRUE(desktop.openedUrls().empty());
    }
    std::filesystem::remove_all(root);
}

INSTANTIATE_TEST_SUITE_P(Paths, OpenFolder,
                         ::testing::Values(FolderCase{"Folder", "photo", true},
                                           FolderCase{"File", "notes.txt", false},
                                           FolderCase{"Missing", "album", false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
