#pragma once

#include <QWidget>
#include <optional>
#include <unordered_map>

#include "platform/forms/form.h"
#include "platform/forms/form_observer.h"

namespace forms {

class Container;
class Control;

// The Qt view of one window: a top-level widget with a child widget per control, kept in step
// with the model. Real input goes to the model's entry points; the controls' widgets let the
// mouse through, so the model's own hit testing decides who gets it, as in tests.
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

    QWidget* widgetFor(const Control& control) const;

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
    QWidget* widgetOf(Container* container);
    void syncControl(Control& control);
    void stackInOrder(const Control& control, QWidget& widget);
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
    std::unordered_map<const Control*, QWidget*> widgets_;
};

// Gives a window a view of its own (the program does this for every window as it loads).
void attachView(Form& form);

}  // namespace forms
