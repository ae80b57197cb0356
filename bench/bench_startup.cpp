// Start-up of the client as the player feels it, side by side with the least Qt program that
// shows a window of the table's size (bare_window), pair by pair on the same private X server in
// the same run, so the ratios say what the client's own start-up costs over the toolkit's.
//
// "Shown" is the first drawing into a window of the started program, seen from outside through
// the X server's damage reports, the same way for both programs. The login frame and the
// connection are timed by the fake game server as they arrive. Peak resident memory is the
// kernel's high-water mark of each program once it has settled: the client at its table after
// the login answer and its own player's record, the bare program after its first drawing.
//
// A second set of starts takes the client on until both web panes show their pages: the login
// answer names the advertising page (the first pane), and the seat-change pane opens when the
// player is made ready for the next hand after a hand that offered a seat change (the next-hand
// clock's fifteen seconds, so these starts are few). Their figures stand beside the plain ones.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "support/fake_game_server.h"
#include "support/fake_web_server.h"
#include "support/server_frames.h"
#include "support/xvfb_server.h"

// Xlib last: its macros clash with other names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kLimit = std::chrono::seconds(30);
// How long a program is left to settle before its peak memory is read.
constexpr auto kSettle = std::chrono::milliseconds(300);
// A start's time on a shared machine varies by a quarter from one to the next, the bare
// window's as much as the client's: enough pairs that their medians settle.
constexpr int kPairs = 15;
constexpr int kStartsWithPanes = 5;
// The seat-change pane waits for the next-hand clock.
constexpr auto kPanesLimit = std::chrono::seconds(40);
constexpr char kAdvertPath[] = "/ad";
constexpr char kSeatChangePath[] = "/ad.gamead";
// The login channel sends on its fourth 50 ms tick.
constexpr double kFourTicksMs = 200;

double millisBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// A started program, ended (SIGKILL) and reaped when it goes out of scope.
class Child {
  public:
    Child(const std::string& program, const std::vector<std::string>& arguments,
          const std::vector<std::string>& extraEnvironment) {
        std::vector<std::string> args = {program};
        args.insert(args.end(), arguments.begin(), arguments.end());
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        std::vector<std::string> env;
        for (char** e = environ; *e; ++e) env.emplace_back(*e);
        for (const auto& entry : extraEnvironment) {
            const auto name = entry.substr(0, entry.find('=') + 1);
            std::erase_if(env, [&](const std::string& e) { return e.starts_with(name); });
            env.push_back(entry);
        }
        std::vector<char*> envp;
        for (auto& e : env) envp.push_back(e.data());
        envp.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        // The programs' chatter (sound back ends and the like) would break up the table.
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        if (::posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), envp.data()) !=
            0) {
            pid_ = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
    }
    ~Child() {
        if (pid_ <= 0) return;
        // Asked first, so that a profiler wrapping the program writes out what it recorded.
        ::kill(pid_, SIGTERM);
        const auto until = Clock::now() + std::chrono::seconds(5);
        while (::waitpid(pid_, nullptr, WNOHANG) == 0) {
            if (Clock::now() > until) {
                ::kill(pid_, SIGKILL);
                ::waitpid(pid_, nullptr, 0);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;
    bool started() const { return pid_ > 0; }

    // The kernel's high-water mark of resident memory, in MB (0 when unknown).
    double peakResidentMb() const {
        std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
        for (std::string line; std::getline(status, line);) {
            if (line.starts_with("VmHWM:")) return std::stod(line.substr(6)) / 1024.0;
        }
        return 0;
    }

    // Where its memory lies, for reading beside the figures: a copy of its memory map with each
    // mapping's resident size, written when KORVASH_BENCH_SMAPS names a folder.
    void saveMemoryMap(const std::string& name) const {
        const char* folder = std::getenv("KORVASH_BENCH_SMAPS");
        if (folder == nullptr || *folder == 0) return;
        // Read, not copied: the kernel gives its files no size.
        std::ifstream map("/proc/" + std::to_string(pid_) + "/smaps");
        std::ofstream(std::filesystem::path(folder) / (name + ".smaps")) << map.rdbuf();
    }

    // CPU time of all its threads so far, in ms.
    double cpuMs() const {
        double ns = 0;
        const std::filesystem::path tasks = "/proc/" + std::to_string(pid_) + "/task";
        std::error_code error;
        for (const auto& task : std::filesystem::directory_iterator(tasks, error)) {
            std::ifstream schedstat(task.path() / "schedstat");
            double onCpu = 0;
            if (schedstat >> onCpu) ns += onCpu;
        }
        return ns / 1e6;
    }

  private:
    pid_t pid_ = -1;
};

// Watches the X server for the first drawing into a top-level window created after watch().
class FirstDrawing {
  public:
    explicit FirstDrawing(Display* display) : display_(display) {
        int error = 0;
        available_ = XDamageQueryExtension(display_, &eventBase_, &error);
        XSelectInput(display_, DefaultRootWindow(display_), SubstructureNotifyMask);
    }
    bool available() const { return available_; }

    // Forgets what came before: windows created from now on are watched.
    void watch() {
        XSync(display_, False);
        while (XPending(display_)) {
            XEvent ignored;
            XNextEvent(display_, &ignored);
        }
        for (const Damage damage : damages_) XDamageDestroy(display_, damage);
        damages_.clear();
        XSync(display_, False);
    }

    // Handles what the server reported; true once a watched window has been drawn into.
    bool poll(std::chrono::milliseconds timeout) {
        pollfd entry{ConnectionNumber(display_), POLLIN, 0};
        if (!XPending(display_)) ::poll(&entry, 1, static_cast<int>(timeout.count()));
        bool drawn = false;
        while (XPending(display_)) {
            XEvent event;
            XNextEvent(display_, &event);
            if (event.type == CreateNotify) {
                damages_.push_back(
                    XDamageCreate(display_, event.xcreatewindow.window, XDamageReportNonEmpty));
            } else if (event.type == eventBase_ + XDamageNotify) {
                drawn = true;
            }
        }
        return drawn;
    }

  private:
    Display* display_;
    bool available_ = false;
    int eventBase_ = 0;
    std::vector<Damage> damages_;
};

// A window that went away before its damage could be made or destroyed is of no interest.
int ignoreErrors(Display*, XErrorEvent*) {
    return 0;
}

// The private X server, a hall window for the client to find, the fake game server and a program
// folder of the client's own (a hard link, so the program takes that folder as its own).
struct Stage {
    support::XvfbServer xvfb;
    support::FakeGameServer server;
    support::FakeWebServer web;
    Display* display = nullptr;
    std::optional<FirstDrawing> drawing;
    std::filesystem::path folder;
    std::string program;
    std::vector<std::string> launcher;  // empty: the program itself
    std::string commandLine;
    std::vector<std::string> environment;
    std::string problem;

    Stage() {
        if (!xvfb.running()) {
            problem = "no Xvfb: " + xvfb.problem();
            return;
        }
        char pattern[] = "/tmp/korvash-bench-XXXXXX";
        if (!::mkdtemp(pattern)) {
            problem = "cannot make a temporary folder";
            return;
        }
        folder = pattern;
        std::filesystem::create_directories(folder / "bin");
        std::filesystem::create_directories(folder / "runtime");
        ::chmod((folder / "runtime").c_str(), 0700);
        program = (folder / "bin" / "korvash").string();
        std::error_code linkError;
        std::filesystem::create_hard_link(KORVASH_EXE, program, linkError);
        if (linkError) std::filesystem::copy_file(KORVASH_EXE, program);
        // A profiler's command in KORVASH_BENCH_WRAPPER ("perf record -g -o /tmp/k.data --",
        // say) runs each client under it; the figures are then the profiler's, not the client's.
        if (const char* wrapper = std::getenv("KORVASH_BENCH_WRAPPER"); wrapper && *wrapper) {
            launcher = {"/bin/sh", "-c", std::string("exec ") + wrapper + " \"$0\" \"$@\"",
                        program};
        }
        environment = {"DISPLAY=" + xvfb.display(), "QT_QPA_PLATFORM=xcb",
                       "XDG_RUNTIME_DIR=" + (folder / "runtime").string()};
        commandLine = "player1$pw$127.0.0.1$" + std::to_string(server.port()) +
                      "$北京$0$127.0.0.1$1080$$$0$Brenmoor山庄$Korvash$0$0$";
        const std::string page =
            "<html><body style='background:#203040;color:white'><p>Korvash</p>"
            "<p>a page of the hall's advertising</p></body></html>";
        web.serve(kAdvertPath, {.body = page});
        web.serve(kSeatChangePath, {.body = page});
        openHallWindow();
        if (!display) return;
        XSetErrorHandler(ignoreErrors);
        drawing.emplace(display);
        if (!drawing->available()) problem = "the X server has no DAMAGE extension";
    }
    ~Stage() {
        drawing.reset();
        if (display) XCloseDisplay(display);
        std::error_code ignored;
        if (!folder.empty()) std::filesystem::remove_all(folder, ignored);
    }

    // The client only needs to find the hall by its caption.
    void openHallWindow() {
        display = XOpenDisplay(xvfb.display().c_str());
        if (!display) {
            problem = "cannot open " + xvfb.display();
            return;
        }
        const ::Window window =
            XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 300, 200, 0, 0, 0);
        const std::string caption = "Brenmoor山庄";
        XChangeProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False),
                        XInternAtom(display, "UTF8_STRING", False), 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(caption.data()),
                        static_cast<int>(caption.size()));
        XMapWindow(display, window);
        XSync(display, False);
    }
};

