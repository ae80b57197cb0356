#include "platform/forms/window_stacking.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QWindow>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace forms {

namespace {

// EWMH's _NET_WM_STATE actions and the source that names a normal application.
constexpr std::uint32_t kRemove = 0;
constexpr std::uint32_t kAdd = 1;
constexpr std::uint32_t kSourceApplication = 1;

template <typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

xcb_connection_t* qtConnection() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

struct StateAtoms {
    xcb_atom_t state = 0;
    xcb_atom_t above = 0;
    // The older name some window managers still read; the toolkit sets both as well.
    xcb_atom_t staysOnTop = 0;
};

StateAtoms askAtoms(xcb_connection_t* connection) {
    const std::array<const char*, 3> names{"_NET_WM_STATE", "_NET_WM_STATE_ABOVE",
                                           "_NET_WM_STATE_STAYS_ON_TOP"};
    std::array<xcb_intern_atom_cookie_t, 3> cookies{};
    for (std::size_t i = 0; i < names.size(); ++i) {
        cookies[i] = xcb_intern_atom(connection, 0, std::uint16_t(std::strlen(names[i])), names[i]);
    }
    std::array<xcb_atom_t, 3> atoms{};
    for (std::size_t i = 0; i < names.size(); ++i) {
        Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(connection, cookies[i], nullptr),
                                             &std::free);
        atoms[i] = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    }
    return {atoms[0], atoms[1], atoms[2]};
}

// Asked of the server once per connection: each answer is a round trip, and a window changes
// its stacking around every show.
const StateAtoms& internAtoms(xcb_connection_t* connection) {
    static xcb_connection_t* askedOf = nullptr;
    static StateAtoms atoms;
    if (askedOf != connection) {
        atoms = askAtoms(connection);
        askedOf = connection;
    }
    return atoms;
}

// A window's root never changes, so the last one asked for is kept.
xcb_window_t rootOf(xcb_connection_t* connection, xcb_window_t window) {
    static xcb_connection_t* askedOf = nullptr;
    static xcb_window_t askedFor = XCB_WINDOW_NONE;
    static xcb_window_t root = XCB_WINDOW_NONE;
    if (askedOf == connection && askedFor == window) return root;
    Reply<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr),
        &std::free);
    if (!geometry) return XCB_WINDOW_NONE;
    askedOf = connection;
    askedFor = window;
    root = geometry->root;
    return root;
}

// A mapped (or iconic) window: the window manager owns its state and is asked to change it.
void askWindowManager(xcb_connection_t* connection, xcb_window_t window, const StateAtoms& atoms,
                      bool above) {
    const xcb_window_t root = rootOf(connection, window);
    if (root == XCB_WINDOW_NONE) return;
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = atoms.state;
    event.data.data32[0] = above ? kAdd : kRemove;
    event.data.data32[1] = atoms.above;
    event.data.data32[2] = atoms.staysOnTop;
    event.data.data32[3] = kSourceApplication;
    xcb_send_event(connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&event));
}

// A withdrawn window: its own property says what the window manager applies when it maps it.
void setWithdrawnState(xcb_connection_t* connection, xcb_window_t window, const StateAtoms& atoms,
                       bool above) {
    Reply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(
            connection,
            xcb_get_property(connection, 0, window, atoms.state, XCB_ATOM_ATOM, 0, 1024), nullptr),
        &std::free);
    std::vector<xcb_atom_t> states;
    if (reply && reply->format == 32 && reply->type == XCB_ATOM_ATOM) {
        const auto* values = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
        states.assign(values, values + xcb_get_property_value_length(reply.get()) / 4);
    }
    std::erase_if(states, [&](xcb_atom_t state) {
        return state == atoms.above || state == atoms.staysOnTop;
    });
    if (above) {
        states.push_back(atoms.above);
        states.push_back(atoms.staysOnTop);
    }
    if (states.empty()) {
        xcb_delete_property(connection, window, atoms.state);
    } else {
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, atoms.state, XCB_ATOM_ATOM,
                            32, std::uint32_t(states.size()), states.data());
    }
}

}  // namespace

bool nativeStackingAvailable() {
    return qtConnection() != nullptr;
}

void setNativeStaysOnTop(QWidget& window, bool above) {
    xcb_connection_t* connection = qtConnection();
    if (!connection) return;
    // Qt's own connection, so the request is ordered with the toolkit's map and unmap.
    const auto id = static_cast<xcb_window_t>(window.winId());
    const StateAtoms& atoms = internAtoms(connection);
    if (window.isVisible()) {
        askWindowManager(connection, id, atoms, above);
    } else {
        setWithdrawnState(connection, id, atoms, above);
    }
    xcb_flush(connection);
}

}  // namespace forms
