#include "platform/forms/text_box.h"

#include <algorithm>

#include "platform/forms/input.h"
#include "platform/runtime/failure.h"

namespace forms {

TextBox::TextBox(Container& container, QString name)
    : TextControl(container, std::move(name), Windowed::Yes, kSystemWindowText, kSystemWindow) {}

void TextBox::setText(const QString& text) {
    changeText(text, 0);
}

void TextBox::changeText(const QString& text, int caret) {
    const bool different = text != text_;
    text_ = text;
    selStart_ = std::clamp(caret, 0, int(text_.size()));
    selLength_ = 0;
    changed();
    if (different) onChange.raise();
}

void TextBox::setSelStart(int position) {
    if (position < 0) {
        platform::fail(platform::RuntimeFailure::Kind::InvalidArgument, "Invalid property value");
    }
    selStart_ = std::min(position, int(text_.size()));
    selLength_ = 0;
    changed();
}

void TextBox::setSelLength(int length) {
    if (length < 0) {
        platform::fail(platform::RuntimeFailure::Kind::InvalidArgument, "Invalid property value");
    }
    selLength_ = std::min(length, int(text_.size()) - selStart_);
    changed();
}

void TextBox::setMaxLength(int length) {
    if (length < 0) {
        platform::fail(platform::RuntimeFailure::Kind::InvalidArgument, "Invalid property value");
    }
    maxLength_ = length;
}

void TextBox::setLocked(bool value) {
    locked_ = value;
}

void TextBox::replaceSelection(const QString& inserted) {
    QString result = text_;
    result.replace(selStart_, selLength_, inserted);
    changeText(result, selStart_ + int(inserted.size()));
}

void TextBox::keyPressAction(int keyAscii) {
    if (locked_) return;
    if (keyAscii == key::Backspace) {
        if (selLength_ == 0) {
            if (selStart_ == 0) return;  // nothing before the caret: no change, no Change
            --selStart_;
            selLength_ = 1;
        }
        replaceSelection({});
        return;
    }
    if (keyAscii < 32 || keyAscii > 0x10FFFF) return;  // Enter, Esc, Tab: a one-line box ignores
    const char32_t code = char32_t(keyAscii);
    const QString inserted = QString::fromUcs4(&code, 1);
    if (maxLength_ > 0 && text_.size() - selLength_ + inserted.size() > maxLength_) return;
    replaceSelection(inserted);
}

void TextBox::keyDownAction(int keyCode, int shift) {
    switch (keyCode) {
        case key::Delete:
            if (locked_) return;
            if (selLength_ == 0) {
                if (selStart_ >= text_.size()) return;
                selLength_ = 1;
            }
            replaceSelection({});
            return;
        case key::Left:
            setSelStart(std::max(0, selStart_ - 1));
            return;
        case key::Right:
            setSelStart(selStart_ + 1);
            return;
        case key::Home:
            setSelStart(0);
            return;
        case key::End:
            setSelStart(int(text_.size()));
            return;
        default:
            return;
    }
}

void TextBox::copyPropertiesFrom(const Control& source) {
    TextControl::copyPropertiesFrom(source);
    const auto& box = static_cast<const TextBox&>(source);
    text_ = box.text_;
    maxLength_ = box.maxLength_;
    locked_ = box.locked_;
}

}  // namespace forms
