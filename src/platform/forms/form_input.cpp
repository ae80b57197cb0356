// How input reaches the window's handlers: hit testing, mouse capture, clicks, focus and key
// preview, as the original toolkit routes them.
#include <cmath>

#include "platform/forms/control.h"
#include "platform/forms/form.h"
#include "platform/forms/forms.h"
#include "platform/forms/picture_box.h"

namespace forms {

namespace {

// Pixel rectangles are half open: the right and bottom edges belong to the neighbour.
bool inside(const QRectF& rect, QPointF at) {
    return at.x() >= rect.left() && at.x() < rect.right() && at.y() >= rect.top() &&
           at.y() < rect.bottom();
}

Control* hitIn(const Container& container, QPointF at) {
    const auto& children = container.children();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        Control* control = *it;
        if (!control->visible() || !control->enabled() || !inside(control->rectInForm(), at)) {
            continue;
        }
        if (auto* box = dynamic_cast<const PictureBox*>(control)) {
            if (Control* inner = hitIn(*box, at)) return inner;
        }
        return control;
    }
    return nullptr;
}

bool isGone(const std::shared_ptr<bool>& alive) {
    return alive && !*alive;
}

}  // namespace

Control* Form::controlAt(QPointF at) const {
    return hitIn(*this, at);
}

void Form::enter(const std::function<void()>& body) {
    if (!loaded_) return;
    Forms& owner = *forms_;
    owner.collectUnloaded();
    owner.scheduler().dispatch([&] {
        Forms::HandlerScope scope(owner);
        body();
    });
}

void Form::raiseMouse(Control* target, MouseKind kind, QPointF at, int button, int shift) {
    const QPointF origin = target ? target->rectInForm().topLeft() : QPointF(0, 0);
    const float x = float((at.x() - origin.x()) * kTwipsPerPixel);
    const float y = float((at.y() - origin.y()) * kTwipsPerPixel);
    if (!target) {
        switch (kind) {
            case MouseKind::Down:
                return Form_MouseDown(button, shift, x, y);
            case MouseKind::Move:
                return Form_MouseMove(button, shift, x, y);
            case MouseKind::Up:
                return Form_MouseUp(button, shift, x, y);
        }
    }
    switch (kind) {
        case MouseKind::Down:
            return target->onMouseDown.raise(button, shift, x, y);
        case MouseKind::Move:
            return target->onMouseMove.raise(button, shift, x, y);
        case MouseKind::Up:
            return target->onMouseUp.raise(button, shift, x, y);
    }
}

void Form::raiseClick(Control* target) {
    target ? target->onClick.raise() : Form_Click();
}

void Form::raiseDblClick(Control* target) {
    target ? target->onDblClick.raise() : Form_DblClick();
}

bool Form::containsPoint(Control* target, QPointF at) const {
    if (!target) return inside(QRectF(QPointF(0, 0), clientSizeInPixels()), at);
    return target->isShownInForm() && target->enabled() && inside(target->rectInForm(), at);
}

void Form::mouseDown(QPointF at, int button, int shift) {
    enter([&] {
        if (moveGrab_) return;
        Control* target = capture_ ? *capture_ : controlAt(at);
        capture_ = target;
        clickSuppressed_ = false;
        lastPress_ = at;
        const auto alive = target ? target->aliveFlag() : nullptr;
        if (target && target->isWindowed() && visible_) moveFocusTo(target);
        if (isGone(alive)) return;
        raiseMouse(target, MouseKind::Down, at, button, shift);
        if (isGone(alive) || moveGrab_ || !target) return;
        target->pressAction(at - target->rectInForm().topLeft(), button);
    });
}

void Form::mouseMove(QPointF at, int buttons, int shift) {
    enter([&] {
        if (moveGrab_) {
            const QPointF delta = at - *moveGrab_;
            if (!delta.isNull()) {
                move(left_ + float(delta.x()) * kTwipsPerPixel,
                     top_ + float(delta.y()) * kTwipsPerPixel);
            }
            return;
        }
        raiseMouse(capture_ ? *capture_ : controlAt(at), MouseKind::Move, at, buttons, shift);
    });
}

