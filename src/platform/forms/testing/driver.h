#pragma once

// Drives windows as a person would: pointer moves before presses, presses paired with releases,
// keys as KeyDown / KeyPress / KeyUp. Everything goes through the windows' input entry points,
// the same the Qt view calls.

#include <QPointF>
#include <QString>
#include <optional>

#include "platform/forms/control.h"
#include "platform/forms/form.h"
#include "platform/forms/input.h"
#include "platform/forms/text_box.h"

namespace forms::testing {

// A point of a control in its window's client pixels: its centre, or an offset in pixels from
// its top-left corner.
inline QPointF pointOf(const Control& control, std::optional<QPointF> offset = std::nullopt) {
    const QRectF rect = control.rectInForm();
    return offset ? rect.topLeft() + *offset : rect.center();
}

inline void moveTo(Form& form, QPointF at, int buttons = 0, int shift = 0) {
    form.mouseMove(at, buttons, shift);
}

inline void press(Form& form, QPointF at, int button = kLeftButton, int shift = 0) {
    form.mouseMove(at, 0, shift);
    form.mouseDown(at, button, shift);
}

inline void release(Form& form, QPointF at, int button = kLeftButton, int shift = 0) {
    form.mouseUp(at, button, shift);
}

inline void click(Form& form, QPointF at, int button = kLeftButton, int shift = 0) {
    press(form, at, button, shift);
    release(form, at, button, shift);
}

inline void click(Control& control, int button = kLeftButton, int shift = 0) {
    click(control.form(), pointOf(control), button, shift);
}

// Press at one point, drag with the button held, release at another.
inline void drag(Form& form, QPointF from, QPointF to, int button = kLeftButton) {
    press(form, from, button);
    form.mouseMove((from + to) / 2, button, 0);
    form.mouseMove(to, button, 0);
    release(form, to, button);
}

inline void doubleClick(Form& form, QPointF at, int button = kLeftButton, int shift = 0) {
    click(form, at, button, shift);
    form.mouseDoubleClick(at, button, shift);
    form.mouseUp(at, button, shift);
}

inline void doubleClick(Control& control, int button = kLeftButton) {
    doubleClick(control.form(), pointOf(control), button);
}

inline void moveTo(Control& control, std::optional<QPointF> offset = std::nullopt) {
    control.form().mouseMove(pointOf(control, offset), 0, 0);
}

// A key that makes no character (function keys, arrows, Delete): KeyDown then KeyUp.
inline void pressKey(Form& form, int keyCode, int shift = 0) {
    form.keyDown(keyCode, shift);
    form.keyUp(keyCode, shift);
}

// A key that makes a character: KeyDown, KeyPress, KeyUp.
inline void pressCharacterKey(Form& form, int keyCode, int keyAscii, int shift = 0) {
    form.keyDown(keyCode, shift);
    form.keyPress(keyAscii);
    form.keyUp(keyCode, shift);
}

inline void pressEnter(Form& form) {
    pressCharacterKey(form, key::Return, key::Return);
}
inline void pressBackspace(Form& form) {
    pressCharacterKey(form, key::Backspace, key::Backspace);
}

// Types text into a text box: clicks into it first (giving it the focus), then one key per
// character. Letters and digits carry their key codes; other characters (Chinese text comes
// from the input method) arrive as KeyPress alone.
inline void typeText(TextBox& box, const QString& text) {
    Form& form = box.form();
    if (!box.hasFocus()) click(box);
    for (char32_t ch : text.toUcs4()) {
        const bool hasKey = (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') ||
                            (ch >= '0' && ch <= '9') || ch == ' ';
        const int keyCode = (ch >= 'a' && ch <= 'z') ? int(ch - 'a' + 'A') : int(ch);
        const int shift = (ch >= 'A' && ch <= 'Z') ? kShiftMask : 0;
        if (hasKey) {
            pressCharacterKey(form, keyCode, int(ch), shift);
        } else {
            form.keyPress(int(ch));
        }
    }
}

}  // namespace forms::testing
