#pragma once

#include <QImage>
#include <QRectF>
#include <optional>
#include <vector>

#include "platform/forms/picture.h"

class QPainter;

namespace forms {

// The persistent drawing surface of a window or picture box: its Picture, over which
// PaintPicture draws and which Cls restores. All rectangles are in pixels.
//
// What PaintPicture draws is kept as a short list of strokes over the picture and drawn with it,
// not as a raster beside the picture: the table window's frame is eight strokes, and a second
// full-window image would cost as much memory as the picture itself. A long list is flattened
// into a raster, so a surface drawn on over and over stays bounded.
class Surface {
  public:
    const Picture& picture() const { return picture_; }
    void setPicture(Picture picture);  // also wipes what was drawn

    // Draws `source` (or the part `sourceRect` of it) into `target`, stretched to fit.
    void paint(const Picture& source, const QRectF& target, std::optional<QRectF> sourceRect,
               QSize clientSize);
    void clear();  // Cls

    bool hasDrawing() const { return !strokes_.empty() || !flattened_.isNull(); }
    // Whether what the surface shows hides everything under it within `area` (from its top left
    // corner): an opaque picture at least that large.
    bool covers(QSize area) const;
    // Draws what the surface shows with its top left corner at the painter's origin.
    void drawOn(QPainter& painter) const;
    // What the surface shows, as one image: the picture when nothing was drawn, else the
    // picture and the drawing composed (made on demand and kept until the surface changes).
    const QImage& image() const;
    // The colour at a pixel of what is shown; nullopt outside it.
    std::optional<QRgb> pixel(QPoint at) const;

  private:
    struct Stroke {
        Picture source;
        QRectF target;
        QRectF sourceRect;
    };

    void flatten();

    Picture picture_;
    // The drawn area: the client area when the drawing began, and at least the picture.
    QSize canvas_;
    // Earlier strokes composed with the picture, once the list grew long.
    QImage flattened_;
    std::vector<Stroke> strokes_;
    mutable QImage composed_;
};

}  // namespace forms
