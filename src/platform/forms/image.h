#pragma once

#include "platform/forms/control.h"
#include "platform/forms/picture.h"

namespace forms {

// An image control: shows a picture, stretched to its size when Stretch is on; with Stretch
// off the control takes the picture's own size.
class Image : public Control {
  public:
    Image(Container& container, QString name);

    ControlKind kind() const override { return ControlKind::Image; }

    const Picture& picture() const { return picture_; }
    // Assigning a picture that failed to load never gets here (the load throws first), so the
    // control keeps the picture it had.
    void setPicture(Picture picture);
    bool stretch() const { return stretch_; }
    void setStretch(bool value);

  protected:
    void copyPropertiesFrom(const Control& source) override;

  private:
    void fitToPicture();

    Picture picture_;
    bool stretch_ = false;
};

}  // namespace forms
