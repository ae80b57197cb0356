#pragma once

#include <QPointF>
#include <QRectF>
#include <QString>
#include <memory>
#include <optional>

#include "platform/forms/event.h"
#include "platform/forms/picture.h"

namespace forms {

class Container;
class Form;

enum class ControlKind { PictureBox, Image, Label, TextBox, ListBox };

// A visible control of a window. Every property is kept exactly as set (positions are Singles
// in the container's scale) and read back unchanged; the view rounds only for display.
//
// A window class declares its controls as members, containers before what they hold:
//     forms::PictureBox Pic1{*this, "Pic1"};
//     forms::Image Tou{Pic1, "Tou"};
class Control {
  public:
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control();

    virtual ControlKind kind() const = 0;
    // Controls with a window of their own take the focus and lie above those without.
    bool isWindowed() const { return windowed_; }

    const QString& name() const { return name_; }
    int index() const { return index_; }  // the Index within its control array, -1 when none
    Form& form() const { return *form_; }
    Container* container() const { return container_; }

    float left() const { return left_; }
    float top() const { return top_; }
    float width() const { return width_; }
    float height() const { return height_; }
    void setLeft(float value);
    void setTop(float value);
    void setWidth(float value);  // negative sizes are a run-time failure
    void setHeight(float value);
    // Move: the arguments left out keep their values.
    void move(float left, std::optional<float> top = std::nullopt,
              std::optional<float> width = std::nullopt,
              std::optional<float> height = std::nullopt);

    bool visible() const { return visible_; }  // the control's own flag, not its window's
    void setVisible(bool value);
    bool enabled() const { return enabled_; }
    void setEnabled(bool value);

    // ZOrder: 0 brings the control to the front of its layer, 1 sends it to the back.
    void zOrder(int position = 0);

    int mousePointer() const { return mousePointer_; }
    void setMousePointer(int kind);
    const Picture& mouseIcon() const { return mouseIcon_; }
    void setMouseIcon(Picture icon);
    const QString& toolTipText() const { return toolTipText_; }
    void setToolTipText(const QString& text);
    const QString& tag() const { return tag_; }
    void setTag(const QString& text) { tag_ = text; }

    // SetFocus: only a windowed control, shown and enabled on a shown window, takes the focus;
    // anything else is a run-time failure, as in the original.
    void setFocus();
    bool hasFocus() const;

    // Where the control lies, in its container's client pixels and in the window's.
    QRectF rectInContainer() const;
    QRectF rectInForm() const;
    // Shown, with every container up to the window shown too.
    bool isShownInForm() const;

    Event<> onClick;
    Event<> onDblClick;
    Event<int, int, float, float> onMouseDown;  // Button, Shift, X, Y (twips from the corner)
    Event<int, int, float, float> onMouseMove;
    Event<int, int, float, float> onMouseUp;
    Event<int&, int> onKeyDown;  // KeyCode (set it to 0 to swallow the key), Shift
    Event<int&> onKeyPress;      // KeyAscii (0 swallows the character)
    Event<int&, int> onKeyUp;
    Event<> onGotFocus;
    Event<> onLostFocus;

  protected:
    enum class Windowed { No, Yes };
    Control(Container& container, QString name, Windowed windowed);

    // Tells the view that something of this control changed.
    void changed();
    // The properties a control array copies into a member loaded at run time.
    virtual void copyPropertiesFrom(const Control& source);

    // The control's own reactions to input, after its handlers ran.
    virtual void keyDownAction(int keyCode, int shift) {}
    virtual void keyPressAction(int keyAscii) {}
    // A press on the control at a point in its own pixels; list boxes select there.
    virtual void pressAction(QPointF at, int button) {}
    // Whether a press and release of this button inside the control raise Click.
    virtual bool clicksOnRelease(int button) const { return true; }
    // Whether a double click of this button raises DblClick.
    virtual bool doubleClicks(int button) const { return true; }

  private:
    friend class Container;
    friend class Form;
    template <typename T>
    friend class ControlArray;

    void containerGone() { container_ = nullptr; }
    // Lets input routing see that a handler destroyed the control it was raised on.
    std::shared_ptr<bool> aliveFlag() const { return alive_; }
    void setIndex(int index) { index_ = index; }

    bool windowed_;  // known before the derived part exists: the container layers by it
    Container* container_;
    Form* form_;
    QString name_;
    int index_ = -1;
    float left_ = 0;
    float top_ = 0;
    float width_ = 0;
    float height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    int mousePointer_ = 0;
    Picture mouseIcon_;
    QString toolTipText_;
    QString tag_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace forms
