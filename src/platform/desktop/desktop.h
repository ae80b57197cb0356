#pragma once

#include <QPointer>
#include <QString>
#include <QUrl>
#include <QWidget>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>

#include "platform/desktop/window_message.h"
#include "platform/runtime/scheduler.h"

namespace platform {

// What one of this program's windows does when another program restores or minimises it.
// Left empty, the window's widget is shown normally or minimised.
struct WindowActions {
    std::function<void()> restore;
    std::function<void()> minimise;
};

// The desktop as programs see it: top-level windows found by caption, messages posted between
// programs, and system commands. This program's own windows receive their messages through a
// window procedure that the program may replace, keeping the previous one to pass messages on.
//
// Back ends: X11Desktop for the running program, FakeDesktop for tests.
class Desktop {
  public:
    explicit Desktop(Scheduler& scheduler);
    virtual ~Desktop();
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    // A top-level window whose caption is exactly `caption` (any program, this one included);
    // none when there is no such window.
    virtual WindowHandle findWindow(const QString& caption) = 0;
    // Whether the handle still names a window.
    virtual bool windowExists(WindowHandle window) = 0;
    // Posts a message and returns at once; it is handled later by the window's owner. A message
    // to a window that is gone is dropped.
    virtual void postMessage(WindowHandle target, std::uint32_t message, std::int32_t wParam = 0,
                             std::int32_t lParam = 0) = 0;
    // Sends a system command and returns once it has been handed over; false when the window is
    // gone.
    virtual bool sendSystemCommand(WindowHandle target, SystemCommand command) = 0;

    // Hands a web address to the user's browser. Only http and https addresses are handed on;
    // anything else (files, programs, other schemes) is refused and false returned. The
    // browser's own answer is not awaited.
    bool openUrl(const QString& url);
    // Shows a folder of this machine in the user's file manager; only an existing folder is
    // handed on (false otherwise). The file manager's own answer is not awaited.
    bool openFolder(const std::filesystem::path& folder);
    // Starts another program with one argument and returns at once; the program is neither
    // waited for nor watched. False when it could not be started.
    virtual bool startProgram(const std::filesystem::path& program, const QString& argument) = 0;

    // Makes one of this program's top-level windows reachable by other programs; its window
    // procedure starts as the default one (system commands restore and minimise, everything
    // else ignored).
    WindowHandle attachWindow(QWidget& window, WindowActions actions = {});
    void detachWindow(WindowHandle window);
    bool isOwnWindow(WindowHandle window) const;

    // Replaces an own window's procedure and returns the previous one.
    WindowProcedure setWindowProcedure(WindowHandle window, WindowProcedure procedure);
    WindowProcedure windowProcedure(WindowHandle window) const;
    // Calls a procedure (such as a kept previous one); an empty one returns 0.
    static std::int32_t callWindowProcedure(const WindowProcedure& procedure, WindowHandle window,
                                            std::uint32_t message, std::int32_t wParam,
                                            std::int32_t lParam);
    // The default procedure's handling of the system commands, for an own window.
    void restoreWindow(WindowHandle window);
    void minimiseWindow(WindowHandle window);

  protected:
    // Opens an address that openUrl or openFolder has already checked.
    virtual void launchUrl(const QUrl& url) = 0;
    // The handle other programs know the window by.
    virtual WindowHandle handleOf(QWidget& window) = 0;
    // An own window's caption as others see it; empty when it is not an own window.
    QString ownCaption(WindowHandle window) const;
    // The own window with this caption, if any.
    WindowHandle findOwnWindow(const QString& caption) const;
    // Any own window, to name as the sender of posted messages.
    WindowHandle anyOwnWindow() const;
    // An own window's widget; null when it is not (or no longer) an own window.
    QWidget* ownWidget(WindowHandle window) const;
    // The own window (by the handle it was attached with) whose widget `matches`, if any.
    WindowHandle findOwnWindow(const std::function<bool(const QWidget&)>& matches) const;
    // Runs an arrived message through the window's procedure, as an event of the scheduler.
    // Messages for windows that are not (or no longer) own windows are dropped.
    void deliver(WindowHandle window, std::uint32_t message, std::int32_t wParam,
                 std::int32_t lParam);
    // Calls the procedure directly, as a sent message does.
    std::int32_t handleNow(WindowHandle window, std::uint32_t message, std::int32_t wParam,
                           std::int32_t lParam);

    Scheduler& scheduler_;

  private:
    struct OwnWindow {
        QPointer<QWidget> widget;
        WindowActions actions;
        WindowProcedure procedure;
    };
    const OwnWindow* own(WindowHandle window) const;
    std::int32_t defaultProcedure(WindowHandle window, std::uint32_t message, std::int32_t wParam);

    std::map<WindowHandle, OwnWindow> own_;
};

}  // namespace platform