Stage& stage() {
    static Stage instance;
    return instance;
}

struct Start {
    double shownMs = 0;
    double cpuToShownMs = 0;
    double loginMs = 0;  // the client only, from here on
    double loginWaitMs = 0;
    double cpuToLoginMs = 0;
    double peakMb = 0;
};

// Waits, watching the X server, until the program has drawn its first window and done().
template <typename Done>
bool waitShownAnd(Stage& s, const Child& child, Clock::time_point start, Start& figures,
                  Done done) {
    bool shown = false;
    while (Clock::now() < start + kLimit) {
        if (!shown && s.drawing->poll(std::chrono::milliseconds(1))) {
            shown = true;
            figures.shownMs = millisBetween(start, Clock::now());
            figures.cpuToShownMs = child.cpuMs();
        }
        if (shown && done()) return true;
        if (shown) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

std::optional<Start> startBareWindow(Stage& s) {
    Start figures;
    s.drawing->watch();
    const auto start = Clock::now();
    Child bare(BARE_WINDOW_EXE, {}, s.environment);
    if (!bare.started() || !waitShownAnd(s, bare, start, figures, [] { return true; })) {
        return std::nullopt;
    }
    std::this_thread::sleep_for(kSettle);
    figures.peakMb = bare.peakResidentMb();
    bare.saveMemoryMap("bare");
    return figures;
}

// Plays the hand's end as a server would, so that the client's next-hand clock runs: the hand
// starts with a seat change offered and all four results arrive.
void endAHandOfferingSeatChange(Stage& s) {
    s.server.send(support::BuildHandStart({.seatChange = 1}));
    for (int place = 1; place <= 4; ++place) {
        const auto seatFlag = std::uint8_t(1 << (place - 1));
        s.server.send(support::BuildHandResult({.seat = seatFlag, .place = std::uint8_t(place)}));
    }
    s.server.waitUntilSent();
}

enum class Panes { Hidden, Showing };

std::optional<Start> startClient(Stage& s, Panes panes = Panes::Hidden) {
    Start figures;
    s.server.clearFrames();
    s.drawing->watch();
    const auto start = Clock::now();
    // Ended on return, so the next copy finds neither its lock nor its connection.
    Child client =
        s.launcher.empty()
            ? Child(s.program, {s.commandLine}, s.environment)
            : Child(s.launcher[0], {s.launcher[1], s.launcher[2], s.launcher[3], s.commandLine},
                    s.environment);
    bool loginSeen = false;
    const auto loggedIn = [&] {
        if (!loginSeen && s.server.frameCount() > 0) {
            loginSeen = true;
            figures.cpuToLoginMs = client.cpuMs();
        }
        return loginSeen;
    };
    if (!client.started() || !waitShownAnd(s, client, start, figures, loggedIn)) {
        return std::nullopt;
    }
    const auto loginAt = s.server.frameTimes().front();
    figures.loginMs = millisBetween(start, loginAt);
    figures.loginWaitMs = millisBetween(s.server.lastConnectedAt(), loginAt);
    // At the table: the login answer and the player's own record, as a server seats a player.
    const int advertsBefore = s.web.requestCount(kAdvertPath);
    const int seatChangesBefore = s.web.requestCount(kSeatChangePath);
    support::LoginReply reply;
    if (panes == Panes::Showing) reply.adUrl = s.web.url(kAdvertPath);
    s.server.send(support::BuildLoginReply(reply));
    support::PlayerInfoFrame own;
    own.nickname = "player1";
    own.account = "player1";
    own.location = support::gbk(QStringLiteral("北京"));
    s.server.send(support::BuildPlayerInfo(own));
    s.server.waitUntilSent();
    if (panes == Panes::Showing) {
        endAHandOfferingSeatChange(s);
        const auto until = Clock::now() + kPanesLimit;
        while (s.web.requestCount(kAdvertPath) == advertsBefore ||
               s.web.requestCount(kSeatChangePath) == seatChangesBefore) {
            if (Clock::now() > until) return std::nullopt;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
    std::this_thread::sleep_for(kSettle);
    figures.peakMb = client.peakResidentMb();
    client.saveMemoryMap(panes == Panes::Showing ? "client-with-panes" : "client");
    return figures;
}

std::vector<Start> clientStarts;
std::vector<Start> bareStarts;
std::vector<Start> panesStarts;
std::vector<Start> panesBareStarts;

// Each iteration is one pair, the bare window first; the manual time is the client's start to
// shown.
void ClientAgainstBareWindow(benchmark::State& state) {
    Stage& s = stage();
    if (!s.problem.empty()) {
        state.SkipWithError(s.problem.c_str());
        return;
    }
    // Warm-up: the first starts pay for cold caches.
    startBareWindow(s);
    startClient(s);
    for (auto _ : state) {
        const auto bare = startBareWindow(s);
        const auto client = startClient(s);
        if (!bare || !client) {
            state.SkipWithError("a program did not get there in time");
            return;
        }
        state.SetIterationTime(client->shownMs / 1000);
        bareStarts.push_back(*bare);
        clientStarts.push_back(*client);
    }
}
BENCHMARK(ClientAgainstBareWindow)
    ->Iterations(kPairs)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The client until both web panes have asked for their pages, each start paired with a bare
// window's as above (a start just after a client that played a hand is slower for both); the
// manual time is its start to shown.
void ClientWithBothWebPanes(benchmark::State& state) {
    Stage& s = stage();
    if (!s.problem.empty()) {
        state.SkipWithError(s.problem.c_str());
        return;
    }
    for (auto _ : state) {
        const auto bare = startBareWindow(s);
        const auto client = startClient(s, Panes::Showing);
        if (!bare || !client) {
            state.SkipWithError("the web panes did not both show in time");
            return;
        }
        state.SetIterationTime(client->shownMs / 1000);
        panesBareStarts.push_back(*bare);
        panesStarts.push_back(*client);
    }
}
BENCHMARK(ClientWithBothWebPanes)
    ->Iterations(kStartsWithPanes)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

double median(const std::vector<Start>& starts, double Start::*figure) {
    std::vector<double> values;
    for (const auto& s : starts) values.push_back(s.*figure);
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

void printSideBySide() {
    if (clientStarts.empty() || bareStarts.empty()) return;
    const auto c = [](double Start::*f) { return median(clientStarts, f); };
    const auto b = [](double Start::*f) { return median(bareStarts, f); };
    std::printf("start-up, median of %zu pairs      client    bare Qt window   ratio\n",
                clientStarts.size());
    std::printf("  start to shown                %7.1f ms   %7.1f ms       %5.2f\n",
                c(&Start::shownMs), b(&Start::shownMs), c(&Start::shownMs) / b(&Start::shownMs));
    std::printf("  CPU to shown                  %7.1f ms   %7.1f ms       %5.2f\n",
                c(&Start::cpuToShownMs), b(&Start::cpuToShownMs),
                c(&Start::cpuToShownMs) / b(&Start::cpuToShownMs));
    std::printf("  start to the login frame      %7.1f ms\n", c(&Start::loginMs));
    std::printf(
        "  login channel's wait          %7.1f ms   (connection up to the frame; "
        "four ticks are %.0f ms)\n",
        c(&Start::loginWaitMs), kFourTicksMs);
    std::printf("  CPU to the login frame        %7.1f ms\n", c(&Start::cpuToLoginMs));
    std::printf("  peak resident memory          %7.1f MB   %7.1f MB       %5.2f\n",
                c(&Start::peakMb), b(&Start::peakMb), c(&Start::peakMb) / b(&Start::peakMb));
    if (panesStarts.empty()) return;
    const auto p = [](double Start::*f) { return median(panesStarts, f); };
    const auto pb = [](double Start::*f) { return median(panesBareStarts, f); };
    std::printf("with both web panes showing, median of %zu pairs\n", panesStarts.size());
    std::printf("  start to shown                %7.1f ms   %7.1f ms       %5.2f\n",
                p(&Start::shownMs), pb(&Start::shownMs), p(&Start::shownMs) / pb(&Start::shownMs));
    std::printf("  start to the login frame      %7.1f ms\n", p(&Start::loginMs));
    std::printf("  peak resident memory          %7.1f MB   %7.1f MB       %5.2f\n",
                p(&Start::peakMb), pb(&Start::peakMb), p(&Start::peakMb) / pb(&Start::peakMb));
    std::printf("  peak resident memory without the panes, above: %.1f MB (+%.1f MB)\n",
                c(&Start::peakMb), p(&Start::peakMb) - c(&Start::peakMb));
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    printSideBySide();
    return 0;
}
