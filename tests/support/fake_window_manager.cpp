#include "support/fake_window_manager.h"

#include <algorithm>
#include <vector>

// Xlib last: its macros clash with Qt's names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace support {

namespace {

// A window that vanishes between two requests only costs an ignored error.
int ignoreError(Display*, XErrorEvent*) {
    return 0;
}

}  // namespace

struct FakeWindowManager::Connection {
    Display* display = nullptr;
    Atom netWmState = 0;
    Atom wmState = 0;
    Atom wmChangeState = 0;
    Atom hidden = 0;

    ~Connection() {
        if (display) XCloseDisplay(display);
    }

    std::vector<Atom> states(::Window window) const {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        std::vector<Atom> result;
        if (XGetWindowProperty(display, window, netWmState, 0, 1024, False, XA_ATOM, &type, &format,
                               &count, &after, &data) == Success &&
            data) {
            if (format == 32) {
                const auto* atoms = reinterpret_cast<const Atom*>(data);
                result.assign(atoms, atoms + count);
            }
            XFree(data);
        }
        return result;
    }

    void setStates(::Window window, const std::vector<Atom>& atoms) const {
        XChangeProperty(display, window, netWmState, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(atoms.data()),
                        static_cast<int>(atoms.size()));
    }
};

FakeWindowManager::FakeWindowManager(const std::string& display)
    : connection_(std::make_unique<Connection>()) {
    connection_->display = XOpenDisplay(display.c_str());
    Display* x = connection_->display;
    if (!x) return;
    connection_->netWmState = XInternAtom(x, "_NET_WM_STATE", False);
    connection_->wmState = XInternAtom(x, "WM_STATE", False);
    connection_->wmChangeState = XInternAtom(x, "WM_CHANGE_STATE", False);
    connection_->hidden = XInternAtom(x, "_NET_WM_STATE_HIDDEN", False);
    XSetErrorHandler(ignoreError);
    XSelectInput(x, DefaultRootWindow(x), SubstructureRedirectMask | SubstructureNotifyMask);
    XSync(x, False);
    // Refused (BadAccess) when another manager runs: the root then lacks our selection.
    XWindowAttributes root{};
    XGetWindowAttributes(x, DefaultRootWindow(x), &root);
    if (!(root.your_event_mask & SubstructureRedirectMask)) return;
    notifier_ = std::make_unique<QSocketNotifier>(ConnectionNumber(x), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { process(); });
    running_ = true;
}

FakeWindowManager::~FakeWindowManager() = default;

void FakeWindowManager::setWmState(unsigned long window, long state) {
    const long values[2] = {state, 0};
    XChangeProperty(connection_->display, window, connection_->wmState, connection_->wmState, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(values), 2);
}

void FakeWindowManager::changeState(unsigned long window, long action, unsigned long first,
                                    unsigned long second) {
    std::vector<Atom> states = connection_->states(window);
    for (const unsigned long atom : {first, second}) {
        if (atom == 0) continue;
        const bool present = std::find(states.begin(), states.end(), atom) != states.end();
        const bool wanted = action == 1 || (action == 2 && !present);
        std::erase(states, atom);
        if (wanted) states.push_back(atom);
    }
    connection_->setStates(window, states);
}

void FakeWindowManager::process() {
    Display* x = connection_->display;
    if (!running_) return;
    // The property reads below are round trips: events that arrive meanwhile wait in Xlib's
    // queue, which the socket notifier never announces, so it goes round until none wait.
    while (XPending(x) > 0) {
        processQueued();
    }
}

void FakeWindowManager::processQueued() {
    Display* x = connection_->display;
    bool restacked = false;
    while (XEventsQueued(x, QueuedAfterReading) > 0) {
        XEvent event;
        XNextEvent(x, &event);
        switch (event.type) {
            case MapRequest: {
                const ::Window window = event.xmaprequest.window;
                managed_.insert(window);
                iconic_.erase(window);
                changeState(window, 0, connection_->hidden, 0);
                setWmState(window, NormalState);
                XMapRaised(x, window);
                break;
            }
            case ConfigureRequest: {
                const XConfigureRequestEvent& request = event.xconfigurerequest;
                XWindowChanges changes{request.x,
                                       request.y,
                                       request.width,
                                       request.height,
                                       request.border_width,
                                       request.above,
                                       request.detail};
                XConfigureWindow(x, request.window, static_cast<unsigned>(request.value_mask),
                                 &changes);
                break;
            }
            case ClientMessage: {
                const XClientMessageEvent& message = event.xclient;
                // Like any manager, it changes only the windows it manages.
                if (!managed_.count(message.window)) break;
                if (message.message_type == connection_->netWmState) {
                    changeState(message.window, message.data.l[0],
                                static_cast<unsigned long>(message.data.l[1]),
                                static_cast<unsigned long>(message.data.l[2]));
                } else if (message.message_type == connection_->wmChangeState &&
                           message.data.l[0] == IconicState) {
                    iconic_.insert(message.window);
                    changeState(message.window, 1, connection_->hidden, 0);
                    setWmState(message.window, IconicState);
                    XUnmapWindow(x, message.window);
                }
                break;
            }
            case UnmapNotify: {
                // The program's own unmap (it sends a copy to the root, ICCCM 4.1.4) withdraws
                // the window; the manager's own iconifying does not.
                const ::Window window = event.xunmap.window;
                if (iconic_.count(window) && !event.xunmap.send_event) break;
                iconic_.erase(window);
                managed_.erase(window);
                XDeleteProperty(x, window, connection_->netWmState);
                setWmState(window, WithdrawnState);
                break;
            }
            default:
                break;
        }
        restacked = restacked || event.type == MapRequest || event.type == ConfigureRequest ||
                    event.type == ClientMessage;
    }
    // The windows kept above the others go back over them after any change of stacking.
    if (restacked) {
        for (const std::uint64_t window : managed_) {
            if (holds(window, "_NET_WM_STATE_ABOVE")) XRaiseWindow(x, window);
        }
    }
    XFlush(x);
}

bool FakeWindowManager::hasState(std::uint64_t window, const char* state) {
    process();
    const bool held = holds(window, state);
    process();  // whatever the read left queued
    return held;
}

bool FakeWindowManager::holds(std::uint64_t window, const char* state) const {
    const Atom atom = XInternAtom(connection_->display, state, False);
    const std::vector<Atom> states = connection_->states(static_cast<::Window>(window));
    return std::find(states.begin(), states.end(), atom) != states.end();
}

}  // namespace support
