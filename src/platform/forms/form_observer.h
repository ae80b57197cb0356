#pragma once

#include <QtGlobal>

namespace forms {

class Container;
class Control;

// What a view of a window hears from the model. The model tells it what changed; the view reads
// everything else from the model itself. No widget type appears here, so the model runs
// without any.
class FormObserver {
  public:
    virtual ~FormObserver() = default;

    virtual void formChanged() = 0;                         // caption, geometry, state, style
    virtual void surfaceChanged(Container& container) = 0;  // picture or drawing of a container
    virtual void controlAdded(Control& control) = 0;
    virtual void controlRemoved(Control& control) = 0;
    virtual void controlChanged(Control& control) = 0;
    virtual void orderChanged(Container& container) = 0;  // z-order of its children
    virtual void windowRaised() = 0;                      // ZOrder 0 of the window
    // The native window, for the desktop layer (0 when the view has none).
    virtual quintptr nativeWindow() const = 0;
    // Hands a drag of the window by the pressed button to the window system; false when the
    // view has no window system behind it or the window manager refuses.
    virtual bool startSystemMove() { return false; }
};

}  // namespace forms
