#pragma once

#include <QSocketNotifier>
#include <QString>
#include <cstdint>
#include <memory>
#include <set>
#include <string>

namespace support {

// A small window manager for a private X server, run on the test's thread (a socket notifier
// wakes the Qt loop when it has work). It does what the programs on a desktop rely on: it maps
// what asks to be mapped, iconifies on WM_CHANGE_STATE and maps again on a map request, keeps
// _NET_WM_STATE from the client messages sent to the root (for the windows it manages), drops
// a window's _NET_WM_STATE when the window is withdrawn, as EWMH asks, and keeps the windows in
// state ABOVE over the others. It draws no frames and does not reparent.
class FakeWindowManager {
  public:
    explicit FakeWindowManager(const std::string& display);
    ~FakeWindowManager();
    FakeWindowManager(const FakeWindowManager&) = delete;
    FakeWindowManager& operator=(const FakeWindowManager&) = delete;

    // False when another window manager runs or the display cannot be reached.
    bool running() const { return running_; }

    // Handles whatever has arrived (the socket notifier calls it too).
    void process();

    // The window's _NET_WM_STATE holds the atom.
    bool hasState(std::uint64_t window, const char* state);
    bool iconic(std::uint64_t window) const { return iconic_.count(window) != 0; }

  private:
    struct Connection;
    void processQueued();
    void changeState(unsigned long window, long action, unsigned long first, unsigned long second);
    void setWmState(unsigned long window, long state);
    bool holds(std::uint64_t window, const char* state) const;

    std::unique_ptr<Connection> connection_;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::set<std::uint64_t> managed_;  // mapped by it, or iconic
    std::set<std::uint64_t> iconic_;
    bool running_ = false;
};

}  // namespace support
