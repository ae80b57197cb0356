#include "platform/forms/container.h"

#include <algorithm>

#include "platform/forms/control.h"
#include "platform/forms/form.h"

namespace forms {

Container::~Container() {
    // Children still alive (declared before their container) lose it quietly.
    for (Control* child : children_) child->containerGone();
}

void Container::setScaleMode(ScaleMode mode) {
    scaleMode_ = mode;
    surfaceChanged();
}

void Container::setPicture(Picture picture) {
    surface_.setPicture(std::move(picture));
    pictureSet();
    surfaceChanged();
}

void Container::paintPicture(const Picture& source, float x, float y) {
    paintPicture(source, x, y, fromPixels(float(source.width())),
                 fromPixels(float(source.height())));
}

void Container::paintPicture(const Picture& source, float x, float y, float width, float height) {
    surface_.paint(source, QRectF(toPixels(x), toPixels(y), toPixels(width), toPixels(height)),
                   std::nullopt, clientSizeInPixels().toSize());
    surfaceChanged();
}

void Container::paintPicture(const Picture& source, float x, float y, float width, float height,
                             float sourceX, float sourceY, float sourceWidth, float sourceHeight) {
    surface_.paint(
        source, QRectF(toPixels(x), toPixels(y), toPixels(width), toPixels(height)),
        QRectF(toPixels(sourceX), toPixels(sourceY), toPixels(sourceWidth), toPixels(sourceHeight)),
        clientSizeInPixels().toSize());
    surfaceChanged();
}

void Container::cls() {
    surface_.clear();
    surfaceChanged();
}

std::optional<OleColor> Container::point(float x, float y) const {
    const auto rgb = surface_.pixel(QPoint(int(toPixels(x)), int(toPixels(y))));
    if (!rgb) return std::nullopt;
    return fromQColor(QColor::fromRgb(*rgb));
}

void Container::surfaceChanged() {
    if (FormObserver* view = form().view()) view->surfaceChanged(*this);
}

void Container::adopt(Control& child) {
    const bool windowed = child.isWindowed();
    children_.insert(children_.begin() + std::ptrdiff_t(windowed ? children_.size() : lightweight_),
                     &child);
    if (!windowed) ++lightweight_;
}

void Container::release(Control& child) {
    const auto kept = std::remove(children_.begin(), children_.end(), &child);
    if (!child.isWindowed()) lightweight_ -= std::size_t(children_.end() - kept);
    children_.erase(kept, children_.end());
}

void Container::bringToFront(Control& child) {
    release(child);
    adopt(child);
}

void Container::sendToBack(Control& child) {
    release(child);
    const bool windowed = child.isWindowed();
    children_.insert(children_.begin() + std::ptrdiff_t(windowed ? lightweight_ : 0), &child);
    if (!windowed) ++lightweight_;
}

}  // namespace forms
