#pragma once

#include <memory>
#include <string>

#include "platform/desktop/desktop.h"

namespace platform {

// The desktop on an X11 display. Windows are found by _NET_WM_NAME (else WM_NAME) among the
// top-level windows; a message is a ClientMessage of the atom _KORVASH_WINDOW_MESSAGE (format
// 32: l[0] the number, l[1] wParam, l[2] lParam, l[3] the sender's window or 0) sent to the
// target with an empty event mask, so it reaches the program that made the window. A system
// command is message 0x0112 sent the same way, followed by a round trip to the server.
//
// Sending uses a connection of its own; this program's windows receive through a native event
// filter on Qt's connection, which must be the xcb platform on the same display.
class X11Desktop : public Desktop {
  public:
    // Connects to `display` (DISPLAY when empty); null when no X server can be reached.
    static std::unique_ptr<X11Desktop> open(Scheduler& scheduler, const std::string& display = {});
    ~X11Desktop() override;

    WindowHandle findWindow(const QString& caption) override;
    bool windowExists(WindowHandle window) override;
    void postMessage(WindowHandle target, std::uint32_t message, std::int32_t wParam = 0,
                     std::int32_t lParam = 0) override;
    bool sendSystemCommand(WindowHandle target, SystemCommand command) override;
    bool startProgram(const std::filesystem::path& program, const QString& argument) override;

  protected:
    WindowHandle handleOf(QWidget& window) override;
    // The desktop's own URL handler (xdg-open and the like, through Qt).
    void launchUrl(const QUrl& url) override;

  private:
    struct Connection;
    class Receiver;
    X11Desktop(Scheduler& scheduler, std::unique_ptr<Connection> connection);
    void send(WindowHandle target, std::uint32_t message, std::int32_t wParam, std::int32_t lParam);
    // The forms view keeps its X window from load to unload (it changes frame and stacking in
    // place, see forms::setNativeStaysOnTop), so a window's handle is its X window. A plain
    // widget whose Qt flags change is given a new X window at its next show, though; for such a
    // window this program keeps the handle it attached, addresses the X window of the moment,
    // and takes others' messages to either.
    std::uint64_t currentXWindow(WindowHandle window) const;
    WindowHandle attachedHandle(std::uint64_t xWindow) const;
    // Called by the receiver for every message of our atom that reaches Qt's connection.
    void arrived(std::uint64_t window, std::uint32_t message, std::int32_t wParam,
                 std::int32_t lParam);

    std::unique_ptr<Connection> connection_;
    std::unique_ptr<Receiver> receiver_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace platform
