// The real program plays three whole hands at the local table server's program, started by the
// stand-in hall, with a person's moves made by clicks on the screen: the cards, the play, hint
// and declaration buttons and the ready button. The driver learns from the server's log what the
// table waits for from the person and finds the controls where the client's layout puts them
// (the full table on a 1280 x 1024 screen), looking at the screen before it clicks. At the end
// the hall sends the client away from the table.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QRegularExpression>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "program_folder.h"
#include "resources/picture_ids.h"
#include "resources/resource_store.h"
#include "support/scoped_environment.h"
#include "support/temp_folder.h"
#include "support/xvfb_server.h"
#include "x_screen.h"

namespace app_test {
namespace {

const QString kTableCaption = QStringLiteral("Korvash");
const QString kScoreCaption = QStringLiteral("战绩板");
const QString kHallCaption = QStringLiteral("Brenmoor山庄");
constexpr std::uint32_t kHallMsgClose = 0x303;

// The client's full layout: the table picture lies 8 pixels in and 20 down in the framed
// window; the rest is in the table picture's pixels.
const QPoint kTableInWindow(8, 20);
const QRect kPlayButton(400, 470, 60, 40);
const QRect kHintButton(478, 470, 60, 40);
// The right-hand declaration button: "pass" in the deal batches, "play on" at the prompt.
const QRect kDeclarationRight(520, 470, 66, 38);
const QRect kReadyButton(718, 699, 60, 30);
constexpr int kCardRestTop = 565;
constexpr int kCardHeight = 120;
constexpr int kCardRaise = kCardHeight / 5;  // a selected card stands a fifth of its height higher
constexpr int kHandRowLeft = 150;
constexpr int kHandRowRight = 1000;

// A sanitizer build of the client on a loaded machine is slow: every wait is generous, and the
// turn clock long enough that the person's clock never plays for the driver.
constexpr int kTurnSeconds = 90;
constexpr auto kStepLimit = std::chrono::seconds(60);
constexpr auto kRunLimit = std::chrono::minutes(20);

QImage Picture(const QString& id) {
    const auto bytes = resources::findResource("GIF", id.toInt());
    if (!bytes) return {};
    return QImage::fromData(bytes->data(), int(bytes->size()))
        .convertToFormat(QImage::Format_ARGB32);
}

// Whether `shot` shows one of `looks` at `at` (its opaque pixels, nearly exactly).
bool Shows(const QImage& shot, const QRect& at, const std::vector<QImage>& looks) {
    for (const QImage& look : looks) {
        if (look.isNull()) continue;
        const QImage drawn =
            look.size() == at.size()
                ? look
                : look.scaled(at.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
        int opaque = 0;
        int alike = 0;
        for (int y = 0; y < at.height(); ++y) {
            for (int x = 0; x < at.width(); ++x) {
                const QRgb want = drawn.pixel(x, y);
                if (qAlpha(want) < 128 || !shot.valid(at.x() + x, at.y() + y)) continue;
                const QRgb got = shot.pixel(at.x() + x, at.y() + y);
                ++opaque;
                const int d = std::max({std::abs(qRed(want) - qRed(got)),
                                        std::abs(qGreen(want) - qGreen(got)),
                                        std::abs(qBlue(want) - qBlue(got))});
                if (d <= 40) ++alike;
            }
        }
        if (opaque > 0 && alike * 10 >= opaque * 8) return true;
    }
    return false;
}

// The server program's log, line by line as it comes.
class ServerLog {
  public:
    explicit ServerLog(QProcess& process) : process_(process) {}

    const std::vector<std::string>& lines() {
        if (!process_.isOpen()) return lines_;
        process_.waitForReadyRead(0);
        pending_ += process_.readAll();
        for (qsizetype end; (end = pending_.indexOf('\n')) >= 0;) {
            lines_.push_back(pending_.left(end).toStdString());
            pending_.remove(0, end + 1);
        }
        return lines_;
    }
    bool has(const std::string& part) {
        const auto& all = lines();
        return std::any_of(all.begin(), all.end(), [&](const std::string& line) {
            return line.find(part) != std::string::npos;
        });
    }
    int count(const std::string& part) {
        const auto& all = lines();
        return int(std::count_if(all.begin(), all.end(), [&](const std::string& line) {
            return line.find(part) != std::string::npos;
        }));
    }
    std::string text() {
        std::string all;
        for (const auto& line : lines()) all += line + "\n";
        return all;
    }

  private:
    QProcess& process_;
    QByteArray pending_;
    std::vector<std::string> lines_;
};

// What the table waits for from the person: the last "awaits" line with no answer after it.
struct Awaited {
    std::size_t line = 0;
    std::string what;
};

std::optional<Awaited> LastAwaited(const std::vector<std::string>& lines) {
    static const std::string awaits = "awaits the person: ";
    static const std::string answers = "the person answers: ";
    for (std::size_t i = lines.size(); i-- > 0;) {
        if (lines[i].find(answers) != std::string::npos) return std::nullopt;
        const auto at = lines[i].find(awaits);
        if (at != std::string::npos) return Awaited{i, lines[i].substr(at + awaits.size())};
    }
    return std::nullopt;
}

class ThreeHands : public TempFolderTest {
  protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        if (!support::XvfbServer::findExecutable()) {
            GTEST_SKIP() << "Xvfb is not installed (package xvfb); the real program is untested";
        }
        xvfb = std::make_unique<support::XvfbServer>();
        ASSERT_TRUE(xvfb->running()) << xvfb->problem();
        screen = std::make_unique<XScreen>(xvfb->display());
        ASSERT_TRUE(screen->ready()) << "no XTest extension on " << xvfb->display();
        app = std::make_unique<QCoreApplication>(argc, argv);
        const auto ids = resources::InitImageIds(1.0f);
        playLooks = {Picture(ids.g_aIdOperation[0]), Picture(ids.g_aIdOperation[1])};
        // Kinds 4 ("play on") and 9 ("pass"), each a normal and a hover picture.
        declarationLooks = {Picture(ids.g_aIdJiaofen[6]), Picture(ids.g_aIdJiaofen[7]),
                            Picture(ids.g_aIdJiaofen[16]), Picture(ids.g_aIdJiaofen[17])};
        ASSERT_FALSE(playLooks[0].isNull());
        ASSERT_FALSE(declarationLooks[2].isNull());
        prepareProgramFolder();
    }

    void TearDown() override {
        for (QProcess* process : {&hall, &server}) {
            if (process->state() != QProcess::NotRunning) {
                process->kill();
                process->waitForFinished(5000);
            }
        }
        if (clientPid > 0) ::kill(pid_t(clientPid), SIGKILL);
        if (HasFailure()) {
            std::cerr << "server log:\n"
                      << log.text() << "\nhall output:\n"
                      << hallOutput.toStdString() << '\n';
        }
        screen.reset();
        app.reset();
        TempFolderTest::TearDown();
    }

    void prepareProgramFolder() { app_test::PrepareProgramFolder(folder()); }
    std::filesystem::path program() const { return app_test::ProgramIn(folder()); }
    QProcessEnvironment environment() const {
        return app_test::ProgramEnvironment(xvfb->display(), folder());
    }

    // The server on a free loopback port below 32768.
    void startServer() {
        server.setProcessChannelMode(QProcess::MergedChannels);
        for (int attempt = 0; attempt < 20; ++attempt) {
            port = 20000 + int((::getpid() * 7 + attempt * 131) % 12000);
            server.start(QStringLiteral(KORVASH_SERVER_EXE),
                         {QStringLiteral("--port"), QString::number(port), QStringLiteral("--seed"),
                          QStringLiteral("25"), QStringLiteral("--turn-seconds"),
                          QString::number(kTurnSeconds)});
            ASSERT_TRUE(server.waitForStarted(5000)) << server.errorString().toStdString();
            if (waitUntil([&] { return log.has("listening on") || !serverRuns(); })) {
                if (log.has("listening on")) return;
            }
            server.waitForFinished(5000);
        }
        FAIL() << "the server found no free port:\n" << log.text();
    }
    bool serverRuns() const { return server.state() == QProcess::Running; }

    void startClientFromStandInHall() {
        hall.setProcessEnvironment(environment());
        hall.setProcessChannelMode(QProcess::MergedChannels);
        hall.start(
            QStringLiteral(KORVASH_HALL_EXE),
            {QStringLiteral("--client"), QString::fromStdString(program().string()),
             QStringLiteral("--start"), QStringLiteral("--field"), QStringLiteral("4=%1").arg(port),
             QStringLiteral("--field"), QStringLiteral("6=0")});
        ASSERT_TRUE(hall.waitForStarted(5000)) << hall.errorString().toStdString();
        static const QRegularExpression started(QStringLiteral("started .* \\(pid (\\d+)\\)"));
        ASSERT_TRUE(waitUntil([&] {
            const auto match = started.match(hallOutput);
            if (match.hasMatch()) clientPid = match.captured(1).toLongLong();
            return clientPid > 0;
        })) << "the stand-in hall did not start the client";
    }

    // Polls `done` (the server's and the hall's output drained meanwhile) for up to `limit`.
    bool waitUntil(const std::function<bool()>& done,
                   std::chrono::milliseconds limit = kStepLimit) {
        const QDeadlineTimer deadline(limit);
        for (;;) {
            log.lines();
            if (hall.state() == QProcess::Running) {
                hall.waitForReadyRead(0);
                hallOutput += QString::fromUtf8(hall.readAll());
            }
            if (done()) return true;
            if (deadline.hasExpired()) return false;
            server.waitForReadyRead(100);
        }
    }

    // The table window and its table picture's corner on the screen.
    std::optional<QPoint> tableCorner() const {
        const auto origin = screen->origin(screen->findWindow(kTableCaption));
        if (!origin) return std::nullopt;
        return *origin + kTableInWindow;
    }
    // The table picture as it shows now.
    QImage table() const {
        const auto corner = tableCorner();
        return corner ? screen->grab(QRect(*corner, QSize(1024, 768))) : QImage();
    }
    // Whether the table shows one of `looks` at `where` (only that part is looked at).
    bool tableShows(const QRect& where, const std::vector<QImage>& looks) const {
        const auto corner = tableCorner();
        if (!corner) return false;
        const QImage part = screen->grab(where.translated(*corner));
        return Shows(part, QRect(QPoint(0, 0), where.size()), looks);
    }
    void clickOnTable(QPoint at) {
        if (const auto corner = tableCorner()) screen->click(*corner + at);
    }
    // Waits until the table shows `looks` at `where`, or the table waits no longer for `awaited`.
    bool showsWhileAwaited(const QRect& where, const std::vector<QImage>& looks,
                           std::size_t awaited) {
        waitUntil([&] {
            const auto still = LastAwaited(log.lines());
            if (!still || still->line != awaited) return true;
            screen->park();
            return tableShows(where, looks);
        });
        const auto still = LastAwaited(log.lines());
        const bool shows = still && still->line == awaited && tableShows(where, looks);
        // What the screen showed instead, for the reader of a failure.
        if (still && still->line == awaited && !shows) saveScreenshot("three_hands_unexpected.png");
        return shows;
    }

    // The leftmost card of the hand row: a column of its visible strip.
    std::optional<int> leftmostCard(const QImage& shot) const {
        const int y = kCardRestTop + 75;
        for (int x = kHandRowLeft; x < kHandRowRight; ++x) {
            if (IsCardFace(shot.pixel(x, y)) && IsCardFace(shot.pixel(x + 4, y)) &&
                IsCardFace(shot.pixel(x + 8, y - 20)))
                return x + 8;
        }
        return std::nullopt;
    }
    static bool IsCardFace(QRgb pixel) {
        return qRed(pixel) >= 225 && qGreen(pixel) >= 225 && qBlue(pixel) >= 215;
    }
    // A raised card shows face above the rest line (its index may be dark there, so across
    // its strip) and leaves the bottom of the row.
    bool raised(const QImage& shot, int column) const {
        bool faceAbove = false;
        for (int x = column - 4; x <= column + 6; ++x)
            faceAbove = faceAbove || IsCardFace(shot.pixel(x, kCardRestTop - kCardRaise / 2));
        return faceAbove && !IsCardFace(shot.pixel(column, kCardRestTop + kCardHeight - 8));
    }

    // One answer to what the table waits for, by clicks.
    void answer(const Awaited& awaited) {
        const std::string& what = awaited.what;
        std::cerr << "the driver answers: " << what << std::endl;
        if (what == "ready") {
            clickOnTable(kReadyButton.center());
            ++clicks.ready;
        } else if (what.find("declaration") != std::string::npos || what == "the prompt") {
            // Pass in the batches (an offer without aces or groups is passed by the client
            // itself), play on at the prompt.
            if (!showsWhileAwaited(kDeclarationRight, declarationLooks, awaited.line)) return;
            if (what == "the prompt" && !dealShot) {
                dealShot = true;
                saveScreenshot("three_hands_deal.png");
            }
            clickOnTable(kDeclarationRight.center());
            ++clicks.declarations;
        } else if (what == "a lead") {
            if (!showsWhileAwaited(kPlayButton, playLooks, awaited.line)) return;
            lead();
        } else {
            if (!showsWhileAwaited(kPlayButton, playLooks, awaited.line)) return;
            clickOnTable(kHintButton.center());
            ++clicks.hints;
            clickOnTable(kPlayButton.center());
            ++clicks.plays;
        }
    }

    // A single card is always a lead: the leftmost one, raised by a click, then played.
    void lead() {
        screen->park();
        const auto column = leftmostCard(table());
        ASSERT_TRUE(column.has_value()) << "no card in the hand row";
        if (!raised(table(), *column)) {
            clickOnTable(QPoint(*column, kCardRestTop + 60));
            ++clicks.cards;
            screen->park();
        }
        EXPECT_TRUE(waitUntil([&] { return raised(table(), *column); }, std::chrono::seconds(20)))
            << "the clicked card did not rise";
        clickOnTable(kPlayButton.center());
        ++clicks.plays;
    }

    // The score board once it is up and drawn (its white result panels show).
    std::optional<QRect> scoreBoard() const {
        const auto place = screen->placeOf(screen->findWindow(kScoreCaption));
        if (!place || place->width() < 200 || place->height() < 250) return std::nullopt;
        const QImage panel = screen->grab(QRect(place->topLeft() + QPoint(40, 180), QSize(8, 8)));
        if (panel.isNull() || !IsCardFace(panel.pixel(4, 4))) return std::nullopt;
        return place;
    }
    // The person reads the settlement and closes the board with its close button, top right,
    // as it lies over the declaration and action buttons.
    void closeScoreBoard() {
        const auto board = scoreBoard();
        if (!board) return;
        screen->click(QPoint(board->right() - 10, board->top() + 19));
        EXPECT_TRUE(waitUntil([&] { return screen->findWindow(kScoreCaption) == 0; }))
            << "the score board stayed";
    }

    void saveScreenshot(const std::string& name) {
        screen->park();
        const auto folder = std::filesystem::path(KORVASH_BUILD_DIR) / "screenshots";
        std::filesystem::create_directories(folder);
        EXPECT_TRUE(screen->grabScreen().save(QString::fromStdString((folder / name).string())));
    }

    support::ScopedEnvironment scopedEnvironment;
    std::unique_ptr<support::XvfbServer> xvfb;
    std::unique_ptr<XScreen> screen;
    int argc = 1;
    char name[16] = "test_app";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QCoreApplication> app;
    std::vector<QImage> playLooks;
    std::vector<QImage> declarationLooks;
    QProcess server;
    ServerLog log{server};
    int port = 0;
    QProcess hall;
    QString hallOutput;
    qint64 clientPid = 0;
    bool dealShot = false;
    struct {
        int ready = 0;
        int declarations = 0;
        int cards = 0;
        int hints = 0;
        int plays = 0;
    } clicks;
};

TEST_F(ThreeHands, ThePersonPlaysThreeHandsByClicksAndLeaves) {
    ASSERT_NO_FATAL_FAILURE(startServer());
    ASSERT_NO_FATAL_FAILURE(startClientFromStandInHall());
    ASSERT_TRUE(waitUntil([&] { return log.has("seated "); })) << "the client did not log in";
    // The stand-in hall's window would lie over the table's left half: it goes beside it.
    ASSERT_TRUE(waitUntil([&] { return screen->findWindow(kTableCaption) != 0; }));
    ASSERT_TRUE(waitUntil([&] { return screen->findWindow(kHallCaption) != 0; }));
    screen->moveWindow(screen->findWindow(kHallCaption), QPoint(1045, 0));

    const QDeadlineTimer deadline(kRunLimit);
    std::optional<std::size_t> answered;
    QDeadlineTimer retry;
    int movesInHand = 0;
    int settlementShots = 0;
    while (log.count(" is over") < 3 && !deadline.hasExpired() && serverRuns()) {
        const auto awaited = LastAwaited(log.lines());
        // A click that did not take (the client was still busy) is made again.
        if (awaited && (awaited->line != answered || retry.hasExpired())) {
            const bool move = awaited->what.rfind("a ", 0) == 0;
            ASSERT_NO_FATAL_FAILURE(answer(*awaited));
            if (move && awaited->line != answered && ++movesInHand == 3 &&
                log.count(" is over") == 0)
                saveScreenshot("three_hands_mid_hand.png");
            answered = awaited->line;
            retry = QDeadlineTimer(std::chrono::seconds(15));
        }
        if (log.count(" is over") > settlementShots) {
            // The settlement: the score board comes up over the table.
            ++settlementShots;
            movesInHand = 0;
            EXPECT_TRUE(waitUntil([&] { return scoreBoard().has_value(); }))
                << "no score board after hand " << settlementShots;
            if (settlementShots == 1) saveScreenshot("three_hands_settlement.png");
            if (settlementShots < 3) closeScoreBoard();
        }
        waitUntil([&] {
            const auto now = LastAwaited(log.lines());
            return (now && now->line != answered) || retry.hasExpired() ||
                   log.count(" is over") > settlementShots;
        });
    }
    ASSERT_EQ(log.count(" is over"), 3) << "three hands were not played";
    ASSERT_TRUE(waitUntil([&] { return scoreBoard().has_value(); }));
    saveScreenshot("three_hands_last_settlement.png");

    // Every move was the person's, by the driver's clicks, and the table refused none.
    EXPECT_FALSE(log.has("refused")) << log.text();
    EXPECT_FALSE(log.has("the server moves for the person")) << log.text();
    EXPECT_GE(clicks.cards, 1);
    EXPECT_GE(clicks.declarations, 3);
    EXPECT_GE(log.count("the person answers: a play"), 3);
    EXPECT_GE(log.count("the person answers: play on"), 3);

    // The hall asks the client to leave: it tells the server and stays loaded.
    screen->postMessage(screen->findWindow(kTableCaption), kHallMsgClose);
    EXPECT_TRUE(waitUntil([&] { return log.has("the client left"); })) << log.text();
}

}  // namespace
}  // namespace app_test
