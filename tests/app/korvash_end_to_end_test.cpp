// The real program under a private X server, started as the hall starts it, against the fake
// game server. Two halls: this test itself (a window captioned "Brenmoor山庄" that records what
// the client posts to it) and the stand-in hall program, whose log on stdout says what reached
// it. Either way the test posts the hall's questions to the table window itself.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QWidget>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <vector>

#include "platform/desktop/x11_desktop.h"
#include "platform/runtime/scheduler.h"
#include "platform/sound/audio_server.h"
#include "program_folder.h"
#include "support/fake_game_server.h"
#include "support/fake_window_manager.h"
#include "support/scoped_environment.h"
#include "support/server_frames.h"
#include "support/temp_folder.h"
#include "support/xvfb_server.h"

// Xlib last: its macros clash with other names.
#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace {

constexpr std::uint32_t kHallMsgRelink = 0x16;
constexpr std::uint32_t kHallMsgClose = 0x303;
constexpr std::uint32_t kHallMsgIdle = 0x400;
constexpr std::uint32_t kHallMsgInGame = 0x465;
constexpr std::uint8_t kMsgSeatAction = 16;
constexpr std::uint8_t kMsgLogin = 18;
constexpr std::uint8_t kSeatActionLeave = 0;

const QString kHallCaption = QStringLiteral("Brenmoor山庄");
const QString kTableCaption = QStringLiteral("Korvash");

// A sanitizer build of the client takes seconds to come up; every wait allows for it.
constexpr platform::Millis kLimitMs = 15000;

using Frame = support::FakeGameServer::Frame;

// Whether a process that is not our child still runs (an ended one may linger as a zombie).
bool processRuns(qint64 pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line)) return false;
    const auto close = line.rfind(')');
    return close != std::string::npos && close + 2 < line.size() && line[close + 2] != 'Z';
}

enum class HallKind { ThisTest, StandInProgram };

