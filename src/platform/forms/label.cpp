#include "platform/forms/label.h"

#include "platform/forms/container.h"

namespace forms {

Label::Label(Container& container, QString name)
    : TextControl(container, std::move(name), Windowed::No, kSystemButtonText, kSystemButtonFace) {}

void Label::setCaption(const QString& text) {
    caption_ = text;
    fitToText();
    changed();
}

void Label::setAlignment(Alignment value) {
    alignment_ = value;
    changed();
}

void Label::setAutoSize(bool value) {
    autoSize_ = value;
    fitToText();
    changed();
}

void Label::setTransparent(bool value) {
    transparent_ = value;
    changed();
}

void Label::fitToText() {
    if (!autoSize_ || !container()) return;
    const QSizeF size = measureText(caption_, font());
    move(left(), top(), container()->fromPixels(float(size.width())),
         container()->fromPixels(float(size.height())));
}

void Label::copyPropertiesFrom(const Control& source) {
    TextControl::copyPropertiesFrom(source);
    const auto& label = static_cast<const Label&>(source);
    caption_ = label.caption_;
    alignment_ = label.alignment_;
    autoSize_ = label.autoSize_;
    transparent_ = label.transparent_;
}

}  // namespace forms
