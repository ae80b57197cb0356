#pragma once

#include <QWidget>

namespace forms {

// Keeps a top-level window above others (or not) through the window manager's own state, so
// that the native window stays the one other programs found. Qt's stays-on-top flag would
// remake the X window at its next show, and a program holding the old one would lose its
// messages.
//
// On X11 the request is _NET_WM_STATE_ABOVE: a client message to the root window while the
// window is mapped (the window manager keeps the state), the window's own _NET_WM_STATE
// property while it is withdrawn (read by the window manager when the window is mapped; the
// toolkit adds its states to it at show). Elsewhere there is no native way and nothing is done:
// the caller falls back on the toolkit's flag.
void setNativeStaysOnTop(QWidget& window, bool above);

// Whether the running platform lets setNativeStaysOnTop do its work (X11).
bool nativeStackingAvailable();

}  // namespace forms
