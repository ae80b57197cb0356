#pragma once

#include <QWidget>
#include <optional>
#include <unordered_map>

#include "platform/forms/form.h"
#include "platform/forms/form_observer.h"

class QPainter;

namespace forms {

class Container;
class Control;

// The Qt view of one window: a top-level widget that draws the window's controls itself from the
// model, as the window system draws a form's lightweight controls, and repaints where they
// change. A window holds hundreds of controls: a widget each cost milliseconds to make, stack
// and show before the table appeared, and a megabyte. Real input goes to the model's entry
// points, so the model's own hit testing decides who gets it, as in tests.
class FormView final : public QWidget, public FormObserver {
  public:
    // followVisibility false: a view that is never shown on screen (for rendering only).
    explicit FormView(Form& form, bool followVisibility = true);
    ~FormView() override;

    void formChanged() override;
    void surfaceChanged(Container& container) override;
    void controlAdded(Control& control) override;
    void controlRemoved(Control& control) override;
    void controlChanged(Control& control) override;
    void orderChanged(Container& container) override;
    void windowRaised() override;
    quintptr nativeWindow() const override;
    bool startSystemMove() override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    bool event(QEvent* event) override;
    bool focusNextPrevChild(bool next) override { return false; }

  private:
    void addTree(Container& container);
    // Controls over their container from the back to the front, each clipped to its rectangle
    // within its container's visible area, all in window pixels.
    void paintChildren(QPainter& painter, const Container& container, QPoint origin,
                       const QRect& visibleArea, const QRegion& dirty) const;
    // Where a container's client area lies in the window, as its controls' rectangles round.
    QPoint originOf(const Container& container) const;
    // The area a container's drawing covers in the window: all of it for the window itself.
    QRect areaOf(const Container& container) const;
    void updateCursor(QPointF at);
    // Frame and (without native stacking) topmost, changed without remaking the native window,
    // which other programs know the window by from load to unload.
    void applyFlags();
    // Topmost through the window manager's state: before a map always, else when it changed.
    void applyStacking(bool beforeMap);

    Form& form_;
    bool followVisibility_;
    bool nativeStacking_;
    bool syncing_ = false;
    std::optional<Qt::WindowFlags> appliedFlags_;
    std::optional<bool> stackedAbove_;
    // Where each shown control was last drawn, in its container's pixels: a control that moves
    // or hides leaves that area to be repainted.
    std::unordered_map<const Control*, QRect> drawn_;
};

// Gives a window a view of its own (the program does this for every window as it loads).
void attachView(Form& form);

}  // namespace forms
