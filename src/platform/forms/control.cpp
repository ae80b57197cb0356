#include "platform/forms/control.h"

#include "platform/forms/container.h"
#include "platform/forms/form.h"
#include "platform/runtime/failure.h"

namespace forms {

using platform::RuntimeFailure;

Control::Control(Container& container, QString name, Windowed windowed)
    : windowed_(windowed == Windowed::Yes),
      container_(&container),
      form_(&container.form()),
      name_(std::move(name)) {
    container.adopt(*this);
    if (FormObserver* view = form_->view()) view->controlAdded(*this);
}

Control::~Control() {
    *alive_ = false;
    form_->forget(*this);
    if (container_) container_->release(*this);
    if (FormObserver* view = form_->view()) view->controlRemoved(*this);
}

void Control::changed() {
    if (FormObserver* view = form_->view()) view->controlChanged(*this);
}

void Control::setLeft(float value) {
    left_ = value;
    changed();
}

void Control::setTop(float value) {
    top_ = value;
    changed();
}

void Control::setWidth(float value) {
    if (value < 0) platform::fail(RuntimeFailure::Kind::InvalidArgument, "Invalid property value");
    width_ = value;
    changed();
}

void Control::setHeight(float value) {
    if (value < 0) platform::fail(RuntimeFailure::Kind::InvalidArgument, "Invalid property value");
    height_ = value;
    changed();
}

void Control::move(float left, std::optional<float> top, std::optional<float> width,
                   std::optional<float> height) {
    if ((width && *width < 0) || (height && *height < 0)) {
        platform::fail(RuntimeFailure::Kind::InvalidArgument, "Invalid property value");
    }
    left_ = left;
    if (top) top_ = *top;
    if (width) width_ = *width;
    if (height) height_ = *height;
    changed();
}

void Control::setVisible(bool value) {
    if (visible_ == value) return;
    visible_ = value;
    if (!value) form_->focusLeaving(*this);
    changed();
}

void Control::setEnabled(bool value) {
    if (enabled_ == value) return;
    enabled_ = value;
    if (!value) form_->focusLeaving(*this);
    changed();
}

void Control::zOrder(int position) {
    if (!container_) return;
    if (position == 0) {
        container_->bringToFront(*this);
    } else {
        container_->sendToBack(*this);
    }
    if (FormObserver* view = form_->view()) view->orderChanged(*container_);
}

void Control::setMousePointer(int kind) {
    mousePointer_ = kind;
    changed();
}

void Control::setMouseIcon(Picture icon) {
    mouseIcon_ = std::move(icon);
    changed();
}

void Control::setToolTipText(const QString& text) {
    toolTipText_ = text;
    changed();
}

void Control::setFocus() {
    if (!isWindowed() || !enabled_ || !isShownInForm() || !form_->visible()) {
        platform::fail(RuntimeFailure::Kind::InvalidArgument, "Invalid procedure call");
    }
    form_->moveFocusTo(this);
}

bool Control::hasFocus() const {
    return form_->activeControl() == this;
}

QRectF Control::rectInContainer() const {
    if (!container_) return {};
    return QRectF(container_->toPixels(left_), container_->toPixels(top_),
                  container_->toPixels(width_), container_->toPixels(height_));
}

QRectF Control::rectInForm() const {
    if (!container_) return {};
    return rectInContainer().translated(container_->originInForm());
}

bool Control::isShownInForm() const {
    if (!visible_ || !container_) return false;
    if (auto* parent = dynamic_cast<const Control*>(container_)) return parent->isShownInForm();
    return true;
}

void Control::copyPropertiesFrom(const Control& source) {
    left_ = source.left_;
    top_ = source.top_;
    width_ = source.width_;
    height_ = source.height_;
    enabled_ = source.enabled_;
    mousePointer_ = source.mousePointer_;
    mouseIcon_ = source.mouseIcon_;
    toolTipText_ = source.toolTipText_;
    tag_ = source.tag_;
    changed();
}

}  // namespace forms
