#pragma once

#include <QImage>
#include <QRectF>
#include <optional>

#include "platform/forms/picture.h"

namespace forms {

// The persistent drawing surface of a window or picture box: its Picture, over which
// PaintPicture draws and which Cls restores. All rectangles are in pixels.
class Surface {
  public:
    const Picture& picture() const { return picture_; }
    void setPicture(Picture picture);  // also wipes what was drawn

    // Draws `source` (or the part `sourceRect` of it) into `target`, stretched to fit.
    void paint(const Picture& source, const QRectF& target, std::optional<QRectF> sourceRect,
               QSize clientSize);
    void clear();  // Cls

    bool hasDrawing() const { return !drawing_.isNull(); }
    // What the surface shows: the drawing when there is one, else the picture.
    const QImage& image() const { return hasDrawing() ? drawing_ : picture_.image(); }
    // The colour at a pixel of what is shown; nullopt outside it.
    std::optional<QRgb> pixel(QPoint at) const;

  private:
    Picture picture_;
    QImage drawing_;
};

}  // namespace forms
