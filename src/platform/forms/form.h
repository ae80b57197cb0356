#pragma once

#include <QPointF>
#include <QRegion>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/forms/color.h"
#include "platform/forms/container.h"
#include "platform/forms/font.h"
#include "platform/forms/form_observer.h"
#include "platform/forms/picture.h"

namespace forms {

class Control;
class Forms;
class Timer;

enum class WindowState { Normal = 0, Minimized = 1, Maximized = 2 };

// A window of the toolkit. A window class derives from it, declares its controls and timers
// as members, binds their handlers in its constructor and overrides the window's own events:
//
//     class Score : public forms::Form {
//     public:
//         explicit Score(forms::Forms& forms) : Form(forms) {
//             Image1.onClick.bind(this, &Score::Image1_Click);
//         }
//         forms::ControlArray<forms::ListBox> State{*this, "State"};
//         forms::ControlArray<forms::Image> Image1{*this, "Image1", {0, 1}};
//     protected:
//         void Form_Load() override;
//         void Image1_Click(int Index);
//     };
//
// The client reaches its windows through FormRef, which loads one (hidden, Form_Load run) the
// first time anything touches it. Geometry is in twips, kept exactly as set.
//
// The input entry points (mouseDown ... closeByUser) take positions in the client area's
// pixels; the view calls them for real input and tests call them directly. Each runs inside
// Scheduler::dispatch and routes the input as the original toolkit does.
class Form : public Container {
  public:
    explicit Form(Forms& forms);
    ~Form() override;

    Forms& forms() const { return *forms_; }
    Form& form() override { return *this; }
    const Form& form() const override { return *this; }
    QPointF originInForm() const override { return {0, 0}; }
    QSizeF clientSizeInPixels() const override;

    bool isLoaded() const { return loaded_; }
    // Ends when the window unloads; FormRef watches it.
    std::weak_ptr<const void> lifetime() const { return life_; }

    // Show (not modal) and Hide; Visible is the same flag.
    void show();
    void hide();
    bool visible() const { return visible_; }
    void setVisible(bool value) { value ? show() : hide(); }
    // Unload: Form_QueryUnload and Form_Unload may cancel (false is returned). Afterwards the
    // window is gone: its timers stop, it leaves the open windows, and the next touch through
    // its FormRef loads a fresh one.
    bool unload();

    const QString& caption() const { return caption_; }
    void setCaption(const QString& text);
    const QString& tag() const { return tag_; }
    void setTag(const QString& text) { tag_ = text; }

    float left() const { return left_; }
    float top() const { return top_; }
    float width() const { return width_; }
    float height() const { return height_; }
    void setLeft(float twips);
    void setTop(float twips);
    void setWidth(float twips);  // negative sizes are a run-time failure
    void setHeight(float twips);
    void move(float left, std::optional<float> top = std::nullopt,
              std::optional<float> width = std::nullopt,
              std::optional<float> height = std::nullopt);

    WindowState windowState() const { return windowState_; }
    void setWindowState(WindowState state);  // raises Form_Resize when it changes

    bool borderless() const { return borderless_; }
    void setBorderless(bool value);
    bool topmost() const { return topmost_; }
    void setTopmost(bool value);  // keeps position and size
    // Translucency: a constant alpha 0..255 over the whole window (nullopt: opaque). A value
    // outside 0..255 is not applied and false is returned.
    std::optional<int> alpha() const { return alpha_; }
    bool setAlpha(int alpha);
    void clearAlpha();
    // The window's shape in client pixels (nullopt: the whole rectangle).
    const std::optional<QRegion>& region() const { return region_; }
    void setRegion(std::optional<QRegion> region);
    // KeyPreview: the window's key events run before those of the focused control.
    bool keyPreview() const { return keyPreview_; }
    void setKeyPreview(bool value) { keyPreview_ = value; }

    OleColor backColor() const { return backColor_; }
    void setBackColor(OleColor color);
    const FontSpec& font() const { return font_; }
    void setFontSize(float points);
    const Picture& icon() const { return icon_; }
    void setIcon(Picture icon);

