#include "platform/forms/image.h"

#include "platform/forms/container.h"

namespace forms {

Image::Image(Container& container, QString name)
    : Control(container, std::move(name), Windowed::No) {}

void Image::setPicture(Picture picture) {
    picture_ = std::move(picture);
    fitToPicture();
    changed();
}

void Image::setStretch(bool value) {
    stretch_ = value;
    fitToPicture();
    changed();
}

void Image::fitToPicture() {
    if (stretch_ || picture_.isEmpty() || !container()) return;
    move(left(), top(), container()->fromPixels(float(picture_.width())),
         container()->fromPixels(float(picture_.height())));
}

void Image::copyPropertiesFrom(const Control& source) {
    Control::copyPropertiesFrom(source);
    const auto& image = static_cast<const Image&>(source);
    picture_ = image.picture_;
    stretch_ = image.stretch_;
}

}  // namespace forms
