#pragma once

#include <sys/types.h>

#include <optional>
#include <string>

namespace support {

// A private X server (Xvfb) for tests that need a real X11 display. It picks a free display
// number itself, so tests running side by side never share one.
class XvfbServer {
  public:
    // The Xvfb program on PATH, if installed.
    static std::optional<std::string> findExecutable();

    // Starts Xvfb and waits until it accepts connections.
    XvfbServer();
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    bool running() const { return !display_.empty(); }
    // ":N", usable as DISPLAY; empty when the server did not start.
    const std::string& display() const { return display_; }
    // Why it did not start.
    const std::string& problem() const { return problem_; }

  private:
    void stop();

    pid_t pid_ = -1;
    std::string display_;
    std::string problem_;
};

}  // namespace support
