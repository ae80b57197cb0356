#include "support/xvfb_server.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <thread>
#include <vector>

#include "support/loopback.h"

extern char** environ;

namespace support {

namespace {
constexpr std::chrono::seconds kStartLimit{15};
}

std::optional<std::string> XvfbServer::findExecutable() {
    const char* path = std::getenv("PATH");
    std::istringstream folders(path ? path : "/usr/bin:/bin");
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        if (folder.empty()) continue;
        const auto candidate = std::filesystem::path(folder) / "Xvfb";
        if (::access(candidate.c_str(), X_OK) == 0) return candidate.string();
    }
    return std::nullopt;
}

XvfbServer::XvfbServer() {
    const auto program = findExecutable();
    if (!program) {
        problem_ = "Xvfb is not installed (package xvfb)";
        return;
    }
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        problem_ = "cannot make a pipe";
        return;
    }
    UniqueFd readEnd(fds[0]);
    // Kept clear of 3, where the child is to find it: a dup2 onto itself would leave it
    // close-on-exec.
    UniqueFd writeEnd(::fcntl(fds[1], F_DUPFD_CLOEXEC, 10));
    ::close(fds[1]);

    // Xvfb writes the display number it chose to this descriptor once it is ready.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, writeEnd.get(), 3);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<std::string> arguments = {*program, "-displayfd", "3", "-nolisten",
                                          "tcp",    "-screen",    "0", "1280x1024x24"};
    std::vector<char*> argv;
    for (auto& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    const int spawned =
        ::posix_spawn(&pid_, program->c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    writeEnd.reset();
    if (spawned != 0) {
        pid_ = -1;
        problem_ = "cannot start " + *program;
        return;
    }

    std::string number;
    const auto deadline = std::chrono::steady_clock::now() + kStartLimit;
    while (number.empty() || number.back() != '\n') {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd entry{readEnd.get(), POLLIN, 0};
        if (left.count() <= 0 || ::poll(&entry, 1, static_cast<int>(left.count())) <= 0) break;
        char c;
        if (::read(readEnd.get(), &c, 1) != 1) break;
        number.push_back(c);
    }
    if (number.empty() || number.back() != '\n') {
        problem_ = "Xvfb did not report a display";
        stop();
        return;
    }
    number.pop_back();
    display_ = ":" + number;
}

XvfbServer::~XvfbServer() {
    stop();
}

void XvfbServer::stop() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    for (int i = 0; i < 200; ++i) {
        if (::waitpid(pid_, nullptr, WNOHANG) == pid_) {
            pid_ = -1;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
}

}  // namespace support