class KorvashEndToEnd : public TempFolderTest, public ::testing::WithParamInterface<HallKind> {
  protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        if (!support::XvfbServer::findExecutable()) {
            GTEST_SKIP() << "Xvfb is not installed (package xvfb); the real program is untested";
        }
        xvfb = std::make_unique<support::XvfbServer>();
        ASSERT_TRUE(xvfb->running()) << xvfb->problem();
        ASSERT_NE(server.port(), 0);
        ASSERT_LT(server.port(), 32768);
        ASSERT_EQ(QCoreApplication::instance(), nullptr) << "needs an application of its own";
        environment.set("QT_QPA_PLATFORM", "xcb");
        environment.set("DISPLAY", QByteArray::fromStdString(xvfb->display()));
        app = std::make_unique<QApplication>(argc, argv);
        scheduler = std::make_unique<platform::Scheduler>(platform::Scheduler::Mode::Real);
        desktop = platform::X11Desktop::open(*scheduler, xvfb->display());
        ASSERT_NE(desktop, nullptr);
        // The server's frames and the programs' output come without an event of this loop:
        // the waits look again at every beat.
        beat = std::make_unique<platform::Timer>(*scheduler);
        beat->setInterval(20);
        beat->onTimer = [] {};
        prepareProgramFolder();
    }

    void TearDown() override {
        // A client that has left its table stays loaded, waiting for the hall.
        if (client.state() != QProcess::NotRunning) {
            client.kill();
            client.waitForFinished(5000);
        }
        if (detachedClientPid > 0 && processRuns(detachedClientPid)) {
            ::kill(static_cast<pid_t>(detachedClientPid), SIGKILL);
        }
        if (hallProgram.state() != QProcess::NotRunning) {
            hallProgram.kill();
            hallProgram.waitForFinished(5000);
        }
        if (HasFailure()) {
            std::cerr << "client output:\n"
                      << client.readAll().toStdString() << "\nstand-in hall output:\n"
                      << (hallLog + QString::fromUtf8(hallProgram.readAll())).toStdString() << '\n';
        }
        hall.reset();
        beat.reset();
        desktop.reset();
        scheduler.reset();
        app.reset();
        TempFolderTest::TearDown();
    }

    void prepareProgramFolder() { app_test::PrepareProgramFolder(folder()); }
    std::filesystem::path program() const { return app_test::ProgramIn(folder()); }
    QProcessEnvironment programEnvironment() const {
        return app_test::ProgramEnvironment(xvfb->display(), folder());
    }

    // This test as the hall: its window records every hall message the client posts.
    void openOwnHall() {
        hall = std::make_unique<QWidget>();
        hall->setWindowTitle(kHallCaption);
        hall->resize(300, 200);
        hall->show();
        const platform::WindowHandle handle = desktop->attachWindow(*hall);
        previousProcedure = desktop->setWindowProcedure(
            handle, [this](platform::WindowHandle window, std::uint32_t message,
                           std::int32_t wParam, std::int32_t lParam) {
                if (message != platform::kSystemCommandMessage) ownHallReceived.push_back(message);
                return platform::Desktop::callWindowProcedure(previousProcedure, window, message,
                                                              wParam, lParam);
            });
        ASSERT_TRUE(waitFor([&] { return desktop->findWindow(kHallCaption) == handle; }));
    }

    // Starts the client as the hall does: the whole line as one argument.
    void startClientFromOwnHall() {
        const QStringList fields = {"player1",
                                    "pw",
                                    "127.0.0.1",
                                    QString::number(server.port()),
                                    "北京",
                                    "0",
                                    "127.0.0.1",
                                    "1080",
                                    "",
                                    "",
                                    "1",
                                    kHallCaption,
                                    kTableCaption,
                                    "0",
                                    "0"};
        client.setProcessEnvironment(programEnvironment());
        client.setProcessChannelMode(QProcess::MergedChannels);
        client.setWorkingDirectory(QString::fromStdString(program().parent_path().string()));
        client.start(QString::fromStdString(program().string()), {fields.join(u'$') + u'$'});
        ASSERT_TRUE(client.waitForStarted(5000)) << client.errorString().toStdString();
    }

    // The stand-in hall starts the client itself, with its own fields but the server's port
    // and a direct connection.
    void startClientFromStandInHall() {
        hallProgram.setProcessEnvironment(programEnvironment());
        hallProgram.setProcessChannelMode(QProcess::MergedChannels);
        hallProgram.start(QStringLiteral(KORVASH_HALL_EXE),
                          {QStringLiteral("--client"), QString::fromStdString(program().string()),
                           QStringLiteral("--start"), QStringLiteral("--field"),
                           QStringLiteral("4=%1").arg(server.port()), QStringLiteral("--field"),
                           QStringLiteral("6=0")});
        ASSERT_TRUE(hallProgram.waitForStarted(5000)) << hallProgram.errorString().toStdString();
        static const QRegularExpression started(QStringLiteral("started .* \\(pid (\\d+)\\)"));
        ASSERT_TRUE(waitFor([&] {
            const auto match = started.match(readHallLog());
            if (match.hasMatch()) detachedClientPid = match.captured(1).toLongLong();
            return detachedClientPid > 0;
        })) << "the stand-in hall did not start the client";
    }

    QString readHallLog() {
        hallLog += QString::fromUtf8(hallProgram.readAll());
        return hallLog;
    }

    // The hall messages the client posted to the hall so far, in order.
    std::vector<std::uint32_t> hallReceived() {
        if (GetParam() == HallKind::ThisTest) return ownHallReceived;
        // The stand-in hall logs "received <name> (0x<number>), ..." for each.
        static const QRegularExpression line(QStringLiteral("received [^(]*\\(0x([0-9a-f]+)\\)"));
        std::vector<std::uint32_t> messages;
        for (auto it = line.globalMatch(readHallLog()); it.hasNext();) {
            const std::uint32_t message = it.next().captured(1).toUInt(nullptr, 16);
            if (message != platform::kSystemCommandMessage) messages.push_back(message);
        }
        return messages;
    }

    bool clientRunning() const {
        return GetParam() == HallKind::ThisTest ? client.state() == QProcess::Running
                                                : processRuns(detachedClientPid);
    }

    qint64 clientPid() const {
        return GetParam() == HallKind::ThisTest ? client.processId() : detachedClientPid;
    }

    // Whether the client, in the environment it was given, may find a sound server.
    bool clientMayFindSoundServer() const {
        const QProcessEnvironment env = programEnvironment();
        platform::AudioServerPlaces places;
        places.environment = [env](const std::string& name) -> std::optional<std::string> {
            const QString key = QString::fromStdString(name);
            if (!env.contains(key)) return std::nullopt;
            return env.value(key).toStdString();
        };
        places.userId = ::getuid();
        return platform::audioServerMayExist(places);
    }

    // The shared libraries the client has mapped.
    std::string clientMappings() const {
        std::ifstream maps("/proc/" + std::to_string(clientPid()) + "/maps");
        return {std::istreambuf_iterator<char>(maps), std::istreambuf_iterator<char>()};
    }

    bool waitFor(const std::function<bool()>& done) { return scheduler->waitUntil(done, kLimitMs); }

    // Waits (handling the hall's messages meanwhile) for the hall to have received `count`.
    bool waitForHallMessages(std::size_t count) {
        return waitFor([&] { return hallReceived().size() >= count || !clientRunning(); }) &&
               hallReceived().size() >= count;
    }

    // Waits for a frame from the client that `matches`.
    std::optional<Frame> waitForFrame(const std::function<bool(const Frame&)>& matches) {
        std::optional<Frame> found;
        waitFor([&] {
            const auto frames = server.frames();
            const auto it = std::find_if(frames.begin(), frames.end(), matches);
            if (it != frames.end()) found = *it;
            return found.has_value() || !clientRunning();
        });
        return found;
    }

    support::ScopedEnvironment environment;
    std::unique_ptr<support::XvfbServer> xvfb;
    support::FakeGameServer server;
    int argc = 1;
    char name[16] = "test_app";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QApplication> app;
    std::unique_ptr<platform::Scheduler> scheduler;
    std::unique_ptr<platform::X11Desktop> desktop;
    std::unique_ptr<platform::Timer> beat;
    // This test as the hall.
    std::unique_ptr<QWidget> hall;
    platform::WindowProcedure previousProcedure;
    std::vector<std::uint32_t> ownHallReceived;
    QProcess client;
    // The stand-in hall program and the client it started.
    QProcess hallProgram;
    QString hallLog;
    qint64 detachedClientPid = 0;
};

