// Start-up of the client as the player feels it: from the hall starting the program to the login
// frame reaching the game server, against the time the least Qt program takes to show a window
// (bare_window), both on the same private X server in the same run, so the ratio says what the
// client's own start-up costs over the toolkit's.
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
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "support/fake_game_server.h"
#include "support/xvfb_server.h"

// Xlib last: its macros clash with other names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kLimit = std::chrono::seconds(30);
constexpr int kIterations = 5;

// A started program, ended (SIGKILL) and reaped when it goes out of scope.
class Child {
  public:
    Child(const std::string& program, const std::vector<std::string>& arguments,
          const std::vector<std::string>& extraEnvironment, int stdoutFd) {
        std::vector<std::string> args = {program};
        args.insert(args.end(), arguments.begin(), arguments.end());
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        std::vector<std::string> env(environ, environ + countEnvironment());
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
        if (stdoutFd >= 0) {
            posix_spawn_file_actions_adddup2(&actions, stdoutFd, 1);
        } else {
            posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        }
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        if (::posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), envp.data()) !=
            0) {
            pid_ = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
    }
    ~Child() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;
    bool started() const { return pid_ > 0; }

  private:
    static std::size_t countEnvironment() {
        std::size_t n = 0;
        while (environ[n]) ++n;
        return n;
    }
    pid_t pid_ = -1;
};

// The private X server, a hall window for the client to find, the fake game server and a program
// folder of the client's own (a hard link, so the program takes that folder as its own).
struct Stage {
    support::XvfbServer xvfb;
    support::FakeGameServer server;
    Display* display = nullptr;
    std::filesystem::path folder;
    std::string program;
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
        environment = {"DISPLAY=" + xvfb.display(), "QT_QPA_PLATFORM=xcb",
                       "XDG_RUNTIME_DIR=" + (folder / "runtime").string()};
        commandLine = "player1$pw$127.0.0.1$" + std::to_string(server.port()) +
                      "$北京$0$127.0.0.1$1080$$$0$Brenmoor山庄$Korvash$0$0$";
        openHallWindow();
    }
    ~Stage() {
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

std::vector<double> clientSeconds;
std::vector<double> bareSeconds;

// One start of the client, until its login frame is at the server; nullopt when it never came.
std::optional<double> timeClientLogin(Stage& s) {
    s.server.clearFrames();
    const auto start = Clock::now();
    // Ended on return, so the next copy finds neither its lock nor its connection.
    Child client(s.program, {s.commandLine}, s.environment, -1);
    if (!client.started() || !s.server.waitForFrames(1, kLimit)) return std::nullopt;
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// One start of the bare window program, until it says its window is shown.
std::optional<double> timeBareWindow(Stage& s) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return std::nullopt;
    const auto start = Clock::now();
    std::optional<double> seconds;
    {
        Child bare(BARE_WINDOW_EXE, {}, s.environment, fds[1]);
        ::close(fds[1]);
        std::string line;
        while (bare.started() && line.find('\n') == std::string::npos) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(start + kLimit -
                                                                                    Clock::now());
            pollfd entry{fds[0], POLLIN, 0};
            if (left.count() <= 0 || ::poll(&entry, 1, static_cast<int>(left.count())) <= 0) break;
            char buffer[64];
            const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
            if (n <= 0) break;
            line.append(buffer, static_cast<std::size_t>(n));
        }
        if (line.starts_with("shown")) {
            seconds = std::chrono::duration<double>(Clock::now() - start).count();
        }
    }
    ::close(fds[0]);
    return seconds;
}

void run(benchmark::State& state, std::optional<double> (*once)(Stage&),
         std::vector<double>& record) {
    Stage& s = stage();
    if (!s.problem.empty()) {
        state.SkipWithError(s.problem.c_str());
        return;
    }
    once(s);  // warm-up: the first start pays for cold caches
    for (auto _ : state) {
        const auto seconds = once(s);
        if (!seconds) {
            state.SkipWithError("the program did not get there in time");
            return;
        }
        state.SetIterationTime(*seconds);
        record.push_back(*seconds);
    }
}

void ClientStartToLoginFrame(benchmark::State& state) {
    run(state, timeClientLogin, clientSeconds);
}
void BareQtWindowStartToShown(benchmark::State& state) {
    run(state, timeBareWindow, bareSeconds);
}
BENCHMARK(ClientStartToLoginFrame)
    ->Iterations(kIterations)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BareQtWindowStartToShown)
    ->Iterations(kIterations)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (!clientSeconds.empty() && !bareSeconds.empty()) {
        const double client = median(clientSeconds);
        const double bare = median(bareSeconds);
        std::printf(
            "median start-up: client to login frame %.1f ms, bare Qt window shown %.1f ms, "
            "ratio %.2f\n",
            client * 1000, bare * 1000, client / bare);
    }
    return 0;
}
