#pragma once

#include <QKeyEvent>

namespace forms {

// The toolkit's key code (KeyDown, KeyUp) for a Qt key event; 0 for keys it has no code for.
int toolkitKeyCode(const QKeyEvent& event);
// The Shift argument for Qt's modifiers.
int toolkitShift(Qt::KeyboardModifiers modifiers);
// The toolkit's mouse button for a Qt button, and the set of held buttons.
int toolkitButton(Qt::MouseButton button);
int toolkitButtons(Qt::MouseButtons buttons);

}  // namespace forms
