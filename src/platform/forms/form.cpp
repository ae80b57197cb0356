#include "platform/forms/form.h"

#include <algorithm>
#include <cmath>

#include "platform/forms/forms.h"
#include "platform/forms/timer.h"
#include "platform/runtime/failure.h"

namespace forms {

using platform::RuntimeFailure;

Form::Form(Forms& forms) : forms_(&forms) {}

Form::~Form() {
    view_.reset();
}

QSizeF Form::clientSizeInPixels() const {
    return {twipsToPixels(width_), twipsToPixels(height_)};
}

void Form::runLoad() {
    Form_Load();
}

void Form::changed() {
    if (view_) view_->formChanged();
}

void Form::show() {
    if (!loaded_) return;
    visible_ = true;
    changed();
    if (!everShown_) {
        everShown_ = true;
        Form_Resize();
    }
    activate();
}

void Form::hide() {
    if (!visible_) return;
    visible_ = false;
    changed();
    if (forms_->active_ == this) {
        forms_->active_ = nullptr;
        Form_Deactivate();
    }
}

void Form::activate() {
    if (!loaded_ || forms_->active_ == this) return;
    Form* previous = forms_->active_;
    forms_->active_ = this;
    if (previous) previous->Form_Deactivate();
    Form_Activate();
}

bool Form::unload() {
    if (!loaded_) return true;
    bool cancel = false;
    Form_QueryUnload(cancel);
    if (cancel) return false;
    Form_Unload(cancel);
    if (cancel) return false;
    if (!loaded_) return true;  // a handler unloaded it already
    loaded_ = false;
    life_.reset();
    for (Timer* timer : timers_) timer->stop();
    visible_ = false;
    capture_.reset();
    moveGrab_.reset();
    activeControl_ = nullptr;
    changed();
    forms_->retire(*this);
    return true;
}

void Form::setCaption(const QString& text) {
    caption_ = text;
    changed();
}

void Form::resizeIfShown(bool sizeChanged) {
    if (sizeChanged && loaded_ && visible_) Form_Resize();
}

void Form::setLeft(float twips) {
    move(twips);
}
void Form::setTop(float twips) {
    move(left_, twips);
}
void Form::setWidth(float twips) {
    move(left_, top_, twips);
}
void Form::setHeight(float twips) {
    move(left_, top_, width_, twips);
}

void Form::move(float left, std::optional<float> top, std::optional<float> width,
                std::optional<float> height) {
    if ((width && *width < 0) || (height && *height < 0)) {
        platform::fail(RuntimeFailure::Kind::InvalidArgument, "Invalid property value");
    }
    const bool sizeChanged = (width && *width != width_) || (height && *height != height_);
    left_ = left;
    if (top) top_ = *top;
    if (width) width_ = *width;
    if (height) height_ = *height;
    changed();
    resizeIfShown(sizeChanged);
}

void Form::setWindowState(WindowState state) {
    if (state == windowState_) return;
    windowState_ = state;
    changed();
    if (loaded_) Form_Resize();
}

void Form::setBorderless(bool value) {
    borderless_ = value;
    changed();
}

void Form::setTopmost(bool value) {
    topmost_ = value;
    changed();
}

bool Form::setAlpha(int alpha) {
    if (alpha < 0 || alpha > 255) return false;
    alpha_ = alpha;
    changed();
    return true;
}

void Form::clearAlpha() {
    alpha_.reset();
    changed();
}

void Form::setRegion(std::optional<QRegion> region) {
    region_ = std::move(region);
    changed();
}

void Form::setBackColor(OleColor color) {
    if (!isValidColor(color)) {
        platform::fail(RuntimeFailure::Kind::InvalidArgument, "Invalid property value");
    }
    backColor_ = color;
    surfaceChanged();
}

void Form::setFontSize(float points) {
    if (!(points > 0))
        platform::fail(RuntimeFailure::Kind::InvalidArgument, "Invalid property value");
    font_.size = points;
}

void Form::setIcon(Picture icon) {
    icon_ = std::move(icon);
    changed();
}

void Form::setFocus() {
    activate();
    changed();
}

void Form::zOrder(int position) {
    if (position == 0 && view_) view_->windowRaised();
}

void Form::setView(std::unique_ptr<FormObserver> view) {
    view_ = std::move(view);
}

std::unique_ptr<FormObserver> Form::detachView() {
    return std::move(view_);
}

void Form::adoptTimer(Timer& timer) {
    timers_.push_back(&timer);
}

void Form::releaseTimer(Timer& timer) {
    timers_.erase(std::remove(timers_.begin(), timers_.end(), &timer), timers_.end());
}

}  // namespace forms
