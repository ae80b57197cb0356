#include "platform/desktop/x11_desktop.h"

#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QProcess>
#include <QWidget>
#include <QWindow>
#include <vector>

// Xlib's macros (None, Bool, Status, ...) clash with Qt's names: its headers come last.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <xcb/xcb.h>

namespace platform {

namespace {

// A window can vanish between being found and being used; the default Xlib handler would end
// the program for that. Every error here only means the request had no effect.
int ignoreXError(Display*, XErrorEvent*) {
    return 0;
}

// The bytes of one property, released with XFree.
struct Property {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned char* data = nullptr;

    Property() = default;
    Property(const Property&) = delete;
    Property& operator=(const Property&) = delete;
    ~Property() {
        if (data) XFree(data);
    }

    bool read(Display* display, ::Window window, Atom name, Atom wanted) {
        unsigned long after = 0;
        return XGetWindowProperty(display, window, name, 0, 4096, False, wanted, &type, &format,
                                  &count, &after, &data) == Success &&
               data != nullptr;
    }
};

}  // namespace

struct X11Desktop::Connection {
    Display* display = nullptr;
    XErrorHandler previousHandler = nullptr;
    Atom messageAtom = 0;
    Atom netWmName = 0;
    Atom utf8String = 0;
    Atom netClientList = 0;

    ~Connection() {
        if (display) XCloseDisplay(display);
        XSetErrorHandler(previousHandler);
    }

    QString caption(::Window window) const {
        {
            Property name;
            if (name.read(display, window, netWmName, utf8String) && name.format == 8) {
                return QString::fromUtf8(reinterpret_cast<const char*>(name.data),
                                         static_cast<qsizetype>(name.count));
            }
        }
        Property name;
        if (!name.read(display, window, XA_WM_NAME, AnyPropertyType) || name.format != 8) {
            return {};
        }
        const char* bytes = reinterpret_cast<const char*>(name.data);
        const auto length = static_cast<qsizetype>(name.count);
        if (name.type == utf8String) return QString::fromUtf8(bytes, length);
        if (name.type == XA_STRING) return QString::fromLatin1(bytes, length);
        // Compound text and the like: let Xlib convert.
        XTextProperty text{name.data, name.type, name.format, name.count};
        char** list = nullptr;
        int entries = 0;
        QString result;
        if (Xutf8TextPropertyToTextList(display, &text, &list, &entries) >= Success && list &&
            entries > 0) {
            result = QString::fromUtf8(list[0]);
        }
        if (list) XFreeStringList(list);
        return result;
    }

    std::vector<::Window> topLevelWindows() const {
        std::vector<::Window> windows;
        const ::Window root = DefaultRootWindow(display);
        // A window manager's client list first: its frames, children of the root, rarely carry
        // the programs' titles.
        {
            Property clients;
            if (clients.read(display, root, netClientList, XA_WINDOW) && clients.format == 32) {
                const auto* ids = reinterpret_cast<const unsigned long*>(clients.data);
                windows.insert(windows.end(), ids, ids + clients.count);
            }
        }
        ::Window rootReturn = 0, parent = 0;
        ::Window* children = nullptr;
        unsigned int count = 0;
        if (XQueryTree(display, root, &rootReturn, &parent, &children, &count) && children) {
            windows.insert(windows.end(), children, children + count);
            XFree(children);
        }
        return windows;
    }
};

class X11Desktop::Receiver : public QAbstractNativeEventFilter {
  public:
    Receiver(X11Desktop& owner, std::uint32_t atom) : owner_(owner), atom_(atom) {}

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
        if (eventType != "xcb_generic_event_t") return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7F) != XCB_CLIENT_MESSAGE) return false;
        const auto* client = reinterpret_cast<const xcb_client_message_event_t*>(event);
        if (client->format != 32 || client->type != atom_) return false;
        owner_.arrived(client->window, client->data.data32[0],
                       static_cast<std::int32_t>(client->data.data32[1]),
                       static_cast<std::int32_t>(client->data.data32[2]));
        return true;
    }

  private:
    X11Desktop& owner_;
    std::uint32_t atom_;
};

std::unique_ptr<X11Desktop> X11Desktop::open(Scheduler& scheduler, const std::string& display) {
    auto connection = std::make_unique<Connection>();
    connection->previousHandler = XSetErrorHandler(ignoreXError);
    connection->display = XOpenDisplay(display.empty() ? nullptr : display.c_str());
    if (!connection->display) return nullptr;
    Display* x = connection->display;
    connection->messageAtom = XInternAtom(x, "_KORVASH_WINDOW_MESSAGE", False);
    connection->netWmName = XInternAtom(x, "_NET_WM_NAME", False);
    connection->utf8String = XInternAtom(x, "UTF8_STRING", False);
    connection->netClientList = XInternAtom(x, "_NET_CLIENT_LIST", False);
    return std::unique_ptr<X11Desktop>(new X11Desktop(scheduler, std::move(connection)));
}

