#include "x_screen.h"

#include <memory>
#include <vector>

// Xlib last: its macros clash with other names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace app_test {
namespace {

QString TextProperty(Display* display, Window window, Atom property, Atom type) {
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, property, 0, 1024, False, type, &actualType, &format,
                           &count, &after, &data) != Success ||
        data == nullptr) {
        return {};
    }
    const std::unique_ptr<unsigned char, int (*)(void*)> owned(data, XFree);
    if (actualType != type || format != 8) return {};
    const auto* bytes = reinterpret_cast<const char*>(data);
    return type == XA_STRING ? QString::fromLatin1(bytes, int(count))
                             : QString::fromUtf8(bytes, int(count));
}

QString Caption(Display* display, Window window) {
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    const QString name = TextProperty(display, window, netName, utf8);
    return name.isEmpty() ? TextProperty(display, window, XA_WM_NAME, XA_STRING) : name;
}

}  // namespace

XScreen::XScreen(const std::string& display) : display_(XOpenDisplay(display.c_str())) {
    if (!display_) return;
    int event = 0;
    int error = 0;
    int major = 0;
    int minor = 0;
    hasTest_ = XTestQueryExtension(display_, &event, &error, &major, &minor) != 0;
}

XScreen::~XScreen() {
    if (display_) XCloseDisplay(display_);
}

unsigned long XScreen::findWindow(const QString& caption) const {
    if (!display_) return 0;
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count)) {
        return 0;
    }
    const std::unique_ptr<Window, int (*)(void*)> owned(children, XFree);
    // The topmost match: children come bottom to top.
    for (unsigned int i = count; i-- > 0;) {
        XWindowAttributes attributes{};
        if (!XGetWindowAttributes(display_, children[i], &attributes)) continue;
        if (attributes.map_state != IsViewable) continue;
        if (Caption(display_, children[i]) == caption) return children[i];
    }
    return 0;
}

std::optional<QPoint> XScreen::origin(unsigned long window) const {
    if (!display_ || window == 0) return std::nullopt;
    int x = 0;
    int y = 0;
    Window child = 0;
    if (!XTranslateCoordinates(display_, window, DefaultRootWindow(display_), 0, 0, &x, &y,
                               &child)) {
        return std::nullopt;
    }
    return QPoint(x, y);
}

std::optional<QRect> XScreen::placeOf(unsigned long window) const {
    const auto corner = origin(window);
    XWindowAttributes attributes{};
    if (!corner || !XGetWindowAttributes(display_, window, &attributes)) return std::nullopt;
    return QRect(*corner, QSize(attributes.width, attributes.height));
}

QImage XScreen::grab(const QRect& area) const {
    if (!display_) return {};
    const int screen = DefaultScreen(display_);
    const QRect clipped = area.intersected(
        QRect(0, 0, DisplayWidth(display_, screen), DisplayHeight(display_, screen)));
    if (clipped.isEmpty()) return {};
    XImage* image =
        XGetImage(display_, DefaultRootWindow(display_), clipped.x(), clipped.y(),
                  unsigned(clipped.width()), unsigned(clipped.height()), AllPlanes, ZPixmap);
    if (!image) return {};
    QImage shot(clipped.size(), QImage::Format_RGB32);
    for (int y = 0; y < clipped.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(shot.scanLine(y));
        for (int x = 0; x < clipped.width(); ++x) {
            line[x] = QRgb(XGetPixel(image, x, y)) | 0xff000000u;
        }
    }
    XDestroyImage(image);
    return shot;
}

QImage XScreen::grabScreen() const {
    if (!display_) return {};
    const int screen = DefaultScreen(display_);
    return grab(QRect(0, 0, DisplayWidth(display_, screen), DisplayHeight(display_, screen)));
}

void XScreen::click(QPoint at) {
    if (!ready()) return;
    XTestFakeMotionEvent(display_, -1, at.x(), at.y(), CurrentTime);
    XSync(display_, False);
    XTestFakeButtonEvent(display_, 1, True, CurrentTime);
    XSync(display_, False);
    XTestFakeButtonEvent(display_, 1, False, CurrentTime);
    XSync(display_, False);
}

void XScreen::park() {
    if (!ready()) return;
    const int screen = DefaultScreen(display_);
    XTestFakeMotionEvent(display_, -1, DisplayWidth(display_, screen) - 1,
                         DisplayHeight(display_, screen) - 1, CurrentTime);
    XSync(display_, False);
}

void XScreen::moveWindow(unsigned long window, QPoint to) {
    if (!display_ || window == 0) return;
    XMoveWindow(display_, window, to.x(), to.y());
    XSync(display_, False);
}

void XScreen::postMessage(unsigned long window, std::uint32_t message) {
    if (!display_ || window == 0) return;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display_, "_KORVASH_WINDOW_MESSAGE", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(message);
    XSendEvent(display_, window, False, NoEventMask, &event);
    XFlush(display_);
}

}  // namespace app_test
