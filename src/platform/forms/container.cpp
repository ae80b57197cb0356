#include "platform/forms/container.h"

#include <algorithm>

#include "platform/forms/control.h"
#include "platform/forms/form.h"

namespace forms {

namespace {

// The index where a control's layer ends (windowless controls first, then windowed ones).
std::size_t layerEnd(const std::vector<Control*>& children, bool windowed) {
    if (windowed) return children.size();
    return std::size_t(std::find_if(children.begin(), children.end(),
                                    [](const Control* c) { return c->isWindowed(); }) -
                       children.begin());
}

std::size_t layerBegin(const std::vector<Control*>& children, bool windowed) {
    return windowed ? layerEnd(children, false) : 0;
}

}  // namespace

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
    children_.insert(children_.begin() + std::ptrdiff_t(layerEnd(children_, child.isWindowed())),
                     &child);
}

void Container::release(Control& child) {
    children_.erase(std::remove(children_.begin(), children_.end(), &child), children_.end());
}

void Container::bringToFront(Control& child) {
    release(child);
    adopt(child);
}

void Container::sendToBack(Control& child) {
    release(child);
    children_.insert(children_.begin() + std::ptrdiff_t(layerBegin(children_, child.isWindowed())),
                     &child);
}

}  // namespace forms
