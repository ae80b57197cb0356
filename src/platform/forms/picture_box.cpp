#include "platform/forms/picture_box.h"

#include "platform/forms/form.h"
#include "platform/runtime/failure.h"

namespace forms {

PictureBox::PictureBox(Container& container, QString name)
    : Control(container, std::move(name), Windowed::Yes) {}

void PictureBox::setBackColor(OleColor color) {
    if (!isValidColor(color)) {
        platform::fail(platform::RuntimeFailure::Kind::InvalidArgument, "Invalid property value");
    }
    backColor_ = color;
    changed();
}

void PictureBox::setAutoSize(bool value) {
    autoSize_ = value;
    fitToPicture();
}

void PictureBox::pictureSet() {
    fitToPicture();
}

void PictureBox::fitToPicture() {
    if (!autoSize_ || picture().isEmpty() || !container()) return;
    move(left(), top(), container()->fromPixels(float(picture().width())),
         container()->fromPixels(float(picture().height())));
}

void PictureBox::copyPropertiesFrom(const Control& source) {
    Control::copyPropertiesFrom(source);
    const auto& box = static_cast<const PictureBox&>(source);
    backColor_ = box.backColor_;
    autoSize_ = box.autoSize_;
    setScaleMode(box.scaleMode());
    setPicture(box.picture());
}

}  // namespace forms