X11Desktop::X11Desktop(Scheduler& scheduler, std::unique_ptr<Connection> connection)
    : Desktop(scheduler), connection_(std::move(connection)) {
    receiver_ =
        std::make_unique<Receiver>(*this, static_cast<std::uint32_t>(connection_->messageAtom));
    if (auto* application = QCoreApplication::instance()) {
        application->installNativeEventFilter(receiver_.get());
    }
}

X11Desktop::~X11Desktop() {
    if (auto* application = QCoreApplication::instance()) {
        application->removeNativeEventFilter(receiver_.get());
    }
}

namespace {

// The X window a widget has now; 0 while it has none. The widget's own winId() can lag behind a
// re-creation; its QWindow knows.
std::uint64_t xWindowNow(const QWidget& widget) {
    const QWindow* window = widget.windowHandle();
    // Asked without a platform window, winId() would create one.
    return window && window->handle() ? static_cast<std::uint64_t>(window->winId()) : 0;
}

}  // namespace

std::uint64_t X11Desktop::currentXWindow(WindowHandle window) const {
    const QWidget* widget = ownWidget(window);
    const std::uint64_t now = widget ? xWindowNow(*widget) : 0;
    return now != 0 ? now : window.value;
}

WindowHandle X11Desktop::attachedHandle(std::uint64_t xWindow) const {
    if (isOwnWindow(WindowHandle{xWindow})) return WindowHandle{xWindow};
    const WindowHandle own =
        findOwnWindow([xWindow](const QWidget& widget) { return xWindowNow(widget) == xWindow; });
    return own ? own : WindowHandle{xWindow};
}

WindowHandle X11Desktop::findWindow(const QString& caption) {
    for (const ::Window window : connection_->topLevelWindows()) {
        if (connection_->caption(window) == caption) return attachedHandle(window);
    }
    return {};
}

bool X11Desktop::windowExists(WindowHandle window) {
    if (!window) return false;
    XWindowAttributes attributes;
    return XGetWindowAttributes(connection_->display, static_cast<::Window>(currentXWindow(window)),
                                &attributes) != 0;
}

void X11Desktop::send(WindowHandle target, std::uint32_t message, std::int32_t wParam,
                      std::int32_t lParam) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = static_cast<::Window>(currentXWindow(target));
    event.xclient.message_type = connection_->messageAtom;
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(message);
    event.xclient.data.l[1] = wParam;
    event.xclient.data.l[2] = lParam;
    event.xclient.data.l[3] = static_cast<long>(currentXWindow(anyOwnWindow()));
    // An empty mask sends it to the program that made the window.
    XSendEvent(connection_->display, event.xclient.window, False, NoEventMask, &event);
}

void X11Desktop::postMessage(WindowHandle target, std::uint32_t message, std::int32_t wParam,
                             std::int32_t lParam) {
    if (!target) return;
    send(target, message, wParam, lParam);
    XFlush(connection_->display);
}

bool X11Desktop::sendSystemCommand(WindowHandle target, SystemCommand command) {
    if (!windowExists(target)) return false;
    send(target, kSystemCommandMessage, static_cast<std::int32_t>(command), 0);
    XSync(connection_->display, False);
    return true;
}

bool X11Desktop::startProgram(const std::filesystem::path& program, const QString& argument) {
    return QProcess::startDetached(QString::fromStdString(program.string()), {argument});
}

void X11Desktop::launchUrl(const QUrl& url) {
    QDesktopServices::openUrl(url);
}

WindowHandle X11Desktop::handleOf(QWidget& window) {
    return WindowHandle{static_cast<std::uint64_t>(window.winId())};
}

void X11Desktop::arrived(std::uint64_t window, std::uint32_t message, std::int32_t wParam,
                         std::int32_t lParam) {
    // Handled as a posted event, outside Qt's processing of the X event queue, so a window
    // procedure may wait and process events itself.
    scheduler_.post([this, alive = std::weak_ptr(alive_), window, message, wParam, lParam] {
        if (alive.expired()) return;
        const WindowHandle handle = attachedHandle(window);
        if (isOwnWindow(handle)) handleNow(handle, message, wParam, lParam);
    });
}

}  // namespace platform
