#include "platform/forms/text_control.h"

#include "platform/runtime/failure.h"

namespace forms {

namespace {

void requireValid(OleColor color) {
    if (!isValidColor(color)) {
        platform::fail(platform::RuntimeFailure::Kind::InvalidArgument, "Invalid property value");
    }
}

}  // namespace

TextControl::TextControl(Container& container, QString name, Windowed windowed, OleColor foreColor,
                         OleColor backColor)
    : Control(container, std::move(name), windowed), foreColor_(foreColor), backColor_(backColor) {}

void TextControl::setFont(const FontSpec& font) {
    if (!(font.size > 0)) {
        platform::fail(platform::RuntimeFailure::Kind::InvalidArgument, "Invalid property value");
    }
    font_ = font;
    fontChanged();
    changed();
}

void TextControl::setFontName(const QString& name) {
    FontSpec font = font_;
    font.name = name;
    setFont(font);
}

void TextControl::setFontSize(float points) {
    FontSpec font = font_;
    font.size = points;
    setFont(font);
}

void TextControl::setFontBold(bool bold) {
    FontSpec font = font_;
    font.bold = bold;
    setFont(font);
}

void TextControl::setForeColor(OleColor color) {
    requireValid(color);
    foreColor_ = color;
    changed();
}

void TextControl::setBackColor(OleColor color) {
    requireValid(color);
    backColor_ = color;
    changed();
}

void TextControl::copyPropertiesFrom(const Control& source) {
    Control::copyPropertiesFrom(source);
    const auto& text = static_cast<const TextControl&>(source);
    font_ = text.font_;
    foreColor_ = text.foreColor_;
    backColor_ = text.backColor_;
}

}  // namespace forms