void Form::mouseUp(QPointF at, int button, int shift) {
    enter([&] {
        if (moveGrab_) {
            moveGrab_.reset();
            capture_.reset();
            return;
        }
        if (!capture_) {
            // A release without a press seen here (pressed elsewhere): no click.
            raiseMouse(controlAt(at), MouseKind::Up, at, button, shift);
            return;
        }
        Control* target = *capture_;
        capture_.reset();
        const bool suppressed = clickSuppressed_;
        clickSuppressed_ = false;
        const auto alive = target ? target->aliveFlag() : nullptr;
        raiseMouse(target, MouseKind::Up, at, button, shift);
        if (isGone(alive) || suppressed) return;
        const bool clicks = target ? target->clicksOnRelease(button) : true;
        if (clicks && containsPoint(target, at)) raiseClick(target);
    });
}

void Form::mouseDoubleClick(QPointF at, int button, int shift) {
    enter([&] {
        if (moveGrab_) return;
        Control* target = controlAt(at);
        capture_ = target;
        clickSuppressed_ = true;  // the release that follows raises MouseUp only
        if (target ? target->doubleClicks(button) : true) raiseDblClick(target);
    });
}

void Form::keyDown(int keyCode, int shift) {
    enter([&] {
        int code = keyCode;
        if (keyPreview_ || !activeControl_) {
            Form_KeyDown(code, shift);
            if (code == 0) return;
        }
        Control* target = activeControl_;
        if (!target) return;
        const auto alive = target->aliveFlag();
        target->onKeyDown.raise(code, shift);
        if (!isGone(alive) && code != 0) target->keyDownAction(code, shift);
    });
}

void Form::keyPress(int keyAscii) {
    enter([&] {
        int code = keyAscii;
        if (keyPreview_ || !activeControl_) {
            Form_KeyPress(code);
            if (code == 0) return;
        }
        Control* target = activeControl_;
        if (!target) return;
        const auto alive = target->aliveFlag();
        target->onKeyPress.raise(code);
        if (!isGone(alive) && code != 0) target->keyPressAction(code);
    });
}

void Form::keyUp(int keyCode, int shift) {
    enter([&] {
        int code = keyCode;
        if (keyPreview_ || !activeControl_) {
            Form_KeyUp(code, shift);
            if (code == 0) return;
        }
        if (Control* target = activeControl_) target->onKeyUp.raise(code, shift);
    });
}

void Form::activateByUser() {
    enter([&] { activate(); });
}

void Form::closeByUser() {
    enter([&] { unload(); });
}

void Form::windowStateChangedByUser(WindowState state) {
    enter([&] { setWindowState(state); });
}

void Form::movedByUser(QPointF topLeftPixels) {
    // Only a real move: the view's rounding of a fractional position is not one.
    if (std::lround(twipsToPixels(left_)) == std::lround(topLeftPixels.x()) &&
        std::lround(twipsToPixels(top_)) == std::lround(topLeftPixels.y())) {
        return;
    }
    enter([&] {
        move(pixelsToTwips(float(topLeftPixels.x())), pixelsToTwips(float(topLeftPixels.y())));
    });
}

void Form::beginMoveByMouse() {
    if (!capture_) return;  // the original's caption hit does nothing without a pressed button
    capture_.reset();
    clickSuppressed_ = false;
    // The window manager's own move where it takes one; the window follows the pointer here
    // where it does not.
    if (view_ && view_->startSystemMove()) return;
    moveGrab_ = lastPress_;
}

void Form::forget(Control& control) {
    if (activeControl_ == &control) activeControl_ = nullptr;
    if (capture_ && *capture_ == &control) capture_.reset();
}

void Form::focusLeaving(Control& control) {
    if (activeControl_ != &control) return;
    activeControl_ = nullptr;
    control.onLostFocus.raise();
}

void Form::moveFocusTo(Control* control) {
    if (control == activeControl_) return;
    Control* previous = activeControl_;
    activeControl_ = control;
    if (previous) previous->onLostFocus.raise();
    if (control && activeControl_ == control) control->onGotFocus.raise();
}

}  // namespace forms
