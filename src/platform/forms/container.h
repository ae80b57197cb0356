#pragma once

#include <QPointF>
#include <QSizeF>
#include <optional>
#include <vector>

#include "platform/forms/color.h"
#include "platform/forms/surface.h"
#include "platform/forms/units.h"

namespace forms {

class Control;
class Form;

// What windows and picture boxes share: they hold controls (in their own scale: twips or
// pixels), keep them in z-order, and have a persistent drawing surface with a Picture.
class Container {
  public:
    Container() = default;
    Container(const Container&) = delete;
    Container& operator=(const Container&) = delete;
    virtual ~Container();

    virtual Form& form() = 0;
    virtual const Form& form() const = 0;
    // The top-left corner of the client area in the window's client pixels.
    virtual QPointF originInForm() const = 0;
    // The client area's size in pixels.
    virtual QSizeF clientSizeInPixels() const = 0;

    ScaleMode scaleMode() const { return scaleMode_; }
    void setScaleMode(ScaleMode mode);
    float toPixels(float units) const {
        return scaleMode_ == ScaleMode::Twips ? twipsToPixels(units) : units;
    }
    float fromPixels(float pixels) const {
        return scaleMode_ == ScaleMode::Twips ? pixelsToTwips(pixels) : pixels;
    }
    float scaleWidth() const { return fromPixels(float(clientSizeInPixels().width())); }
    float scaleHeight() const { return fromPixels(float(clientSizeInPixels().height())); }

    // The children from the back to the front. Controls without a window of their own (images,
    // labels) always lie beneath those with one (picture, text and list boxes).
    const std::vector<Control*>& children() const { return children_; }

    // Picture, PaintPicture, Cls and Point, coordinates in this container's scale.
    const Picture& picture() const { return surface_.picture(); }
    void setPicture(Picture picture);
    void paintPicture(const Picture& source, float x, float y);
    void paintPicture(const Picture& source, float x, float y, float width, float height);
    void paintPicture(const Picture& source, float x, float y, float width, float height,
                      float sourceX, float sourceY, float sourceWidth, float sourceHeight);
    void cls();
    // The colour shown at a point of the surface; nullopt (the toolkit's -1) outside it.
    std::optional<OleColor> point(float x, float y) const;
    const Surface& surface() const { return surface_; }

  protected:
    virtual void pictureSet() {}
    void surfaceChanged();

  private:
    friend class Control;
    void adopt(Control& child);
    void release(Control& child);
    void bringToFront(Control& child);
    void sendToBack(Control& child);

    ScaleMode scaleMode_ = ScaleMode::Twips;
    std::vector<Control*> children_;
    // How many children lie in the lower layer, at the front of children_: a control's layer
    // never changes, and a window of a few hundred images reorders them at every deal.
    std::size_t lightweight_ = 0;
    Surface surface_;
};

}  // namespace forms