TEST_P(KorvashEndToEnd, TheClientLogsInAnswersTheHallAndLeavesTheTableOnTheHallsClose) {
    if (GetParam() == HallKind::ThisTest) {
        ASSERT_NO_FATAL_FAILURE(openOwnHall());
        ASSERT_NO_FATAL_FAILURE(startClientFromOwnHall());
    } else {
        ASSERT_NO_FATAL_FAILURE(startClientFromStandInHall());
    }

    // Connected: the login frame is the first to reach the server, and the hall hears that the
    // client waited for its connection and then that it is up.
    const auto login =
        waitForFrame([](const Frame& frame) { return support::FrameType(frame) == kMsgLogin; });
    ASSERT_TRUE(login.has_value()) << "no login frame; client running: " << clientRunning();
    EXPECT_EQ(support::FrameType(server.frames().front()), kMsgLogin);
    EXPECT_EQ((*login)[14], 1);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&(*login)[16]), 7), "player1");
    ASSERT_TRUE(waitForHallMessages(2));
    EXPECT_EQ(hallReceived(), (std::vector<std::uint32_t>{kHallMsgRelink, kHallMsgClose}));

    // Where no sound server can be reached, sound is off without the audio libraries ever being
    // loaded.
    if (!clientMayFindSoundServer()) {
        const std::string maps = clientMappings();
        ASSERT_FALSE(maps.empty());
        EXPECT_EQ(maps.find("libQt6Multimedia"), std::string::npos);
        EXPECT_EQ(maps.find("libkorvash_qt_audio"), std::string::npos);
        EXPECT_EQ(maps.find("libpulse"), std::string::npos);
    }

    // The server accepts the login: the login is no longer pending, which the hall hears.
    support::LoginReply accepted;
    accepted.loginResult = 1;
    server.send(support::BuildLoginReply(accepted));
    ASSERT_TRUE(waitForHallMessages(3));
    EXPECT_EQ(hallReceived().back(), kHallMsgClose);

    const platform::WindowHandle table = desktop->findWindow(kTableCaption);
    ASSERT_TRUE(table) << "no window captioned " << kTableCaption.toStdString();

    // The hall minimises and restores the table as it likes (every restore turns the table
    // topmost and back); the window it found stays the table's, so its question below arrives.
    for (int round = 0; round < 3; ++round) {
        EXPECT_TRUE(desktop->sendSystemCommand(table, platform::SystemCommand::Minimise));
        EXPECT_TRUE(desktop->sendSystemCommand(table, platform::SystemCommand::Restore));
    }

    // Between hands the client answers the hall's question with "idle".
    desktop->postMessage(table, kHallMsgInGame);
    ASSERT_TRUE(waitForHallMessages(4));
    EXPECT_EQ(hallReceived().back(), kHallMsgIdle);
    EXPECT_EQ(desktop->findWindow(kTableCaption), table);

    // The hall's close: the client leaves the table, telling the server and then the hall.
    desktop->postMessage(table, kHallMsgClose);
    const auto leave = waitForFrame([](const Frame& frame) {
        return support::FrameType(frame) == kMsgSeatAction && frame[15] == kSeatActionLeave;
    });
    ASSERT_TRUE(leave.has_value()) << "no leave frame; client running: " << clientRunning();
    ASSERT_TRUE(waitForHallMessages(5));
    EXPECT_EQ(hallReceived(),
              (std::vector<std::uint32_t>{kHallMsgRelink, kHallMsgClose, kHallMsgClose,
                                          kHallMsgIdle, kHallMsgIdle}));
    EXPECT_TRUE(server.waitForNoClient());

    // Having left, the client stays loaded for the hall's next request, in its own folder.
    EXPECT_TRUE(clientRunning());
    EXPECT_TRUE(std::filesystem::exists(folder() / "bin" / "vidiosetting.ini"));
}

