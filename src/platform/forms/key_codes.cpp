#include "platform/forms/key_codes.h"

#include "platform/forms/input.h"

namespace forms {

int toolkitKeyCode(const QKeyEvent& event) {
    const int qtKey = event.key();
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) {
        return qtKey;  // the same ASCII codes
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) return key::F1 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
        case Qt::Key_Backspace:
            return key::Backspace;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return key::Tab;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return key::Return;
        case Qt::Key_Shift:
            return key::Shift;
        case Qt::Key_Control:
            return key::Control;
        case Qt::Key_Alt:
            return key::Menu;
        case Qt::Key_Escape:
            return key::Escape;
        case Qt::Key_Space:
            return key::Space;
        case Qt::Key_PageUp:
            return key::PageUp;
        case Qt::Key_PageDown:
            return key::PageDown;
        case Qt::Key_End:
            return key::End;
        case Qt::Key_Home:
            return key::Home;
        case Qt::Key_Left:
            return key::Left;
        case Qt::Key_Up:
            return key::Up;
        case Qt::Key_Right:
            return key::Right;
        case Qt::Key_Down:
            return key::Down;
        case Qt::Key_Insert:
            return key::Insert;
        case Qt::Key_Delete:
            return key::Delete;
        default:
            return 0;
    }
}

int toolkitShift(Qt::KeyboardModifiers modifiers) {
    int shift = 0;
    if (modifiers & Qt::ShiftModifier) shift |= kShiftMask;
    if (modifiers & Qt::ControlModifier) shift |= kCtrlMask;
    if (modifiers & Qt::AltModifier) shift |= kAltMask;
    return shift;
}

int toolkitButton(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return kLeftButton;
        case Qt::RightButton:
            return kRightButton;
        case Qt::MiddleButton:
            return kMiddleButton;
        default:
            return 0;
    }
}

int toolkitButtons(Qt::MouseButtons buttons) {
    int result = 0;
    if (buttons & Qt::LeftButton) result |= kLeftButton;
    if (buttons & Qt::RightButton) result |= kRightButton;
    if (buttons & Qt::MiddleButton) result |= kMiddleButton;
    return result;
}

}  // namespace forms