    // ZOrder 0: to the front of the other windows (of its topmost band).
    void zOrder(int position = 0);
    // SetFocus: the window becomes the active one and is drawn afresh.
    void setFocus();

    // The control with the keyboard focus, nullptr when the window itself has it.
    Control* activeControl() const { return activeControl_; }

    // Drags the window by its body: called from a MouseDown handler (the original releases the
    // capture and sends a caption hit), it hands the move to the window system, or makes the
    // window follow the pointer until the button is released where the window system does not
    // move it. The pressed control gets no MouseUp and no Click.
    void beginMoveByMouse();

    // The control under a point of the client area (nullptr: the window's own surface). Hidden
    // and disabled controls let the point through to what lies beneath.
    Control* controlAt(QPointF at) const;

    // Input entry points (client pixels; buttons and shift as the toolkit's events carry them).
    void mouseDown(QPointF at, int button, int shift = 0);
    void mouseMove(QPointF at, int buttons, int shift = 0);
    void mouseUp(QPointF at, int button, int shift = 0);
    void mouseDoubleClick(QPointF at, int button, int shift = 0);  // the second press
    void keyDown(int keyCode, int shift = 0);
    void keyPress(int keyAscii);
    void keyUp(int keyCode, int shift = 0);
    void activateByUser();
    void closeByUser();  // the close button: unload unless cancelled
    void windowStateChangedByUser(WindowState state);
    void movedByUser(QPointF topLeftPixels);

    // The view: attached by the program (or a test that renders), owned by the window.
    FormObserver* view() const { return view_.get(); }
    void setView(std::unique_ptr<FormObserver> view);
    std::unique_ptr<FormObserver> detachView();
    quintptr nativeWindow() const { return view_ ? view_->nativeWindow() : 0; }

  protected:
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_Deactivate() {}
    virtual void Form_Resize() {}
    virtual void Form_QueryUnload(bool& cancel) {}
    virtual void Form_Unload(bool& cancel) {}
    virtual void Form_Click() {}
    virtual void Form_DblClick() {}
    virtual void Form_MouseDown(int button, int shift, float x, float y) {}
    virtual void Form_MouseMove(int button, int shift, float x, float y) {}
    virtual void Form_MouseUp(int button, int shift, float x, float y) {}
    virtual void Form_KeyDown(int& keyCode, int shift) {}
    virtual void Form_KeyPress(int& keyAscii) {}
    virtual void Form_KeyUp(int& keyCode, int shift) {}

  private:
    friend class Control;
    friend class Forms;
    friend class Timer;

    enum class MouseKind { Down, Move, Up };

    void runLoad();
    void activate();
    void changed();
    void resizeIfShown(bool sizeChanged);
    void enter(const std::function<void()>& body);
    void raiseMouse(Control* target, MouseKind kind, QPointF at, int button, int shift);
    void raiseClick(Control* target);
    void raiseDblClick(Control* target);
    bool containsPoint(Control* target, QPointF at) const;
    void forget(Control& control);
    void focusLeaving(Control& control);
    void moveFocusTo(Control* control);
    void adoptTimer(Timer& timer);
    void releaseTimer(Timer& timer);

    Forms* forms_;
    bool loaded_ = false;
    bool everShown_ = false;
    std::shared_ptr<const int> life_ = std::make_shared<const int>(0);
    std::unique_ptr<FormObserver> view_;
    std::vector<Timer*> timers_;

    QString caption_;
    QString tag_;
    float left_ = 0;
    float top_ = 0;
    float width_ = 4800;
    float height_ = 3600;
    bool visible_ = false;
    WindowState windowState_ = WindowState::Normal;
    bool borderless_ = false;
    bool topmost_ = false;
    std::optional<int> alpha_;
    std::optional<QRegion> region_;
    bool keyPreview_ = false;
    OleColor backColor_ = kSystemButtonFace;
    FontSpec font_;
    Picture icon_;

    // Mouse routing: the target holding the capture (nullptr inside: the window itself).
    std::optional<Control*> capture_;
    bool clickSuppressed_ = false;
    QPointF lastPress_;
    std::optional<QPointF> moveGrab_;  // set while the window follows the pointer
    Control* activeControl_ = nullptr;
};

}  // namespace forms