class KorvashEndToEndOwnHall : public KorvashEndToEnd {};

// The boss key on the real program: F1 on the table window takes the table off the screen (it
// is minimised, the hall too), and the hall's restore brings it back.
TEST_P(KorvashEndToEndOwnHall, TheBossKeyTakesTheTableOffTheScreenAndARestoreBringsItBack) {
    // Minimising is the window manager's work.
    support::FakeWindowManager manager(xvfb->display());
    ASSERT_TRUE(manager.running());
    ASSERT_NO_FATAL_FAILURE(openOwnHall());
    ASSERT_NO_FATAL_FAILURE(startClientFromOwnHall());
    ASSERT_TRUE(waitForFrame([](const Frame& frame) {
                    return support::FrameType(frame) == kMsgLogin;
                }).has_value());
    support::LoginReply accepted;
    accepted.loginResult = 1;
    server.send(support::BuildLoginReply(accepted));
    ASSERT_TRUE(waitForHallMessages(3));
    const platform::WindowHandle table = desktop->findWindow(kTableCaption);
    ASSERT_TRUE(table);

    Display* display = XOpenDisplay(xvfb->display().c_str());
    ASSERT_NE(display, nullptr);
    const auto window = static_cast<Window>(table.value);
    const auto viewable = [&] {
        XWindowAttributes attributes{};
        XGetWindowAttributes(display, window, &attributes);
        return attributes.map_state == IsViewable && !manager.iconic(table.value);
    };
    ASSERT_TRUE(waitFor(viewable));
    // A person presses the key on a table that has settled after the login answer (the hall
    // link restores and raises it meanwhile).
    scheduler->waitUntil([] { return false; }, 1000);
    ASSERT_TRUE(viewable());

    for (const int type : {KeyPress, KeyRelease}) {
        XKeyEvent key{};
        key.type = type;
        key.display = display;
        key.window = window;
        key.root = DefaultRootWindow(display);
        key.same_screen = True;
        key.keycode = XKeysymToKeycode(display, XK_F1);
        XEvent event{};
        event.xkey = key;
        XSendEvent(display, window, True, type == KeyPress ? KeyPressMask : KeyReleaseMask, &event);
    }
    XFlush(display);
    EXPECT_TRUE(waitFor([&] { return !viewable(); })) << "F1 left the table on the screen";

    EXPECT_TRUE(desktop->sendSystemCommand(table, platform::SystemCommand::Restore));
    EXPECT_TRUE(waitFor(viewable)) << "the restore did not bring the table back";
    EXPECT_TRUE(clientRunning());
    XCloseDisplay(display);
}

INSTANTIATE_TEST_SUITE_P(OwnHall, KorvashEndToEndOwnHall, ::testing::Values(HallKind::ThisTest),
                         [](const auto&) { return std::string("TestAsHall"); });

INSTANTIATE_TEST_SUITE_P(Halls, KorvashEndToEnd,
                         ::testing::Values(HallKind::ThisTest, HallKind::StandInProgram),
                         [](const auto& info) {
                             return info.param == HallKind::ThisTest ? "TestAsHall" : "StandInHall";
                         });

}  // namespace
