#pragma once

#include "platform/forms/color.h"
#include "platform/forms/container.h"
#include "platform/forms/control.h"

namespace forms {

// A picture box: a windowed control that shows its own picture (and what was painted on it)
// and holds other controls in its own scale.
class PictureBox : public Control, public Container {
  public:
    PictureBox(Container& container, QString name);

    ControlKind kind() const override { return ControlKind::PictureBox; }

    Form& form() override { return Control::form(); }
    const Form& form() const override { return Control::form(); }
    QPointF originInForm() const override { return rectInForm().topLeft(); }
    QSizeF clientSizeInPixels() const override { return rectInContainer().size(); }

    OleColor backColor() const { return backColor_; }
    void setBackColor(OleColor color);
    // AutoSize: the box takes its picture's size whenever a picture is set.
    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool value);

  protected:
    void copyPropertiesFrom(const Control& source) override;
    void pictureSet() override;

  private:
    void fitToPicture();

    OleColor backColor_ = kSystemButtonFace;
    bool autoSize_ = false;
};

}  // namespace forms
