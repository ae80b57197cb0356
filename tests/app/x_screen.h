#pragma once

// A person at a private X server, as a test drives another program's windows: finds a window by
// its caption, looks at the screen and clicks with the pointer through the XTest extension, so
// the clicks reach the program as real input.
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <cstdint>
#include <optional>
#include <string>

struct _XDisplay;

namespace app_test {

class XScreen {
  public:
    explicit XScreen(const std::string& display);
    ~XScreen();
    XScreen(const XScreen&) = delete;
    XScreen& operator=(const XScreen&) = delete;

    // Whether the display is open and has the XTest extension.
    bool ready() const { return display_ != nullptr && hasTest_; }

    // A mapped top-level window with exactly this caption, or 0.
    unsigned long findWindow(const QString& caption) const;
    // The window's inner corner on the screen, and its place and size there.
    std::optional<QPoint> origin(unsigned long window) const;
    std::optional<QRect> placeOf(unsigned long window) const;
    // The screen's pixels in `area` (clipped to the screen).
    QImage grab(const QRect& area) const;
    QImage grabScreen() const;
    // A left click at a screen point: the pointer moves there, presses and releases.
    void click(QPoint at);
    // Moves the pointer out of the way (a hovered card or button changes its look).
    void park();
    // Moves a top-level window (there is no window manager to ask).
    void moveWindow(unsigned long window, QPoint to);
    // Posts a window message to a program's window as the hall does.
    void postMessage(unsigned long window, std::uint32_t message);

  private:
    _XDisplay* display_ = nullptr;
    bool hasTest_ = false;
};

}  // namespace app_test
